#include "widgets/hyperbutton.h"

namespace widgets {

Colour ResolveColour(Colour c) {
    return (c & 0x80000000u) ? static_cast<Colour>(GetSysColor(static_cast<int>(c & 0xFFu))) : c;
}

void TVrHyperButton::SetCaption(const char* text) {
    if (!text) text = "";
    if (caption_ == text) return;
    caption_.assign(text);
    Invalidate();
}

void TVrHyperButton::SetBorderColors(Colour rest, Colour enter, Colour down) {
    if (colours_.border == rest && colours_.borderEnter == enter && colours_.borderDown == down) return;
    colours_.border = rest;
    colours_.borderEnter = enter;
    colours_.borderDown = down;
    Invalidate();
}

void TVrHyperButton::MouseUp(bool inside) {
    bool click = false;
    if (state_.MouseUp(inside, click)) Invalidate();
    if (click && OnClick) OnClick(*this);
}

void TVrHyperButton::Click() {
    if (state_.Enabled() && OnClick) OnClick(*this);
}

hyper::Look TVrHyperButton::CurrentLook() const {
    hyper::Colours c = colours_;
    for (Colour* p : {&c.enter, &c.leave, &c.border, &c.borderEnter, &c.borderDown, &c.font, &c.disabledFont})
        *p = ResolveColour(*p);
    return hyper::LookOf(state_, c);
}

void TVrHyperButton::Paint(HDC dc, const RECT& bounds) {
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0 || !offscreen_.Ensure(w, h)) return;
    const hyper::Look look = CurrentLook();
    GdiFlush();
    hyper::PaintFace(offscreen_.Pixels(), look);
    HDC mem = offscreen_.Dc();
    const HGDIOBJ oldFont =
        SelectObject(mem, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, look.text);
    RECT text{look.frameWidth + look.textOffset, look.frameWidth + look.textOffset,
              w - look.frameWidth + look.textOffset, h - look.frameWidth + look.textOffset};
    DrawTextA(mem, caption_.c_str(), static_cast<int>(caption_.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(mem, oldFont);
    BitBlt(dc, bounds.left, bounds.top, w, h, mem, 0, 0, SRCCOPY);
}

}  // namespace widgets
