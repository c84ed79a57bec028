#include "monitor/app/standin_widgets.h"

namespace widgets {

void TVrNum::Paint(HDC dc, const RECT& r) {
    HBRUSH b = CreateSolidBrush(color_);
    FillRect(dc, &r, b);
    DeleteObject(b);
    char text[16];
    wsprintfA(text, "%*d", digits_, value_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, high_);
    RECT rc = r;
    DrawTextA(dc, text, -1, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

void TALProgressBar::Paint(HDC dc, const RECT& r) {
    HBRUSH back = CreateSolidBrush(back_);
    FillRect(dc, &r, back);
    DeleteObject(back);
    RECT in = r;
    if (showBorder_) InflateRect(&in, -1, -1);
    RECT bar = in;
    if (dir_ == LeftToRight)
        bar.right = in.left + (in.right - in.left) * pos_ / 100;
    else
        bar.top = in.bottom - (in.bottom - in.top) * pos_ / 100;
    HBRUSH fill = CreateSolidBrush(pos_ < 60 ? low_ : pos_ < 85 ? medium_ : high_);
    FillRect(dc, &bar, fill);
    DeleteObject(fill);
}

}  // namespace widgets
