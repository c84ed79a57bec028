#include "monitor/metrics/toolhelp.h"

#include <cstring>

namespace metrics {

namespace {
class RealLoader : public ModuleLoader {
public:
    HMODULE GetHandle(const char* name) override { return GetModuleHandleA(name); }
    HMODULE Load(const char* name) override { return LoadLibraryA(name); }
    FARPROC Lookup(HMODULE module, const char* name) override { return GetProcAddress(module, name); }
};

RealLoader g_realLoader;
ModuleLoader* g_loader = &g_realLoader;

const char* const kToolHelpNames[] = {"CreateToolhelp32Snapshot",
                                      "Heap32ListFirst",
                                      "Heap32ListNext",
                                      "Heap32First",
                                      "Heap32Next",
                                      "Toolhelp32ReadProcessMemory",
                                      "Process32First",
                                      "Process32Next",
                                      "Process32FirstW",
                                      "Process32NextW",
                                      "Thread32First",
                                      "Thread32Next",
                                      "Module32First",
                                      "Module32Next",
                                      "Module32FirstW",
                                      "Module32NextW"};
enum ToolHelpEntry {
    kCreateSnapshot = 0,
    kProcessFirst = 6,
    kProcessNext = 7,
    kThreadFirst = 10,
    kThreadNext = 11,
    kModuleFirst = 12,
    kModuleNext = 13,
    kToolHelpCount = 16
};

const char* const kPsapiNames[] = {"EnumProcesses",
                                   "EnumProcessModules",
                                   "GetModuleBaseNameA",
                                   "GetModuleFileNameExA",
                                   "GetModuleBaseNameW",
                                   "GetModuleFileNameExW",
                                   "GetModuleInformation",
                                   "EmptyWorkingSet",
                                   "QueryWorkingSet",
                                   "InitializeProcessForWsWatch",
                                   "GetMappedFileNameA",
                                   "GetDeviceDriverBaseNameA",
                                   "GetDeviceDriverFileNameA",
                                   "GetMappedFileNameW",
                                   "GetDeviceDriverBaseNameW",
                                   "GetDeviceDriverFileNameW",
                                   "EnumDeviceDrivers",
                                   "GetProcessMemoryInfo"};
enum PsapiEntry { kModuleFileNameExA = 3, kPsapiCount = 18 };

// The bindings live for the whole run (the modules are never released).
struct Bindings {
    bool toolHelpTried = false;
    HMODULE kernel = nullptr;
    FARPROC toolHelp[kToolHelpCount] = {};
    HMODULE psapi = nullptr;
    FARPROC psapiEntries[kPsapiCount] = {};
};
Bindings g_bind;

template <class Fn>
Fn Entry(FARPROC p) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(p));
}
}  // namespace

void SetModuleLoaderForTesting(ModuleLoader* loader) {
    g_loader = loader ? loader : &g_realLoader;
    g_bind = Bindings();
}

bool LoadToolHelpEntries() {
    if (!g_bind.toolHelpTried || !g_bind.kernel) {
        g_bind.toolHelpTried = true;
        g_bind.kernel = g_loader->GetHandle("kernel32.dll");
        if (g_bind.kernel) {
            for (int i = 0; i < kToolHelpCount; ++i)
                g_bind.toolHelp[i] = g_loader->Lookup(g_bind.kernel, kToolHelpNames[i]);
        }
    }
    return g_bind.kernel && g_bind.toolHelp[kCreateSnapshot];
}

bool LoadProcessStatusEntries() {
    if (g_bind.psapi) return true;
    HMODULE h = g_loader->Load("PSAPI.dll");
    if (reinterpret_cast<uintptr_t>(h) < 32) return false;  // forgotten; tried again next time
    g_bind.psapi = h;
    for (int i = 0; i < kPsapiCount; ++i) g_bind.psapiEntries[i] = g_loader->Lookup(h, kPsapiNames[i]);
    return true;
}

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId) {
    if (!LoadToolHelpEntries()) return nullptr;
    return Entry<HANDLE(WINAPI*)(DWORD, DWORD)>(g_bind.toolHelp[kCreateSnapshot])(flags, processId);
}

#define SW_FORWARD(Name, Entry_, Record)                                                        \
    BOOL Name(HANDLE snapshot, Record* entry) {                                                 \
        if (!LoadToolHelpEntries() || !g_bind.toolHelp[Entry_]) return FALSE;                   \
        return Entry<BOOL(WINAPI*)(HANDLE, Record*)>(g_bind.toolHelp[Entry_])(snapshot, entry); \
    }
SW_FORWARD(Process32First, kProcessFirst, PROCESSENTRY32)
SW_FORWARD(Process32Next, kProcessNext, PROCESSENTRY32)
SW_FORWARD(Thread32First, kThreadFirst, THREADENTRY32)
SW_FORWARD(Thread32Next, kThreadNext, THREADENTRY32)
SW_FORWARD(Module32First, kModuleFirst, MODULEENTRY32)
SW_FORWARD(Module32Next, kModuleNext, MODULEENTRY32)
#undef SW_FORWARD

DWORD GetModuleFileNameEx(HANDLE process, HMODULE module, char* buffer, DWORD size) {
    if (!LoadProcessStatusEntries() || !g_bind.psapiEntries[kModuleFileNameExA]) return 0;
    return Entry<DWORD(WINAPI*)(HANDLE, HMODULE, char*, DWORD)>(g_bind.psapiEntries[kModuleFileNameExA])(
        process, module, buffer, size);
}

std::string ProcessFullPath(DWORD processId) {
    struct Process {
        HANDLE h;
        ~Process() {
            if (h) CloseHandle(h);
        }
    } process{OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)};
    if (!process.h) return "[Idle]";
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameEx(process.h, nullptr, path, MAX_PATH);
    if (n == 0) return "[Idle]";
    return std::string(path, n < MAX_PATH ? n : MAX_PATH);
}

}  // namespace metrics
