// The level bar (TALProgressBar; the gadget's TMyBar is its host with hit-testing switched
// off) and the level gauge (TVrGauge). Rules and pixels are in bar_core.h.
#pragma once
#include <windows.h>

#include "widgets/bar_core.h"
#include "widgets/lcd_core.h"
#include "widgets/offscreen.h"
#include "widgets/widget.h"

namespace widgets {

class TALProgressBar : public Widget {
public:
    static constexpr int kDefaultWidth = 150;
    static constexpr int kDefaultHeight = 16;
    static constexpr TALDirection LeftToRight = pdLeftToRight;
    static constexpr TALDirection BottomToTop = pdBottomToTop;

    // 0..100; a position outside is ignored and the previous one kept.
    int Position() const { return range_.Position(); }
    void SetPosition(int p);
    int Min() const { return range_.Min(); }
    int Max() const { return range_.Max(); }

    Colour BackgroundColor() const { return look_.background; }
    void SetBackgroundColor(Colour c) { Set(look_.background, c); }
    void SetBackColor(Colour c) { SetBackgroundColor(c); }
    // Low, medium and high level colours.
    Colour BarColor1() const { return look_.bar1; }
    void SetBarColor1(Colour c) { Set(look_.bar1, c); }
    Colour BarColor2() const { return look_.bar2; }
    void SetBarColor2(Colour c) { Set(look_.bar2, c); }
    Colour BarColor3() const { return look_.bar3; }
    void SetBarColor3(Colour c) { Set(look_.bar3, c); }
    // Top-left and bottom-right edge of the one-pixel border.
    Colour BorderColor1() const { return look_.border1; }
    void SetBorderColor1(Colour c) { Set(look_.border1, c); }
    Colour BorderColor2() const { return look_.border2; }
    void SetBorderColor2(Colour c) { Set(look_.border2, c); }
    // All three level colours, or both border colours, with one repaint.
    void SetBarColors(Colour low, Colour medium, Colour high);
    void SetBorderColors(Colour topLeft, Colour bottomRight);
    bool ShowBorder() const { return look_.showBorder; }
    void SetShowBorder(bool v) { Set(look_.showBorder, v); }
    // pdLeftToRight (0) or pdBottomToTop (2); the other two fill from the opposite end.
    TALDirection Direction() const { return look_.direction; }
    void SetDirection(TALDirection d);
    bool Segmented() const { return look_.segmented; }
    void SetSegmented(bool v) { Set(look_.segmented, v); }
    // "37%" centred on the bar.
    bool ShowPosText() const { return showPosText_; }
    void SetShowPosText(bool v) { Set(showPosText_, v); }
    Colour PosTextColor() const { return posTextColor_; }
    void SetPosTextColor(Colour c) { Set(posTextColor_, c); }
    // The font of the position text (not owned; the stock GUI font when null).
    void SetFont(HFONT font);

    void Paint(HDC dc, const RECT& bounds) override;

private:
    level::Range range_{0, 100};
    level::BarLook look_;
    bool showPosText_ = false;
    Colour posTextColor_ = 0xFFFFFF;
    HFONT font_ = nullptr;
    Offscreen offscreen_;
};

class TVrGauge : public Widget {
public:
    static constexpr int kDefaultWidth = 18;
    static constexpr int kDefaultHeight = 100;

    TVrGauge();
    TVrGauge(const TVrGauge&) = delete;
    TVrGauge& operator=(const TVrGauge&) = delete;

    // MinValue..MaxValue (0..100 at first); a position outside is ignored and the previous
    // one kept. A new bound that leaves the position outside pulls it to that bound.
    int Position() const { return range_.Position(); }
    void SetPosition(int p);
    // For readings that may run past the scale (a rate above the network gauges' limit):
    // pulled to the nearer bound, so the gauge reads full rather than keeping an old figure.
    void SetPositionClamped(int p);
    int MinValue() const { return range_.Min(); }
    void SetMinValue(int v);
    int MaxValue() const { return range_.Max(); }
    void SetMaxValue(int v);

    // Low: inactive ticks; High: active ticks.
    TVrPalette& Palette() { return palette_; }
    const TVrPalette& Palette() const { return palette_; }
    void SetPalette(const TVrPalette& p) { palette_.Assign(p); }
    Colour Color() const { return look_.color; }
    void SetColor(Colour c) { Set(look_.color, c); }
    bool BevelVisible() const { return look_.bevel; }
    void SetBevelVisible(bool v) { Set(look_.bevel, v); }
    int TickHeight() const { return look_.tickHeight; }
    void SetTickHeight(int v);
    int Spacing() const { return look_.spacing; }
    void SetSpacing(int v);
    TVrOrientation Orientation() const { return look_.orientation; }
    void SetOrientation(TVrOrientation o);

    void Paint(HDC dc, const RECT& bounds) override;

private:
    level::Range range_{0, 100};
    level::GaugeLook look_;
    TVrPalette palette_{0x008000, 0x00FF00};
    Offscreen offscreen_;
};

}  // namespace widgets
