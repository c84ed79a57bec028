// Where a window that is being moved or sized is heading (WM_WINDOWPOSCHANGING), and the work
// area of the monitor it is going to: what snapping to the screen edges works from.
#pragma once
#include <windows.h>

namespace ui {

struct PendingMove {
    int x = 0, y = 0, width = 0, height = 0;
    // `primaryWork` (the caller's cached one) on the primary monitor, another monitor's own.
    RECT work{};
};

PendingMove PendingMoveOf(HWND wnd, const WINDOWPOS& pos, const RECT& primaryWork);

}  // namespace ui
