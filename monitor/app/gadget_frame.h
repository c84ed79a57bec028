// The borderless gadget's frame rules: what each point answers to the hit test, how a move
// snaps to the work area, and the caption of the hide item.
#pragma once

namespace gadget {

enum class Hit { Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// Grip size: 3 when the client area is under 10 pixels high or wide, else 8 with the Windows
// border and 5 without.
int GripSize(int clientWidth, int clientHeight, bool windowsBorder);

// x, y: the cursor in client coordinates; width, height: the window's size. Without bars
// (graphsShown false) only the left and right edges resize.
Hit HitTest(int x, int y, int width, int height, int clientWidth, int clientHeight, bool windowsBorder,
            bool graphsShown);

struct Area {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// StickTo values of the sticky form.
enum StickTo { soScreen = 0, soNothing = 3 };

// Snaps a window of the given size about to be placed at x, y flush to the edges of `work`
// when within `threshold` pixels of them (left and top win over right and bottom). Returns
// true when it moved the window. soNothing leaves it alone.
bool Snap(int& x, int& y, int width, int height, const Area& work, int threshold, StickTo stick);

// "Hide Main Window" while the gadget is visible, "Show Main Window" while it is hidden.
const char* HideItemCaption(bool gadgetVisible);

// The minimum size of the gadget in either direction.
constexpr int kMinimumSize = 2;

}  // namespace gadget
