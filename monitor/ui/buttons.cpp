#include "monitor/ui/buttons.h"

#include <algorithm>

#include "monitor/ui/form.h"

namespace ui {

void ButtonControl::Click() {
    if (Handle()) SendMessageA(Handle(), BM_CLICK, 0, 0);
}

bool ButtonControl::Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        result = 0;
        // A disabled button never reports a click (Wine's BM_CLICK would still send one).
        if (!Enabled()) return true;
        Clicked();
        if (OnClick) OnClick(*this);
        return true;
    }
    return WinControl::Notified(msg, wp, lp, result);
}

void Button::SetDefault(bool v) {
    default_ = v;
    SetStyleBit(BS_DEFPUSHBUTTON, v);
}

void Button::Clicked() {
    if (modalResult_ == 0) return;
    if (Form* f = OwnerForm()) f->SetModalResult(modalResult_);
}

bool CheckBox::Checked() const {
    return Handle() ? SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void CheckBox::SetChecked(bool v) {
    checked_ = v;
    if (Handle()) SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::HandleCreated() { SetChecked(checked_); }

bool RadioButton::Checked() const {
    return Handle() ? SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void RadioButton::SetChecked(bool v) {
    checked_ = v;
    if (Handle()) SendMessageA(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v || !Parent()) return;
    // The others of the group: the radio buttons next to this one under the same parent.
    const auto& sib = Parent()->Children();
    const auto self = std::find(sib.begin(), sib.end(), this);
    for (auto it = self; it != sib.begin();) {
        auto* r = dynamic_cast<RadioButton*>(*--it);
        if (!r) break;
        r->checked_ = false;
        if (r->Handle()) SendMessageA(r->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    for (auto it = self + 1; it != sib.end(); ++it) {
        auto* r = dynamic_cast<RadioButton*>(*it);
        if (!r) break;
        r->checked_ = false;
        if (r->Handle()) SendMessageA(r->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void RadioButton::Clicked() { SetChecked(true); }

void RadioButton::HandleCreated() {
    if (checked_) SendMessageA(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

bool RadioButton::StartsGroup() const {
    if (!Parent()) return true;
    const auto& sib = Parent()->Children();
    const auto self = std::find(sib.begin(), sib.end(), this);
    return self == sib.begin() || !dynamic_cast<RadioButton*>(*(self - 1));
}

Rect GroupBox::ClientRect() const {
    // The caption sits on the top edge; a line of the font's height below it is kept free.
    const SIZE s = MeasureText(GetFont(), "Ag", 2);
    const int top = s.cy + 2;
    return {6, top, std::max(0, Width() - 12), std::max(0, Height() - top - 6)};
}

}  // namespace ui
