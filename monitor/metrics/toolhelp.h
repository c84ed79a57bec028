#pragma once
// Process, module and thread enumeration (Windows side). The snapshot functions and the
// process-status module file name are bound by name at first use, so the program starts on
// every system and simply lists nothing where a function is missing.
//
//   metrics::ForEachProcess([](const PROCESSENTRY32& p) { ...; return true; });
//   metrics::ForEachThread(pid, [](const THREADENTRY32& t) { ...; return true; });
//   metrics::ForEachModule(pid, [](const MODULEENTRY32& m) { ...; return true; });
//   std::string path = metrics::ProcessFullPath(pid);   // "[Idle]" when unreadable
#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <string>
#include <type_traits>

namespace metrics {

static_assert(sizeof(PROCESSENTRY32) == 296, "PROCESSENTRY32 (ANSI)");
static_assert(sizeof(THREADENTRY32) == 28, "THREADENTRY32");
static_assert(sizeof(MODULEENTRY32) == 548, "MODULEENTRY32 (ANSI)");

// Where entry points come from; the real one uses GetModuleHandleA/LoadLibraryA/
// GetProcAddress. Tests install another to act out a system without them.
class ModuleLoader {
public:
    virtual ~ModuleLoader() = default;
    virtual HMODULE GetHandle(const char* name) = 0;
    virtual HMODULE Load(const char* name) = 0;
    virtual FARPROC Lookup(HMODULE module, const char* name) = 0;
};
// Replaces the loader and forgets every binding (null: the real loader again).
void SetModuleLoaderForTesting(ModuleLoader* loader);

// Binds the sixteen kernel32 snapshot entry points once (retried while kernel32 is not
// found). True when the module and CreateToolhelp32Snapshot are there.
bool LoadToolHelpEntries();
// Loads PSAPI.dll once and binds its entry points; false (and retried later) when it
// cannot be loaded.
bool LoadProcessStatusEntries();

// Forwarders: the platform functions, or 0 / FALSE when the binding is unavailable.
HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
BOOL Process32First(HANDLE snapshot, PROCESSENTRY32* entry);
BOOL Process32Next(HANDLE snapshot, PROCESSENTRY32* entry);
BOOL Thread32First(HANDLE snapshot, THREADENTRY32* entry);
BOOL Thread32Next(HANDLE snapshot, THREADENTRY32* entry);
BOOL Module32First(HANDLE snapshot, MODULEENTRY32* entry);
BOOL Module32Next(HANDLE snapshot, MODULEENTRY32* entry);
DWORD GetModuleFileNameEx(HANDLE process, HMODULE module, char* buffer, DWORD size);

// The iteration pattern over one snapshot: a fresh snapshot, First/Next while the callback
// returns true (or returns nothing), snapshot closed on every path. Lists nothing when the snapshot fails.
template <class F>
void ForEachProcess(F&& f);
template <class F>
void ForEachThread(DWORD ownerProcessId, F&& f);  // filtered by owner
template <class F>
void ForEachModule(DWORD processId, F&& f);

// Full path of a process's executable (OpenProcess + GetModuleFileNameEx for module 0),
// or "[Idle]" when the process cannot be opened or the name cannot be read.
std::string ProcessFullPath(DWORD processId);

// ---- implementation of the templates ----
namespace detail {
struct SnapshotHandle {
    HANDLE h;
    explicit SnapshotHandle(HANDLE handle) : h(handle) {}
    ~SnapshotHandle() {
        if (h != INVALID_HANDLE_VALUE && h != nullptr) CloseHandle(h);
    }
    SnapshotHandle(const SnapshotHandle&) = delete;
    SnapshotHandle& operator=(const SnapshotHandle&) = delete;
    bool valid() const { return h != INVALID_HANDLE_VALUE; }
};

template <class Entry, class F>
void Iterate(DWORD kind, DWORD pid, BOOL (*first)(HANDLE, Entry*), BOOL (*next)(HANDLE, Entry*), F&& f) {
    SnapshotHandle snap(metrics::CreateToolhelp32Snapshot(kind, pid));
    if (!snap.valid()) return;
    Entry e{};
    e.dwSize = sizeof(Entry);
    for (BOOL ok = first(snap.h, &e); ok; ok = next(snap.h, &e)) {
        if constexpr (std::is_same_v<decltype(f(static_cast<const Entry&>(e))), void>) {
            f(static_cast<const Entry&>(e));
        } else if (!f(static_cast<const Entry&>(e))) {
            break;
        }
    }
}
}  // namespace detail

template <class F>
void ForEachProcess(F&& f) {
    detail::Iterate<PROCESSENTRY32>(TH32CS_SNAPPROCESS, 0, &metrics::Process32First, &metrics::Process32Next,
                                    f);
}
template <class F>
void ForEachThread(DWORD ownerProcessId, F&& f) {
    detail::Iterate<THREADENTRY32>(TH32CS_SNAPTHREAD, 0, &metrics::Thread32First, &metrics::Thread32Next,
                                   [&](const THREADENTRY32& t) {
                                       if (t.th32OwnerProcessID != ownerProcessId) return true;
                                       if constexpr (std::is_same_v<decltype(f(t)), void>) {
                                           f(t);
                                           return true;
                                       } else {
                                           return static_cast<bool>(f(t));
                                       }
                                   });
}
template <class F>
void ForEachModule(DWORD processId, F&& f) {
    detail::Iterate<MODULEENTRY32>(TH32CS_SNAPMODULE, processId, &metrics::Module32First,
                                   &metrics::Module32Next, f);
}

}  // namespace metrics
