#include "widgets/bar_core.h"

#include <algorithm>
#include <cstdint>

namespace widgets {
namespace level {

bool Range::SetPosition(int p) {
    if (p < min_ || p > max_ || p == position_) return false;
    position_ = p;
    return true;
}

bool Range::SetMin(int v) {
    if (v >= max_) return false;
    min_ = v;
    position_ = std::clamp(position_, min_, max_);
    return true;
}

bool Range::SetMax(int v) {
    if (v <= min_) return false;
    max_ = v;
    position_ = std::clamp(position_, min_, max_);
    return true;
}

int LitLength(int length, int position, int min, int max) {
    if (length <= 0 || max <= min) return 0;
    const std::int64_t span = static_cast<std::int64_t>(max) - min;
    const std::int64_t p = std::clamp<std::int64_t>(static_cast<std::int64_t>(position) - min, 0, span);
    // Unsigned 64 bits: p and span stay below 2^32 and length below 2^31, so the largest
    // numerator, (2^32 - 1) * (2^31 - 1) * 2 + 2^32 - 1, still fits.
    const std::uint64_t num = static_cast<std::uint64_t>(p) * static_cast<std::uint64_t>(length) * 2u +
                              static_cast<std::uint64_t>(span);
    return static_cast<int>(num / (static_cast<std::uint64_t>(span) * 2u));
}

int MediumStart(int length) { return static_cast<int>((std::int64_t{length} * 60 + 50) / 100); }
int HighStart(int length) { return static_cast<int>((std::int64_t{length} * 85 + 50) / 100); }

BarLayout LayoutBar(int length, const Range& range, bool segmented) {
    BarLayout l;
    if (length <= 0) return l;
    if (!segmented) {
        l.litLength = LitLength(length, range.Position(), range.Min(), range.Max());
        l.mediumStart = MediumStart(length);
        l.highStart = HighStart(length);
        return l;
    }
    const int segments = length / kSegmentPitch + (length % kSegmentPitch != 0);
    auto at = [&](int segment) {
        return static_cast<int>(std::min<std::int64_t>(length, std::int64_t{segment} * kSegmentPitch));
    };
    l.litLength = at(LitLength(segments, range.Position(), range.Min(), range.Max()));
    l.mediumStart = at(MediumStart(segments));
    l.highStart = at(HighStart(segments));
    return l;
}

namespace {

// A width x height area less a margin of m on every side; empty rather than inside out.
Rect Inset(int width, int height, int m) {
    Rect r{m, m, SaturateInt(std::int64_t{width} - m), SaturateInt(std::int64_t{height} - m)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

}  // namespace

Spans BarSpans(int length, const BarLayout& layout) {
    Spans out;
    if (length <= 0) return out;
    const int litLength = std::clamp(layout.litLength, 0, length);
    const int medium = std::clamp(layout.mediumStart, 0, length);
    const int bounds[4] = {0, medium, std::clamp(layout.highStart, medium, length), length};
    const Zone zones[3] = {Zone::Low, Zone::Medium, Zone::High};
    for (int z = 0; z < 3; ++z) {
        const int b = bounds[z], e = bounds[z + 1];
        const int split = std::clamp(litLength, b, e);
        if (split > b) out.span[out.count++] = Span{b, split, zones[z], true};
        if (e > split) out.span[out.count++] = Span{split, e, zones[z], false};
    }
    return out;
}

Rect BarInner(int width, int height, const BarLook& look) {
    return Inset(width, height, look.showBorder ? 1 : 0);
}

namespace {

// Fills the stretch [begin, end) along the bar inside `in`, mapped by the direction.
void FillAlong(const PixelView& dst, const Rect& in, TALDirection dir, int begin, int end, Pixel p) {
    switch (dir) {
    case pdLeftToRight: FillRect(dst, in.left + begin, in.top, in.left + end, in.bottom, p); break;
    case pdRightToLeft: FillRect(dst, in.right - end, in.top, in.right - begin, in.bottom, p); break;
    case pdBottomToTop: FillRect(dst, in.left, in.bottom - end, in.right, in.bottom - begin, p); break;
    case pdTopToBottom: FillRect(dst, in.left, in.top + begin, in.right, in.top + end, p); break;
    }
}

bool Vertical(TALDirection dir) { return dir == pdBottomToTop || dir == pdTopToBottom; }

}  // namespace

void PaintBar(const PixelView& dst, const BarLook& look, const Range& range) {
    const Pixel bg = ToPixel(look.background);
    FillRect(dst, 0, 0, dst.width, dst.height, bg);
    if (look.showBorder && dst.width > 0 && dst.height > 0) {
        const Pixel b1 = ToPixel(look.border1), b2 = ToPixel(look.border2);
        FillRect(dst, 0, 0, dst.width, 1, b1);
        FillRect(dst, 0, 0, 1, dst.height, b1);
        FillRect(dst, 0, dst.height - 1, dst.width, dst.height, b2);
        FillRect(dst, dst.width - 1, 1, dst.width, dst.height, b2);
    }
    const Rect in = BarInner(dst.width, dst.height, look);
    const int length = Vertical(look.direction) ? in.Height() : in.Width();
    if (length <= 0 || in.Width() <= 0 || in.Height() <= 0) return;

    const Pixel lit[3] = {ToPixel(look.bar1), ToPixel(look.bar2), ToPixel(look.bar3)};
    const Spans spans =
        BarSpans(length, LayoutBar(length, range, look.segmented && length >= 4 * kSegmentPitch));
    for (int i = 0; i < spans.count; ++i) {
        const Span& s = spans.span[i];
        const Pixel c = lit[static_cast<int>(s.zone)];
        FillAlong(dst, in, look.direction, s.begin, s.end, s.lit ? c : Mix(c, bg, kUnlitWeight));
    }
    // Segment gaps only where the bar is long enough to show at least a few segments.
    if (look.segmented && length >= 4 * kSegmentPitch) {
        for (int off = kSegment; off < length; off += kSegmentPitch)
            FillAlong(dst, in, look.direction, off, off + 1, bg);
    }
}

Ticks GaugeTicks(int length, int tickHeight, int spacing, const Range& range) {
    Ticks t;
    tickHeight = std::max(1, tickHeight);
    spacing = std::max(0, spacing);
    if (length < tickHeight) return t;
    t.count = static_cast<int>((std::int64_t{length} + spacing) / (std::int64_t{tickHeight} + spacing));
    t.active = LitLength(t.count, range.Position(), range.Min(), range.Max());
    return t;
}

Rect GaugeInner(int width, int height, const GaugeLook& look) {
    return Inset(width, height, look.bevel ? 3 : 0);
}

void PaintGauge(const PixelView& dst, const GaugeLook& look, const Range& range) {
    FillRect(dst, 0, 0, dst.width, dst.height, ToPixel(look.color));
    const int w = dst.width, h = dst.height;
    if (look.bevel && w >= 4 && h >= 4) {
        // Sunken: shadow above and left, light below and right, two pixels deep.
        const Pixel outerDark = 0x808080, outerLight = 0xFFFFFF;
        const Pixel innerDark = 0x404040, innerLight = 0xC0C0C0;
        FillRect(dst, 0, 0, w, 1, outerDark);
        FillRect(dst, 0, 0, 1, h, outerDark);
        FillRect(dst, 0, h - 1, w, h, outerLight);
        FillRect(dst, w - 1, 0, w, h, outerLight);
        FillRect(dst, 1, 1, w - 1, 2, innerDark);
        FillRect(dst, 1, 1, 2, h - 1, innerDark);
        FillRect(dst, 1, h - 2, w - 1, h - 1, innerLight);
        FillRect(dst, w - 2, 1, w - 1, h - 1, innerLight);
    }
    const Rect in = GaugeInner(w, h, look);
    const bool vertical = look.orientation == voVertical;
    const int length = vertical ? in.Height() : in.Width();
    const int tick = std::max(1, look.tickHeight), gap = std::max(0, look.spacing);
    const Ticks t = GaugeTicks(length, tick, gap, range);
    const Pixel on = ToPixel(look.high), off = ToPixel(look.low);
    for (int i = 0; i < t.count; ++i) {
        // Every tick starts inside the length, so only its far edge needs saturating.
        const int b = static_cast<int>(std::int64_t{i} * (std::int64_t{tick} + gap));
        const Pixel c = i < t.active ? on : off;
        if (vertical)
            FillRect(dst, in.left, SaturateInt(std::int64_t{in.bottom} - b - tick), in.right, in.bottom - b,
                     c);
        else
            FillRect(dst, in.left + b, in.top, SaturateInt(std::int64_t{in.left} + b + tick), in.bottom, c);
    }
}

}  // namespace level
}  // namespace widgets
