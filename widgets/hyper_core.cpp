#include "widgets/hyper_core.h"

namespace widgets {
namespace hyper {

bool ButtonState::MouseMove(bool inside) {
    if (!enabled_) inside = false;
    if (hot_ == inside) return false;
    hot_ = inside;
    return true;
}

bool ButtonState::MouseDown() {
    if (!enabled_ || down_) return false;
    down_ = true;
    hot_ = true;
    return true;
}

bool ButtonState::MouseUp(bool inside, bool& click) {
    click = down_ && inside && enabled_;
    const bool wasPressed = PressedLook();
    down_ = false;
    const bool hotChanged = MouseMove(inside);
    return wasPressed || hotChanged;
}

bool ButtonState::Cancel() {
    if (!down_) return false;
    down_ = false;
    hot_ = false;
    return true;
}

bool ButtonState::SetEnabled(bool on) {
    if (enabled_ == on) return false;
    enabled_ = on;
    if (!on) down_ = hot_ = false;
    return true;
}

Look LookOf(const ButtonState& s, const Colours& c) {
    Look l;
    l.face = s.Hot() ? c.enter : c.leave;
    l.frame = s.PressedLook() ? c.borderDown : s.Hot() ? c.borderEnter : c.border;
    l.frameWidth = s.PressedLook() ? 2 : 1;
    l.textOffset = s.PressedLook() ? 1 : 0;
    l.text = s.Enabled() ? c.font : c.disabledFont;
    return l;
}

void PaintFace(const PixelView& v, const Look& look) {
    const Pixel face = ToPixel(look.face), frame = ToPixel(look.frame);
    FillRect(v, 0, 0, v.width, v.height, frame);
    const int w = look.frameWidth;
    FillRect(v, w, w, v.width - w, v.height - w, face);
}

}  // namespace hyper
}  // namespace widgets
