// kbtrap: the exports, used by the program that arms the hook (kqel).
//
// SetHook puts two thread hooks on the taskbar's thread, which brings this library into the
// shell's process; there the hook procedures (shell_side.cpp) act on the start, change and
// stop messages sent to the taskbar window and run the keyboard filter (filter.cpp).
#define KBTRAP_BUILD
#include "kbtrap/kbtrap.h"

#include <cstring>

#include "kbtrap/handles.h"
#include "kbtrap/shared_state.h"
#include "kbtrap/shell_side.h"

namespace kbtrap {
namespace {

HINSTANCE g_instance = nullptr;

// The arming process's side; touched only by SetHook and UnsetHook.
struct Arming {
    HWND taskbar = nullptr;
    DWORD taskbarTid = 0;
    HookHandle getMessage;
    HookHandle callWndProc;
    UniqueHandle mapping;
    MappedView view;
    UniqueHandle ownerLock;  // owned (as a mutex) by the thread that armed the hook
};
Arming g_arming;

// A filter that ends takes the lock for a moment on its way out; a program that is armed
// keeps it. Either way SetHook does not wait longer than this.
constexpr DWORD kOwnerLockWaitMs = 2000;

bool HoldOwnerLock() {
    if (g_arming.ownerLock) return true;
    UniqueHandle lock(CreateMutexA(nullptr, FALSE, kOwnerLockName));
    if (!lock) return false;
    const DWORD r = WaitForSingleObject(lock.get(), kOwnerLockWaitMs);
    if (r != WAIT_OBJECT_0 && r != WAIT_ABANDONED) return false;
    g_arming.ownerLock = std::move(lock);
    return true;
}

void ReleaseOwnerLock() {
    if (!g_arming.ownerLock) return;
    ReleaseMutex(g_arming.ownerLock.get());
    g_arming.ownerLock.reset();
}

bool PublishHeader(DWORD taskbarTid) {
    if (!g_arming.mapping) {
        UniqueHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                sizeof(SharedState), kSharedStateName));
        if (!mapping) return false;
        MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
        if (!view) return false;
        // A block of that name made by somebody else may be too small.
        MEMORY_BASIC_INFORMATION mbi;
        if (!VirtualQuery(view.get(), &mbi, sizeof mbi) || mbi.RegionSize < sizeof(SharedState)) return false;
        g_arming.mapping = std::move(mapping);
        g_arming.view = std::move(view);
    }
    // Only the header: the status belongs to the shell side, whose filter may be running.
    SharedHeader header;
    header.magic = kSharedMagic;
    header.version = kSharedVersion;
    header.size = sizeof(SharedState);
    header.ownerPid = GetCurrentProcessId();
    header.taskbarTid = taskbarTid;
    std::memcpy(&static_cast<SharedState*>(g_arming.view.get())->header, &header, sizeof header);
    return true;
}

void Disarm() {
    g_arming.getMessage.reset();
    g_arming.callWndProc.reset();
    g_arming.taskbar = nullptr;
    g_arming.taskbarTid = 0;
}

}  // namespace
}  // namespace kbtrap

using namespace kbtrap;

KBTRAP_API BOOL SetHook(void) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar) return FALSE;
    DWORD tid = GetWindowThreadProcessId(taskbar, nullptr);
    if (!tid) return FALSE;
    // Another armed program (or a squatter) holding the lock: the shell side would follow
    // its life, not ours, so we do not arm.
    if (!HoldOwnerLock()) return FALSE;
    // Written on every call: the block may have been overwritten meanwhile.
    if (!PublishHeader(tid)) return FALSE;
    if (g_arming.getMessage && g_arming.callWndProc && g_arming.taskbarTid == tid) {
        g_arming.taskbar = taskbar;
        return TRUE;  // already armed on this taskbar
    }
    // A new taskbar (the shell restarted): the old thread hooks died with it.
    Disarm();
    Messages();
    HookHandle getMessage(SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, g_instance, tid));
    HookHandle callWndProc(SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, g_instance, tid));
    if (!getMessage || !callWndProc) return FALSE;
    g_arming.getMessage = std::move(getMessage);
    g_arming.callWndProc = std::move(callWndProc);
    g_arming.taskbar = taskbar;
    g_arming.taskbarTid = tid;
    return TRUE;
}

KBTRAP_API BOOL UnsetHook(void) {
    if (!g_arming.getMessage && !g_arming.callWndProc) {
        ReleaseOwnerLock();
        return FALSE;
    }
    // The program sends the stop message itself first; sending it again here (it is
    // harmless twice) makes sure the filter has ended before the hooks go away.
    DWORD_PTR ignored = 0;
    if (g_arming.taskbar)
        SendMessageTimeoutA(g_arming.taskbar, Messages().stop, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000,
                            &ignored);
    Disarm();
    g_arming.view.reset();
    g_arming.mapping.reset();
    // Ends a filter that missed the stop message, too.
    ReleaseOwnerLock();
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        ReleaseShellSide();
    }
    return TRUE;
}
