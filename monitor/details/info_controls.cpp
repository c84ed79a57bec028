#include "monitor/details/info_controls.h"

#include <algorithm>
#include <cstring>

#include "monitor/ui/theme.h"
#include "monitor/ui/window_host.h"

namespace details {

namespace {
HFONT OrDefault(HFONT f) { return f ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// One character a pixel: '.' is transparent, the rest index the colours below.
const char* const kRateMark[16] = {
    "................", "................", "................", "......gg........",
    "......gGg.......", "......gGGg......", "gggggggGGGg.....", "gGGGGGGGGGGg....",
    "gGGGGGGGGGGg....", "gggggggGGGg.....", "......gGGg......", "......gGg.......",
    "......gg........", "................", "................", "................"};
const char* const kPresent[16] = {
    "................", "................", "............gg..", "...........gGg..",
    "..........gGGg..", ".........gGGg...", "..gg....gGGg....", "..gGg..gGGg.....",
    "..gGGggGGg......", "...gGGGGg.......", "....gGGg........", ".....gg.........",
    "................", "................", "................", "................"};
const char* const kAbsent[16] = {
    "................", "................", "...rr......rr...", "...rRr....rRr...",
    "....rRr..rRr....", ".....rRrrRr.....", "......rRRr......", "......rRRr......",
    ".....rRrrRr.....", "....rRr..rRr....", "...rRr....rRr...", "...rr......rr...",
    "................", "................", "................", "................"};

COLORREF Ink(char c) {
    switch (c) {
    case 'g': return RGB(0, 100, 0);
    case 'G': return RGB(40, 190, 40);
    case 'r': return RGB(128, 0, 0);
    case 'R': return RGB(225, 40, 40);
    default: return RGB(255, 0, 255);  // the transparent key
    }
}
}  // namespace

ui::Rect GroupFrame::ClientRect() const {
    const SIZE s = ui::MeasureText(OrDefault(font_), "Ag", 2);
    const int top = s.cy + 2;
    return {6, top, std::max(0, Width() - 12), std::max(0, Height() - top - 6)};
}

void GroupFrame::PaintSelf(HDC dc, const ui::Rect& r) {
    ui::Control::PaintSelf(dc, r);
    const ui::Selected font(dc, OrDefault(font_));
    SIZE text{};
    GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
    // Framed as the form layer's group boxes are, in the visual style where one is active.
    ui::WindowHost* host = HostOf();
    const HWND wnd = host ? host->Handle() : nullptr;
    const RECT frame{r.left, r.top + text.cy / 2, r.right(), r.bottom()};
    ui::DrawGroupFrame(dc, wnd, frame, true);
    if (caption_.empty()) return;
    // The caption interrupts the top line, on the parent's colour.
    RECT cap{r.left + 7, r.top, r.left + 7 + text.cx + 4, r.top + text.cy};
    const ui::Brush back(CreateSolidBrush(Color()));
    FillRect(dc, &cap, back.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::GroupTextColour(wnd, true));
    TextOutA(dc, r.left + 9, r.top, caption_.c_str(), static_cast<int>(caption_.size()));
}

void TextBlock::SetText(const char* text) {
    if (text_ == text) return;
    text_.assign(text);
    Invalidate();
}

void TextBlock::PaintSelf(HDC dc, const ui::Rect& r) {
    const ui::Selected font(dc, OrDefault(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour_);
    RECT rc{r.left, r.top, r.right(), r.bottom()};
    UINT format = DT_NOPREFIX | DT_TOP;
    format |= align_ == Alignment::Right ? DT_RIGHT : align_ == Alignment::Centre ? DT_CENTER : DT_LEFT;
    if (wrap_) format |= DT_WORDBREAK;
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &rc, format);
}

void IconImage::PaintSelf(HDC dc, const ui::Rect& r) {
    if (icon_) DrawIconEx(dc, r.left, r.top, icon_.get(), r.width, r.height, 0, nullptr, DI_NORMAL);
}

int AddPicture(ui::ImageList& list, Picture p) {
    const char* const* rows = p == Picture::RateMark  ? kRateMark
                              : p == Picture::Present ? kPresent
                              : p == Picture::Absent  ? kAbsent
                                                      : nullptr;
    const ui::WindowDc screen(nullptr);
    const ui::Bitmap bmp(CreateCompatibleBitmap(screen.get(), 16, 16));
    const ui::MemoryDc mem(CreateCompatibleDC(screen.get()));
    {
        const ui::Selected sel(mem.get(), bmp.get());
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) SetPixel(mem.get(), x, y, Ink(rows ? rows[y][x] : '.'));
    }
    return list.AddMasked(bmp.get(), RGB(255, 0, 255));
}

}  // namespace details
