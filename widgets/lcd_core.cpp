#include "widgets/lcd_core.h"

#include <algorithm>
#include <cstdint>

namespace widgets {

void TVrPalette::SetLow(Colour c) {
    if (c == low_) return;
    low_ = c;
    if (onChange_) onChange_();
}

void TVrPalette::SetHigh(Colour c) {
    if (c == high_) return;
    high_ = c;
    if (onChange_) onChange_();
}

void TVrPalette::Assign(const TVrPalette& other) {
    if (other.low_ == low_ && other.high_ == high_) return;
    low_ = other.low_;
    high_ = other.high_;
    if (onChange_) onChange_();
}

namespace lcd {

namespace {
const StyleInfo kStyles[] = {
    {"NUM13x24", 169, 24}, {"NUM11x20", 143, 20}, {"NUM7x13", 91, 13},
    {"NUM12x17", 156, 17}, {"NUM5x7", 52, 7},
};
}  // namespace

const StyleInfo& StyleOf(TVrNumStyle style) {
    const int i = static_cast<int>(style);
    return kStyles[(i >= 0 && i <= ns5x7) ? i : 0];
}

CellRow BuildCellRow(const RowInput& in) {
    CellRow row;
    if (in.sign) row.cell[row.count++] = in.value < 0 ? kMinusLitCell : kMinusUnlitCell;

    // Digits of |value|, least significant first; 64-bit so that the lowest value has one.
    std::uint8_t digits[12];
    int n = 0;
    if (!(in.value == 0 && in.zeroBlank)) {
        std::int64_t magnitude = in.value;
        if (magnitude < 0) magnitude = -magnitude;
        do {
            digits[n++] = static_cast<std::uint8_t>(magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
    }
    const int width = std::clamp(in.digits, kMinDigits, kMaxDigits);
    for (int pad = n; pad < width; ++pad) row.cell[row.count++] = in.leadingZero ? 0 : kBlankCell;
    while (n > 0) row.cell[row.count++] = digits[--n];
    return row;
}

namespace {
std::int64_t RowSpan(int cells, int cellWidth, int spacing) {
    return std::int64_t{cells} * cellWidth + (std::int64_t{cells} - 1) * spacing;
}
}  // namespace

int RowWidth(int digits, bool sign, int cellWidth, int spacing) {
    return SaturateInt(RowSpan(SaturateInt(std::int64_t{digits} + (sign ? 1 : 0)), cellWidth, spacing));
}

int RowLeft(TVrNumAlignment alignment, int clientWidth, int rowWidth) {
    const std::int64_t room = std::int64_t{clientWidth} - rowWidth;
    switch (alignment) {
    case naLeftJustify: return 0;
    case naRightJustify: return SaturateInt(room);
    case naCenter:
    default: return SaturateInt(room / 2);
    }
}

Extent AutoSizeExtent(int digits, int cellWidth, int cellHeight, int spacing) {
    // No window is wider than kMaxExtent, so neither is the size asked for.
    const std::int64_t w = RowSpan(digits, cellWidth, spacing);
    return Extent{static_cast<int>(std::clamp<std::int64_t>(w, 0, kMaxExtent)),
                  std::clamp(cellHeight, 0, kMaxExtent)};
}

std::vector<std::uint8_t> KeyMask(const Image& image, Pixel key) {
    std::vector<std::uint8_t> mask(image.px.size());
    for (std::size_t i = 0; i < mask.size(); ++i) mask[i] = (image.px[i] & 0xFFFFFF) == key;
    return mask;
}

void PaintThroughMask(Image& image, const std::vector<std::uint8_t>& mask, Pixel colour) {
    const std::size_t n = std::min(mask.size(), image.px.size());
    for (std::size_t i = 0; i < n; ++i)
        if (mask[i]) image.px[i] = colour;
}

bool Strip::Load(const Image& strip) {
    *this = Strip{};
    if (strip.Empty() || strip.width < kStripCells) return false;
    recoloured_ = strip;
    unlit_ = KeyMask(strip, kStripUnlit);
    lit_ = KeyMask(strip, kStripLit);
    cellWidth_ = strip.width / kStripCells;
    cellHeight_ = strip.height;
    return true;
}

void Strip::Recolour(Colour low, Colour high) {
    PaintThroughMask(recoloured_, unlit_, ToPixel(low));
    PaintThroughMask(recoloured_, lit_, ToPixel(high));
}

void Strip::DrawCell(const PixelView& dst, int cell, int x, int y) const {
    if (!Loaded() || cell < 0 || cell >= kStripCells) return;
    const int sx = cell * cellWidth_;
    // The part of the cell that lands inside dst, in cell coordinates (64 bits: x and y may
    // be anything).
    const int x0 = static_cast<int>(std::clamp<std::int64_t>(-std::int64_t{x}, 0, cellWidth_));
    const int x1 = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{dst.width} - x, 0, cellWidth_));
    const int y0 = static_cast<int>(std::clamp<std::int64_t>(-std::int64_t{y}, 0, cellHeight_));
    const int y1 = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{dst.height} - y, 0, cellHeight_));
    if (x0 >= x1 || y0 >= y1 || !dst.px) return;
    for (int cy = y0; cy < y1; ++cy) {
        const std::size_t rowStart = static_cast<std::size_t>(cy) * recoloured_.width + sx;
        Pixel* out = &dst.At(x + x0, y + cy);  // the first pixel drawn, never one outside
        for (int cx = x0; cx < x1; ++cx) {
            const std::size_t i = rowStart + cx;
            if (unlit_[i] | lit_[i]) out[cx - x0] = recoloured_.px[i];
        }
    }
}

void Paint(const PixelView& dst, const Strip& strip, const PaintInput& in) {
    if (in.fillBackground) FillRect(dst, 0, 0, dst.width, dst.height, in.background);
    if (!strip.Loaded()) return;
    const CellRow row = BuildCellRow(in.row);
    const int digits = std::clamp(in.row.digits, kMinDigits, kMaxDigits);
    const int cw = strip.CellWidth();
    std::int64_t x = RowLeft(in.alignment, dst.width, RowWidth(digits, in.row.sign, cw, in.spacing));
    const int y = RowTop(dst.height, strip.CellHeight());
    for (int i = 0; i < row.count; ++i) {
        if (x >= dst.width) break;
        if (x + cw > 0) strip.DrawCell(dst, row.cell[i], static_cast<int>(x), y);
        x += std::int64_t{cw} + in.spacing;
    }
}

unsigned NumModel::SetValue(std::int32_t v) {
    v = std::clamp(v, min_, max_);
    if (v == value_) return kNone;
    value_ = v;
    return kRepaint | kChanged;
}

unsigned NumModel::SetMin(std::int32_t v) {
    if (v == min_ || v >= max_) return kNone;
    min_ = v;
    return kRepaint;
}

unsigned NumModel::SetMax(std::int32_t v) {
    if (v == max_ || v <= min_) return kNone;
    max_ = v;
    return kRepaint;
}

unsigned NumModel::SetDigits(int v) {
    if (v == digits_ || v < kMinDigits || v > kMaxDigits) return kNone;
    digits_ = v;
    return kResize | kRepaint;
}

unsigned NumModel::SetSpacing(int v) {
    if (v == spacing_ || v < 0) return kNone;
    spacing_ = v;
    return kResize | kRepaint;
}

unsigned NumModel::SetStyle(TVrNumStyle v) {
    if (v == style_ || v < ns13x24 || v > ns5x7) return kNone;
    style_ = v;
    return kReload | kResize | kRepaint;
}

unsigned NumModel::SetLeadingZero(bool v) {
    if (v == leadingZero_) return kNone;
    leadingZero_ = v;
    return kRepaint;
}

unsigned NumModel::SetZeroBlank(bool v) {
    if (v == zeroBlank_) return kNone;
    zeroBlank_ = v;
    return kRepaint;
}

unsigned NumModel::SetAlignment(TVrNumAlignment v) {
    if (v == alignment_ || v < naLeftJustify || v > naRightJustify) return kNone;
    alignment_ = v;
    return kRepaint;
}

unsigned NumModel::SetTransparent(bool v) {
    if (v == transparent_) return kNone;
    transparent_ = v;
    return kRepaint;
}

unsigned NumModel::SetColor(Colour v) {
    if (v == color_) return kNone;
    color_ = v;
    return kRepaint;
}

unsigned NumModel::SetAutoSize(bool v) {
    if (v == autoSize_) return kNone;
    autoSize_ = v;
    return kResize | kRepaint;
}

PaintInput NumModel::ToPaint() const {
    PaintInput p;
    p.row = Row();
    p.spacing = spacing_;
    p.alignment = alignment_;
    p.fillBackground = !transparent_;
    p.background = ToPixel(color_);
    return p;
}

}  // namespace lcd
}  // namespace widgets
