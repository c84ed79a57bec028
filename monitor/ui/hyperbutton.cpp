#include "monitor/ui/hyperbutton.h"

namespace ui {

HyperButton::HyperButton() {
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    OnMouseEnter = [this](Control&) {
        // A press that was let go outside the button ends here.
        if (!(GetKeyState(VK_LBUTTON) & 0x8000)) widget().Cancel();
        widget().MouseMove(true);
    };
    OnMouseLeave = [this](Control&) { widget().MouseLeave(); };
    OnMouseDown = [this](Control&, MouseButton b, int, int) {
        if (b == MouseButton::Left) widget().MouseDown();
    };
    OnClick = [this](Control&) { widget().MouseUp(true); };
}

}  // namespace ui
