// Window bounds read from a settings file, made safe to apply: a hand-edited file, a monitor
// that was unplugged or a value of -2147483648 must neither put a window where no one can see
// it nor make it so large that its back buffers take hundreds of megabytes.
#pragma once
#include <cstddef>
#include <cstdint>

namespace ui {

// Screen coordinates in 64 bits, so that any stored left + width can be formed.
struct ScreenRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
};
struct MonitorArea {
    ScreenRect bounds;  // the whole monitor
    ScreenRect work;    // without the taskbar
};
struct WindowBounds {
    int left = 0, top = 0, width = 0, height = 0;
};

// Width and height are kept within the virtual screen's (and at least minSize). A window that
// overlaps some monitor stays exactly where it was stored; one that lies wholly outside every
// monitor goes into the work area of the nearest one, as close to where it was as fits (and
// no larger than that work area). Without monitors only the size is kept in bounds.
WindowBounds FitStoredBounds(const WindowBounds& stored, const ScreenRect& virtualScreen,
                             const MonitorArea* monitors, std::size_t count, int minSize);

// The same over the monitors of this machine (screen_fit_win.cpp).
WindowBounds FitToScreen(const WindowBounds& stored, int minSize);

}  // namespace ui
