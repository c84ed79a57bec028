#include "monitor/app/gadget_frame.h"

namespace gadget {

int GripSize(int clientWidth, int clientHeight, bool windowsBorder) {
    if (clientWidth < 10 || clientHeight < 10) return 3;
    return windowsBorder ? 8 : 5;
}

Hit HitTest(int x, int y, int width, int height, int clientWidth, int clientHeight, bool windowsBorder,
            bool graphsShown) {
    const int a = GripSize(clientWidth, clientHeight, windowsBorder);
    const bool left = x<a, right = x> width - a;
    const bool top = y<a, bottom = y> height - a;
    if (graphsShown) {
        if (left && top) return Hit::TopLeft;
        if (right && top) return Hit::TopRight;
        if (right && bottom) return Hit::BottomRight;
        if (left && bottom) return Hit::BottomLeft;
    }
    if (left) return Hit::Left;
    if (graphsShown && top) return Hit::Top;
    if (right) return Hit::Right;
    if (graphsShown && bottom) return Hit::Bottom;
    return Hit::Caption;
}

bool Snap(int& x, int& y, int width, int height, const Area& work, int threshold, StickTo stick) {
    if (stick == soNothing) return false;
    const int ox = x, oy = y;
    if (x <= work.left + threshold)
        x = work.left;
    else if (x + width >= work.right - threshold)
        x = work.right - width;
    if (y <= work.top + threshold)
        y = work.top;
    else if (y + height >= work.bottom - threshold)
        y = work.bottom - height;
    return x != ox || y != oy;
}

const char* HideItemCaption(bool gadgetVisible) {
    return gadgetVisible ? "Hide Main Window" : "Show Main Window";
}

}  // namespace gadget
