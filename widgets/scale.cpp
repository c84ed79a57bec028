#include "widgets/scale.h"

#include <cstdio>

#include "widgets/scale_core.h"

namespace widgets {

namespace {
class ScopedObject {
public:
    ScopedObject(HDC dc, HGDIOBJ o) : dc_(dc), old_(SelectObject(dc, o)) {}
    ~ScopedObject() { SelectObject(dc_, old_); }
    ScopedObject(const ScopedObject&) = delete;
    ScopedObject& operator=(const ScopedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF c) {
    // One-pixel lines as filled rectangles: no pen to make or free.
    const RECT r{x0 < x1 ? x0 : x1, y0 < y1 ? y0 : y1, (x0 < x1 ? x1 : x0) + 1, (y0 < y1 ? y1 : y0) + 1};
    SetBkColor(dc, c);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}
}  // namespace

void TVrScale::Paint(HDC dc, const RECT& b) {
    const int w = b.right - b.left, h = b.bottom - b.top;
    if (w <= 0 || h <= 0) return;
    SetBkColor(dc, color_);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &b, nullptr, 0, nullptr);

    const HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const ScopedObject selected(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int labelHeight = tm.tmHeight > 0 ? tm.tmHeight : 8;
    const bool vertical = orientation_ == voVertical;
    const int length = vertical ? h : w;
    const int majors = scale::FittingMajors(length, vertical ? labelHeight : labelHeight * 3, ticks_);
    scale::Mark marks[64];
    const int n = scale::Marks(min_, max_, peak_, length, majors, 1, marks, 64);

    SetBkMode(dc, TRANSPARENT);
    const int oldAlign = SetTextAlign(dc, TA_TOP | TA_LEFT);
    for (int i = 0; i < n; ++i) {
        const scale::Mark& m = marks[i];
        const COLORREF c = m.peak ? peakColor_ : fontColor_;
        const int tick = m.major ? 5 : 2;
        char text[16];
        int len = 0;
        if (m.major) len = std::snprintf(text, sizeof text, showSign_ && m.value > 0 ? "+%d" : "%d", m.value);
        SetTextColor(dc, c);
        if (vertical) {
            // The marks along the right edge, the labels right-aligned before them.
            Line(dc, b.right - tick, b.top + m.y, b.right - 1, b.top + m.y, c);
            if (len > 0) {
                SIZE sz{};
                GetTextExtentPoint32A(dc, text, len, &sz);
                int top = m.y - labelHeight / 2;
                if (top < 0) top = 0;
                if (top + labelHeight > h) top = h - labelHeight;
                ExtTextOutA(dc, b.right - 7 - sz.cx, b.top + top, ETO_CLIPPED, &b, text, len, nullptr);
            }
        } else {
            const int x = w - 1 - (m.y > w - 1 ? w - 1 : m.y);  // MinValue on the left
            Line(dc, b.left + x, b.top, b.left + x, b.top + tick - 1, c);
            if (len > 0) {
                SIZE sz{};
                GetTextExtentPoint32A(dc, text, len, &sz);
                int left = x - sz.cx / 2;
                if (left < 0) left = 0;
                if (left + sz.cx > w) left = w - sz.cx;
                ExtTextOutA(dc, b.left + left, b.top + 7, ETO_CLIPPED, &b, text, len, nullptr);
            }
        }
    }
    // The spine of the scale.
    if (vertical)
        Line(dc, b.right - 1, b.top, b.right - 1, b.bottom - 1, fontColor_);
    else
        Line(dc, b.left, b.top, b.right - 1, b.top, fontColor_);
    SetTextAlign(dc, oldAlign);
}

}  // namespace widgets
