#include <windows.h>

#include <vector>

#include "monitor/ui/screen_fit.h"

namespace ui {

namespace {
ScreenRect FromRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR m, HDC, LPRECT, LPARAM lp) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(m, &mi))
        reinterpret_cast<std::vector<MonitorArea>*>(lp)->push_back(
            {FromRect(mi.rcMonitor), FromRect(mi.rcWork)});
    return TRUE;
}
}  // namespace

WindowBounds FitToScreen(const WindowBounds& stored, int minSize) {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    ScreenRect vs{vx, vy, vx + int64_t{GetSystemMetrics(SM_CXVIRTUALSCREEN)},
                  vy + int64_t{GetSystemMetrics(SM_CYVIRTUALSCREEN)}};
    if (vs.right <= vs.left || vs.bottom <= vs.top) {
        // Systems without a virtual screen: the primary one.
        vs = ScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return FitStoredBounds(stored, vs, monitors.data(), monitors.size(), minSize);
}

}  // namespace ui

#include "monitor/ui/pending_move.h"

namespace ui {

PendingMove PendingMoveOf(HWND wnd, const WINDOWPOS& pos, const RECT& primaryWork) {
    RECT now{};
    GetWindowRect(wnd, &now);
    PendingMove m;
    m.x = (pos.flags & SWP_NOMOVE) ? now.left : pos.x;
    m.y = (pos.flags & SWP_NOMOVE) ? now.top : pos.y;
    m.width = (pos.flags & SWP_NOSIZE) ? now.right - now.left : pos.cx;
    m.height = (pos.flags & SWP_NOSIZE) ? now.bottom - now.top : pos.cy;
    m.work = primaryWork;
    const RECT target{m.x, m.y, m.x + m.width, m.y + m.height};
    if (HMONITOR mon = MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST)) {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoA(mon, &mi) && !(mi.dwFlags & MONITORINFOF_PRIMARY)) m.work = mi.rcWork;
    }
    return m;
}

}  // namespace ui
