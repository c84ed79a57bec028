#include "widgets/levelbar.h"

#include <cstdio>

namespace widgets {

void TALProgressBar::SetPosition(int p) {
    if (range_.SetPosition(p)) Invalidate();
}

void TALProgressBar::SetBarColors(Colour low, Colour medium, Colour high) {
    if (low == look_.bar1 && medium == look_.bar2 && high == look_.bar3) return;
    look_.bar1 = low;
    look_.bar2 = medium;
    look_.bar3 = high;
    Invalidate();
}

void TALProgressBar::SetBorderColors(Colour topLeft, Colour bottomRight) {
    if (topLeft == look_.border1 && bottomRight == look_.border2) return;
    look_.border1 = topLeft;
    look_.border2 = bottomRight;
    Invalidate();
}

void TALProgressBar::SetDirection(TALDirection d) {
    if (d < pdLeftToRight || d > pdTopToBottom) return;
    Set(look_.direction, d);
}

void TALProgressBar::SetFont(HFONT font) {
    font_ = font;
    if (showPosText_) Invalidate();
}

void TALProgressBar::Paint(HDC dc, const RECT& bounds) {
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0 || !offscreen_.Ensure(w, h)) return;
    GdiFlush();
    level::PaintBar(offscreen_.Pixels(), look_, range_);
    if (showPosText_) {
        HDC mem = offscreen_.Dc();
        char text[8];
        const int n = std::snprintf(text, sizeof text, "%d%%", range_.Position());
        HGDIOBJ oldFont =
            SelectObject(mem, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(mem, TRANSPARENT);
        SetTextAlign(mem, TA_CENTER | TA_TOP);
        SIZE ext{};
        GetTextExtentPoint32A(mem, text, n, &ext);
        const int y = (h - ext.cy) / 2;
        // A shadow in the background colour keeps the text readable on any segment colour.
        SetTextColor(mem, look_.background);
        TextOutA(mem, w / 2 + 1, y + 1, text, n);
        SetTextColor(mem, posTextColor_);
        TextOutA(mem, w / 2, y, text, n);
        SelectObject(mem, oldFont);
    }
    BitBlt(dc, bounds.left, bounds.top, w, h, offscreen_.Dc(), 0, 0, SRCCOPY);
}

TVrGauge::TVrGauge() {
    palette_.SetOnChange([this] {
        look_.low = palette_.Low();
        look_.high = palette_.High();
        Invalidate();
    });
    look_.low = palette_.Low();
    look_.high = palette_.High();
}

void TVrGauge::SetPosition(int p) {
    if (range_.SetPosition(p)) Invalidate();
}

void TVrGauge::SetPositionClamped(int p) {
    SetPosition(p < range_.Min() ? range_.Min() : p > range_.Max() ? range_.Max() : p);
}

void TVrGauge::SetMinValue(int v) {
    if (v != range_.Min() && range_.SetMin(v)) Invalidate();
}

void TVrGauge::SetMaxValue(int v) {
    if (v != range_.Max() && range_.SetMax(v)) Invalidate();
}

void TVrGauge::SetTickHeight(int v) {
    if (v >= 1) Set(look_.tickHeight, v);
}

void TVrGauge::SetSpacing(int v) {
    if (v >= 0) Set(look_.spacing, v);
}

void TVrGauge::SetOrientation(TVrOrientation o) {
    if (o == voHorizontal || o == voVertical) Set(look_.orientation, o);
}

void TVrGauge::Paint(HDC dc, const RECT& bounds) {
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0 || !offscreen_.Ensure(w, h)) return;
    GdiFlush();
    level::PaintGauge(offscreen_.Pixels(), look_, range_);
    BitBlt(dc, bounds.left, bounds.top, w, h, offscreen_.Dc(), 0, 0, SRCCOPY);
}

}  // namespace widgets
