// TVrScale: a measuring scale beside a graph. The vertical scale of System Details' network
// graph shows 0 at the bottom and MaxValue at the top in the graph's own rows: labelled marks
// with their values, small marks between, and the marks at or above PeakLevel in PeakColor.
#pragma once
#include <windows.h>

#include "widgets/bar_core.h"
#include "widgets/pixels.h"
#include "widgets/widget.h"

namespace widgets {

class TVrScale : public Widget {
public:
    static constexpr int kDefaultWidth = 32;
    static constexpr int kDefaultHeight = 100;

    // Refused unless MinValue stays below MaxValue.
    int MinValue() const { return min_; }
    void SetMinValue(int v) {
        if (v < max_) Set(min_, v);
    }
    int MaxValue() const { return max_; }
    void SetMaxValue(int v) {
        if (v > min_) Set(max_, v);
    }
    int PeakLevel() const { return peak_; }
    void SetPeakLevel(int v) { Set(peak_, v); }
    // Labelled divisions wanted (fewer when the labels would not fit).
    int Ticks() const { return ticks_; }
    void SetTicks(int v) {
        if (v >= 1) Set(ticks_, v);
    }
    TVrOrientation Orientation() const { return orientation_; }
    void SetOrientation(TVrOrientation o) { Set(orientation_, o); }
    // A "+" before positive labels.
    bool ShowSign() const { return showSign_; }
    void SetShowSign(bool v) { Set(showSign_, v); }

    Colour Color() const { return color_; }
    void SetColor(Colour c) { Set(color_, c); }
    Colour FontColor() const { return fontColor_; }
    void SetFontColor(Colour c) { Set(fontColor_, c); }
    Colour PeakColor() const { return peakColor_; }
    void SetPeakColor(Colour c) { Set(peakColor_, c); }
    // Not owned; the stock GUI font when null.
    void SetFont(HFONT f) { Set(font_, f); }

    void Paint(HDC dc, const RECT& bounds) override;

private:
    int min_ = 0, max_ = 100, peak_ = 80, ticks_ = 4;
    TVrOrientation orientation_ = voVertical;
    bool showSign_ = false;
    Colour color_ = 0x000000, fontColor_ = 0x008000, peakColor_ = 0x0000FF;
    HFONT font_ = nullptr;
};

}  // namespace widgets
