#include "kbtrap/probe.h"

#include <tlhelp32.h>

#include "kbtrap/handles.h"

namespace kbtrap {
namespace {

Rect ToRect(const RECT& r) {
    Rect out;
    out.left = r.left;
    out.top = r.top;
    out.right = r.right;
    out.bottom = r.bottom;
    return out;
}

bool IsShellOrDesktop(HWND wnd) {
    static const HWND desktop = GetDesktopWindow();  // the same for the life of the process
    if (wnd == desktop || wnd == GetShellWindow()) return true;
    char cls[64] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    return IsShellClassName(cls);
}

}  // namespace

bool ProcessHasGraphicsModule(DWORD pid) {
    UniqueSnapshot snap;
    // The snapshot may fail with ERROR_BAD_LENGTH while the process is loading modules.
    for (int attempt = 0; attempt < 3 && !snap; ++attempt) {
        snap.reset(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
        if (!snap && GetLastError() != ERROR_BAD_LENGTH) return false;
    }
    if (!snap) return false;
    MODULEENTRY32 me;
    me.dwSize = sizeof me;
    for (BOOL ok = Module32First(snap.get(), &me); ok; ok = Module32Next(snap.get(), &me)) {
        if (IsGraphicsModuleName(me.szModule)) return true;
    }
    return false;
}

bool ShellReportsD3DFullScreen() {
    using QueryFn = HRESULT(WINAPI*)(int*);
    static QueryFn query = [] {
        HMODULE shell = GetModuleHandleA("shell32.dll");
        return shell ? reinterpret_cast<QueryFn>(
                           reinterpret_cast<void*>(GetProcAddress(shell, "SHQueryUserNotificationState")))
                     : nullptr;
    }();
    if (!query) return false;
    const int kRunningD3DFullScreen = 3;  // QUNS_RUNNING_D3D_FULL_SCREEN
    int state = 0;
    return SUCCEEDED(query(&state)) && state == kRunningD3DFullScreen;
}

ForegroundFacts ForegroundProbe::WindowFacts(HWND wnd) {
    ForegroundFacts f;
    if (!wnd) return f;
    f.present = true;
    RECT client;
    HMONITOR monitor = MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi;
    mi.cbSize = sizeof mi;
    if (GetClientRect(wnd, &client) && monitor && GetMonitorInfoA(monitor, &mi)) {
        MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        f.coversMonitor = CoversMonitor(ToRect(client), ToRect(mi.rcMonitor));
    }
    // A window that does not cover its monitor is no full-screen application whatever
    // else holds: the key path asks nothing more (each question is a call into the window
    // manager, a round trip to another process on some systems).
    if (!f.coversMonitor) return f;
    f.shellOrDesktop = IsShellOrDesktop(wnd);
    f.minimized = IsIconic(wnd) != FALSE;
    return f;
}

ForegroundFacts ForegroundProbe::Gather(int mode) const {
    if (mode != kModeFullScreenGame && mode != kModeFullScreenAny) return ForegroundFacts();
    HWND wnd = GetForegroundWindow();
    ForegroundFacts f = WindowFacts(wnd);
    f.d3dFullScreen = d3dFullScreen_;
    if (mode == kModeFullScreenGame && IsFullScreenApp(f)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        f.game = pid && cache_.IsGame(pid);
    }
    return f;
}

void ForegroundProbe::Refresh(HWND wnd, int mode) {
    // The other modes never look at these facts; a mode change refreshes them first.
    if (mode != kModeFullScreenGame && mode != kModeFullScreenAny) return;
    d3dFullScreen_ = ShellReportsD3DFullScreen();
    if (mode != kModeFullScreenGame) return;
    ForegroundFacts f = WindowFacts(wnd);
    if (!f.present || !IsFullScreenApp(f)) return;
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (!pid) return;
    DWORD now = GetTickCount();
    if (cache_.NeedsCheck(pid, now)) cache_.Store(pid, ProcessHasGraphicsModule(pid), now);
}

}  // namespace kbtrap
