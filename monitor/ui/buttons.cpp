#include "monitor/ui/buttons.h"

#include <algorithm>

#include "monitor/ui/form.h"
#include "monitor/ui/handles.h"
#include "monitor/ui/theme.h"

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

void Button::ShowAsDefault(bool on) {
    if (Handle()) SendMessageA(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool Button::WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if ((msg == WM_SETFOCUS || msg == WM_KILLFOCUS) && !default_) {
        Form* f = OwnerForm();
        Button* d = f ? f->FindButton(false) : nullptr;
        const bool focused = msg == WM_SETFOCUS;
        if (d && d != this) d->ShowAsDefault(!focused);
        ShowAsDefault(focused);
    }
    return ButtonControl::WindowMessage(msg, wp, lp, result);
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

GroupBox::GroupBox() : WindowHost("TGroupBox") { SetParentColor(true); }

void GroupBox::SetText(const char* text) {
    text_.assign(text ? text : "");
    if (Handle()) SetWindowTextA(Handle(), text_.c_str());  // for the dialog keys' mnemonics
    Invalidate();
}

void GroupBox::SetFont(HFONT font) {
    font_ = font;
    Invalidate();
}

HFONT GroupBox::GetFont() const {
    if (font_) return font_;
    WindowHost* host = HostOf();
    return host ? host->DefaultFont() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

Rect GroupBox::ClientRect() const {
    // The caption sits on the top edge; a line of the font's height below it is kept free.
    const SIZE s = MeasureText(GetFont(), "Ag", 2);
    const int top = s.cy + 2;
    return {6, top, std::max(0, Width() - 12), std::max(0, Height() - top - 6)};
}

void GroupBox::PaintSelf(HDC dc, const Rect& r) {
    Control::PaintSelf(dc, r);
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    Selected font(dc, GetFont());
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc, "Ag", 2, &s);
    const RECT frame{r.left, r.top + s.cy / 2, r.right(), r.bottom()};
    DrawGroupFrame(dc, Handle(), frame, enabled);
    if (text_.empty()) return;
    RECT text{r.left + 8, r.top, r.right() - 8, r.top + s.cy};
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &text, DT_SINGLELINE | DT_CALCRECT);
    text.left -= 2;
    text.right += 2;
    SetBkColor(dc, Color());
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, GroupTextColour(Handle(), enabled));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &text, nullptr, 0, nullptr);
    text.left += 2;
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &text, DT_SINGLELINE);
}

}  // namespace ui
