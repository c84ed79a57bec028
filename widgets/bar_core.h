// What the level bar (TALProgressBar) and the level gauge (TVrGauge) decide without Windows:
// the position range rule and which pixels get which colour.
//
// The bar is a segmented meter: 3-pixel segments with 1-pixel gaps along the bar; the first
// 60 % of its length lights in the low colour, up to 85 % in the medium colour and the rest in
// the high colour, so a fuller bar climbs from green through yellow into red. Unlit segments
// show their zone colour mixed a fifth into the background, like the dark glass of an LED.
//
// The gauge is a column (or row) of ticks: TickHeight pixels each with Spacing between, active
// ticks in Palette.High, the rest in Palette.Low, filling from the bottom (or the left).
#pragma once
#include <cstdint>

#include "widgets/pixels.h"

namespace widgets {

enum TALDirection {
    pdLeftToRight = 0,
    pdRightToLeft = 1,
    pdBottomToTop = 2,
    pdTopToBottom = 3,
};

enum TVrOrientation { voHorizontal = 0, voVertical = 1 };

namespace level {

// An integer position within Min..Max. A position outside the range is ignored and the
// previous one kept; a new range that leaves the position outside pulls it to the nearer end.
class Range {
public:
    Range(int min = 0, int max = 100) : min_(min), max_(max) {}
    // True when the position changed.
    bool SetPosition(int p);
    // False (no change) when the bound would not leave Min below Max.
    bool SetMin(int v);
    bool SetMax(int v);

    int Position() const { return position_; }
    int Min() const { return min_; }
    int Max() const { return max_; }

private:
    int min_;
    int max_;
    int position_ = 0;
};

// Pixels of length lit at position (rounded to the nearest pixel).
int LitLength(int length, int position, int min, int max);

enum class Zone : std::uint8_t { Low, Medium, High };

// Offset at which a zone begins along a bar of length pixels.
int MediumStart(int length);
int HighStart(int length);

// Unlit segments: a fifth of their zone colour over the background (weight for Mix).
constexpr int kUnlitWeight = 52;

constexpr int kSegment = 3;
constexpr int kSegmentPitch = 4;
// True for offsets that fall in the gap after a segment.
inline bool IsSegmentGap(int offset) { return offset % kSegmentPitch == kSegment; }

// How a bar of length pixels is shared at a position. A segmented bar lights whole segments
// (the nearest count) and its zones change colour between segments, never inside one.
struct BarLayout {
    int litLength = 0;
    int mediumStart = 0;
    int highStart = 0;
};
BarLayout LayoutBar(int length, const Range& range, bool segmented);

struct Span {
    int begin = 0;  // offsets from the bar's origin (where filling starts), [begin, end)
    int end = 0;
    Zone zone = Zone::Low;
    bool lit = false;
};
struct Spans {
    int count = 0;
    Span span[6];
};
// The lit and unlit stretches of each zone, from the origin outwards; empty ones left out.
Spans BarSpans(int length, const BarLayout& layout);

struct BarLook {
    Colour background = 0x000000;
    Colour bar1 = 0x33CC33;     // low
    Colour bar2 = 0x01FFFF;     // medium
    Colour bar3 = 0x0000FF;     // high
    Colour border1 = 0x000000;  // top and left edge
    Colour border2 = 0x000000;  // bottom and right edge
    bool showBorder = true;
    bool segmented = true;
    TALDirection direction = pdLeftToRight;
};

// The area inside the border.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
Rect BarInner(int width, int height, const BarLook& look);

// Paints the whole bar into dst (the bar's size).
void PaintBar(const PixelView& dst, const BarLook& look, const Range& range);

struct GaugeLook {
    Colour color = 0x000000;  // background
    Colour low = 0x008000;    // inactive ticks
    Colour high = 0x00FF00;   // active ticks
    bool bevel = true;
    int tickHeight = 1;
    int spacing = 1;
    TVrOrientation orientation = voVertical;
};

struct Ticks {
    int count = 0;   // ticks that fit
    int active = 0;  // of them lit, counted from the bottom (or the left)
};
Ticks GaugeTicks(int length, int tickHeight, int spacing, const Range& range);
// The area the ticks use: inside the bevel (2 pixels) and a 1-pixel margin when it is shown.
Rect GaugeInner(int width, int height, const GaugeLook& look);

void PaintGauge(const PixelView& dst, const GaugeLook& look, const Range& range);

}  // namespace level
}  // namespace widgets
