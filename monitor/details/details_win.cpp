#include "monitor/details/details_win.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "monitor/metrics/toolhelp.h"

namespace details {

namespace {
bool IsWindows2000() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&v)) return false;
#pragma GCC diagnostic pop
    return v.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           SnapshotLacksFullPaths(v.dwMajorVersion, v.dwMinorVersion);
}

template <size_t N>
void CopyText(char (&dst)[N], const char* src) {
    const size_t n = strnlen(src, N - 1);
    std::memcpy(dst, src, n);
    dst[n] = '\0';
}
}  // namespace

SnapshotSource::SnapshotSource() : needsFullPaths_(IsWindows2000()) {}

void SnapshotSource::Processes(std::vector<ProcessEntry>& out) {
    out.clear();
    metrics::ForEachProcess([&](const PROCESSENTRY32& p) {
        out.emplace_back();
        ProcessEntry& e = out.back();
        e.pid = p.th32ProcessID;
        e.threads = static_cast<int32_t>(p.cntThreads);
        e.priority = p.pcPriClassBase;
        CopyText(e.exeFile, p.szExeFile);
    });
}

void SnapshotSource::Threads(std::vector<ThreadEntry>& out) {
    out.clear();
    // The whole system's threads; the caller picks those of one process.
    metrics::detail::Iterate<THREADENTRY32>(
        TH32CS_SNAPTHREAD, 0, &metrics::Thread32First, &metrics::Thread32Next, [&](const THREADENTRY32& t) {
            out.push_back({t.th32ThreadID, t.th32OwnerProcessID, t.tpDeltaPri});
        });
}

void SnapshotSource::Modules(uint32_t pid, std::vector<ModuleEntry>& out) {
    out.clear();
    metrics::ForEachModule(pid, [&](const MODULEENTRY32& m) {
        out.emplace_back();
        ModuleEntry& e = out.back();
        e.handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m.hModule));
        e.size = m.modBaseSize;
        CopyText(e.name, m.szModule);
        CopyText(e.path, m.szExePath);
    });
}

std::string SnapshotSource::FullPath(uint32_t pid) { return metrics::ProcessFullPath(pid); }

uint32_t SnapshotSource::ExeType(const std::string& path) {
    return static_cast<uint32_t>(SHGetFileInfoA(path.c_str(), 0, nullptr, 0, SHGFI_EXETYPE));
}

namespace {
struct TaskReading {
    TaskList* list;
    size_t count;
    HWND desktop;
    char title[kTitleBuffer];
};

BOOL CALLBACK AddTask(HWND w, LPARAM lp) {
    TaskReading& r = *reinterpret_cast<TaskReading*>(lp);
    r.title[0] = '\0';
    GetWindowTextA(w, r.title, kTitleBuffer);
    const HWND owner = reinterpret_cast<HWND>(GetWindowLongPtrA(w, GWLP_HWNDPARENT));
    WindowFacts f;
    f.visible = IsWindowVisible(w) != FALSE;
    f.ownerIsNoneOrDesktop = owner == nullptr || owner == r.desktop;
    f.exStyle = static_cast<uint32_t>(GetWindowLongA(w, GWL_EXSTYLE));
    f.title = r.title;
    if (!IsTaskWindow(f)) return TRUE;
    if (r.count == r.list->size()) {
        r.list->emplace_back();
        r.list->back().title.reserve(260);  // room for a title to grow without a new block
    }
    TaskEntry& e = (*r.list)[r.count++];
    e.title.assign(r.title);
    e.handle = reinterpret_cast<uintptr_t>(w);
    return TRUE;
}
}  // namespace

void ReadTaskList(TaskList& out) {
    TaskReading r{&out, 0, GetDesktopWindow(), {}};
    EnumWindows(AddTask, reinterpret_cast<LPARAM>(&r));
    out.resize(r.count);
}

HICON CopyWindowSmallIcon(HWND wnd) {
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICONSM));
    auto ask = [wnd](WPARAM which) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(wnd, WM_GETICON, which, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 200, &answer))
            return HICON();
        return reinterpret_cast<HICON>(answer);
    };
    if (!icon) icon = ask(ICON_SMALL);
    if (!icon) icon = ask(ICON_BIG);
    if (!icon) return nullptr;
    return static_cast<HICON>(
        CopyImage(icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

bool ReadFileVersion(const std::string& path, std::string& version, std::string& description) {
    if (path.empty()) return false;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return false;
    struct Translation {
        WORD language, codePage;
    }* tr = nullptr;
    UINT len = 0;
    char key[64];
    // The first listed language, else US English in the Windows code page.
    WORD language = 0x0409, codePage = 1252;
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len) &&
        tr && len >= sizeof(Translation)) {
        language = tr->language;
        codePage = tr->codePage;
    }
    auto read = [&](const char* name, std::string& into) {
        char* value = nullptr;
        UINT n = 0;
        std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", language, codePage, name);
        if (VerQueryValueA(block.data(), key, reinterpret_cast<void**>(&value), &n) && value)
            into.assign(value, strnlen(value, n));
    };
    read("FileVersion", version);
    read("FileDescription", description);
    return true;
}

std::string UserThousandsSeparator() {
    char sep[8] = "";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep) <= 0) return ",";
    return sep;
}

ProcessTerminator::~ProcessTerminator() { Close(); }

bool ProcessTerminator::Confirm() {
    return MessageBoxA(owner_, kEndProcessWarning, kEndProcessCaption,
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SYSTEMMODAL) == IDYES;
}

bool ProcessTerminator::Open(uint32_t pid) {
    Close();
    process_ = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    return process_ != nullptr;
}

void ProcessTerminator::Terminate() {
    if (process_) TerminateProcess(process_, 0);
}

bool ProcessTerminator::WaitEnded(uint32_t ms) {
    return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

void ProcessTerminator::Close() {
    if (process_) CloseHandle(process_);
    process_ = nullptr;
}

void ProcessTerminator::Message(const char* text, bool error) {
    MessageBoxA(owner_, text, title_.c_str(), MB_OK | (error ? MB_ICONERROR : MB_ICONWARNING));
}

}  // namespace details
