// What the LCD digits decide without Windows: the digit strips and their recolouring, the row
// of cells a value shows, where the row goes, the size the control takes, and the property
// rules of TVrNum. The Windows side (vrnum.h) only loads the strip resource and copies pixels.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "widgets/pixels.h"

namespace widgets {

// Unlit (Low) and lit (High) segment colours, 0x00BBGGRR.
class TVrPalette {
public:
    TVrPalette() = default;
    TVrPalette(Colour low, Colour high) : low_(low), high_(high) {}
    TVrPalette(const TVrPalette& other) : low_(other.low_), high_(other.high_) {}
    // Copies both colours; the change notice comes once, only when something changed.
    TVrPalette& operator=(const TVrPalette& other) {
        Assign(other);
        return *this;
    }

    Colour Low() const { return low_; }
    Colour High() const { return high_; }
    void SetLow(Colour c);
    void SetHigh(Colour c);
    void Assign(const TVrPalette& other);
    // Low for a level of 0 or less, High otherwise.
    Colour Colors(int level) const { return level <= 0 ? low_ : high_; }
    // Called after a colour changed.
    void SetOnChange(std::function<void()> fn) { onChange_ = std::move(fn); }

private:
    Colour low_ = 0x008000;
    Colour high_ = 0x00FF00;
    std::function<void()> onChange_;
};

enum TVrNumStyle { ns13x24 = 0, ns11x20 = 1, ns7x13 = 2, ns12x17 = 3, ns5x7 = 4 };
enum TVrNumAlignment { naLeftJustify = 0, naCenter = 1, naRightJustify = 2 };

namespace lcd {

constexpr int kStripCells = 13;
constexpr std::uint8_t kBlankCell = 10;
constexpr std::uint8_t kMinusUnlitCell = 11;
constexpr std::uint8_t kMinusLitCell = 12;
constexpr Pixel kStripBackground = 0x000000;
constexpr Pixel kStripUnlit = 0x808080;
constexpr Pixel kStripLit = 0xC0C0C0;
constexpr int kMinDigits = 1;
constexpr int kMaxDigits = 16;
// Sixteen cells, or the ten digits of the largest magnitude, plus the sign cell.
constexpr int kMaxCells = kMaxDigits + 1;
// The largest size the control asks for (no window is larger).
constexpr int kMaxExtent = 32767;

struct StyleInfo {
    const char* resource;  // bitmap resource name of the strip
    int stripWidth;
    int stripHeight;
};
// The strip of a style; styles out of range give the first.
const StyleInfo& StyleOf(TVrNumStyle style);

// The cells one value shows, strip cell indices from left to right.
struct CellRow {
    int count = 0;
    std::uint8_t cell[kMaxCells] = {};
};

struct RowInput {
    std::int32_t value = 0;
    int digits = 4;
    bool leadingZero = false;
    bool zeroBlank = false;
    bool sign = false;  // a sign cell leads the row (Min is negative)
};

// The sign cell (when asked for), then the decimal digits of |value| padded on the left to
// `digits` cells with "0" cells (leadingZero) or blank cells. Numbers with more digits than
// `digits` keep all of them; a zero with zeroBlank is padding only.
CellRow BuildCellRow(const RowInput& in);

// Width of the row as it is placed: (digits + sign) cells and the spacing between them.
int RowWidth(int digits, bool sign, int cellWidth, int spacing);
// Left edge of the row in a client area of clientWidth.
int RowLeft(TVrNumAlignment alignment, int clientWidth, int rowWidth);
// Top edge of the row.
inline int RowTop(int clientHeight, int cellHeight) {
    return SaturateInt((std::int64_t{clientHeight} - cellHeight) / 2);
}

struct Extent {
    int width = 0;
    int height = 0;
};
// The size AutoSize gives the control (the sign cell is not counted).
Extent AutoSizeExtent(int digits, int cellWidth, int cellHeight, int spacing);

// 1 where the image has exactly `key`, 0 elsewhere.
std::vector<std::uint8_t> KeyMask(const Image& image, Pixel key);
// Paints `colour` where the mask is 1 and leaves every other pixel as it is.
void PaintThroughMask(Image& image, const std::vector<std::uint8_t>& mask, Pixel colour);

// A digit strip recoloured with a palette. Both masks come from the strip as drawn, so a
// palette colour that happens to equal a key colour (Low = 0xC0C0C0, say) or black never
// makes the other pass or the cell drawing take the wrong pixels.
class Strip {
public:
    // Takes the strip as drawn; false (and an empty strip) when it is narrower than 13 pixels.
    bool Load(const Image& strip);
    // Recolours: unlit segments become low, lit segments high; the background stays.
    void Recolour(Colour low, Colour high);

    bool Loaded() const { return cellWidth_ > 0 && cellHeight_ > 0; }
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    const Image& Recoloured() const { return recoloured_; }

    // Copies one cell's segment pixels to (x, y) of dst, clipped; background pixels of the
    // strip are left out so that what is under them shows.
    void DrawCell(const PixelView& dst, int cell, int x, int y) const;

private:
    Image recoloured_;
    std::vector<std::uint8_t> unlit_;
    std::vector<std::uint8_t> lit_;
    int cellWidth_ = 0;
    int cellHeight_ = 0;
};

struct PaintInput {
    RowInput row;
    int spacing = 2;
    TVrNumAlignment alignment = naCenter;
    bool fillBackground = true;  // false: dst already holds what lies under the control
    Pixel background = 0;
};
// Paints the whole control into dst (the control's size).
void Paint(const PixelView& dst, const Strip& strip, const PaintInput& in);

// The property rules of TVrNum over plain data. Each setter answers what the control must do.
class NumModel {
public:
    enum Effect : unsigned {
        kNone = 0,
        kRepaint = 1,
        kResize = 2,   // re-adjust the size (when AutoSize is set)
        kReload = 4,   // load and recolour the strip again
        kChanged = 8,  // raise OnChange
    };

    unsigned SetValue(std::int32_t v);
    unsigned SetMin(std::int32_t v);
    unsigned SetMax(std::int32_t v);
    unsigned SetDigits(int v);   // 1..16, others refused
    unsigned SetSpacing(int v);  // 0 or more, others refused
    unsigned SetStyle(TVrNumStyle v);
    unsigned SetLeadingZero(bool v);
    unsigned SetZeroBlank(bool v);
    unsigned SetAlignment(TVrNumAlignment v);
    unsigned SetTransparent(bool v);
    unsigned SetColor(Colour v);
    unsigned SetAutoSize(bool v);

    std::int32_t Value() const { return value_; }
    std::int32_t Min() const { return min_; }
    std::int32_t Max() const { return max_; }
    int Digits() const { return digits_; }
    int Spacing() const { return spacing_; }
    TVrNumStyle Style() const { return style_; }
    bool LeadingZero() const { return leadingZero_; }
    bool ZeroBlank() const { return zeroBlank_; }
    TVrNumAlignment Alignment() const { return alignment_; }
    bool Transparent() const { return transparent_; }
    Colour Color() const { return color_; }
    bool AutoSize() const { return autoSize_; }
    bool SignCell() const { return min_ < 0; }

    RowInput Row() const { return RowInput{value_, digits_, leadingZero_, zeroBlank_, SignCell()}; }
    PaintInput ToPaint() const;

private:
    std::int32_t value_ = 0;
    std::int32_t min_ = 0;
    std::int32_t max_ = 9999;
    int digits_ = 4;
    int spacing_ = 2;
    TVrNumStyle style_ = ns13x24;
    bool leadingZero_ = false;
    bool zeroBlank_ = false;
    TVrNumAlignment alignment_ = naCenter;
    bool transparent_ = false;
    Colour color_ = 0x000000;
    bool autoSize_ = false;
};

}  // namespace lcd
}  // namespace widgets
