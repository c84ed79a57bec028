// Stored window bounds placed on the screens there are.
#include <gtest/gtest.h>

#include <climits>

#include "monitor/ui/screen_fit.h"

namespace ui {
namespace {

// A 1024 x 768 primary monitor with a taskbar at the bottom, and a second one to its left.
const MonitorArea kMonitors[2] = {{{0, 0, 1024, 768}, {0, 0, 1024, 738}},
                                  {{-1280, -256, 0, 768}, {-1280, -256, 0, 768}}};
const ScreenRect kVirtual{-1280, -256, 1024, 768};

WindowBounds Fit(int l, int t, int w, int h, std::size_t monitors = 2) {
    return FitStoredBounds({l, t, w, h}, kVirtual, kMonitors, monitors, 2);
}

void ExpectBounds(const WindowBounds& b, int l, int t, int w, int h) {
    EXPECT_EQ(b.left, l);
    EXPECT_EQ(b.top, t);
    EXPECT_EQ(b.width, w);
    EXPECT_EQ(b.height, h);
}

TEST(StoredBounds, SaneGeometryIsAppliedExactlyAsRead) {
    ExpectBounds(Fit(388, 173, 150, 75), 388, 173, 150, 75);
    ExpectBounds(Fit(-600, 100, 150, 75), -600, 100, 150, 75);  // on the second monitor
    ExpectBounds(Fit(1000, 760, 150, 75), 1000, 760, 150, 75);  // mostly off, a corner shows
    ExpectBounds(Fit(5, 150, 1, 0), 5, 150, 2, 2);              // the 2 x 2 minimum
}

TEST(StoredBounds, SizeIsKeptWithinTheVirtualScreen) {
    ExpectBounds(Fit(0, 0, 100000, 100000), 0, 0, 2304, 1024);
    ExpectBounds(Fit(10, 10, INT_MAX, INT_MIN), 10, 10, 2304, 2);
}

TEST(StoredBounds, WindowOutsideEveryMonitorComesBackOntoTheNearest) {
    // Far above everything: onto the nearest work area, here the taller second monitor's
    // (its top edge lies 256 pixels higher), at its top right corner.
    ExpectBounds(Fit(388, INT_MIN, 150, 75), -150, -256, 150, 75);
    ExpectBounds(Fit(388, INT_MIN, 150, 75, 1), 388, 0, 150, 75);
    // Right of the primary monitor (one that was unplugged): at its right edge.
    ExpectBounds(Fit(1500, 300, 150, 75), 874, 300, 150, 75);
    // Below the primary work area but beside its taskbar only: still visible, left alone.
    ExpectBounds(Fit(100, 740, 150, 75), 100, 740, 150, 75);
    // Far to the left: onto the second monitor.
    ExpectBounds(Fit(INT_MIN, 100, 150, 75), -1280, 100, 150, 75);
    // Large and outside: no larger than the work area it lands in.
    ExpectBounds(Fit(INT_MAX, INT_MAX, 100000, 100000), 0, 0, 1024, 738);
    // Without monitor information only the size is kept in bounds.
    ExpectBounds(Fit(INT_MIN, 5, 100000, 50, 0), INT_MIN, 5, 2304, 50);
}

}  // namespace
}  // namespace ui
