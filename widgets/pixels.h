// Plain pixel buffers for the display widgets. Every widget composes its picture in a 32-bit
// top-down pixel buffer (on Windows a DIB section) and copies it to the screen in one step,
// so what a widget draws is decided here, without Windows, and can be checked pixel by pixel.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace widgets {

// A colour as Windows keeps it: 0x00BBGGRR.
using Colour = std::uint32_t;
// A pixel as a 32-bit DIB keeps it: 0x00RRGGBB (blue in the lowest byte).
using Pixel = std::uint32_t;

constexpr Pixel ToPixel(Colour c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }
constexpr Colour ToColour(Pixel p) { return ToPixel(p); }

// A 64-bit result brought back into the int range (the widget cores compute positions and
// sizes in 64 bits, so no input makes their arithmetic overflow).
constexpr int SaturateInt(std::int64_t v) {
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : static_cast<int>(v);
}

// Mixes a and b: weight 0 gives b, 256 gives a.
Pixel Mix(Pixel a, Pixel b, int weight);

// A window onto pixels owned elsewhere; rows follow each other without padding.
struct PixelView {
    Pixel* px = nullptr;
    int width = 0;
    int height = 0;

    Pixel& At(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// Fills [x0, x1) x [y0, y1), clipped to the view.
void FillRect(const PixelView& v, int x0, int y0, int x1, int y1, Pixel p);

// An owned picture.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> px;

    void Resize(int w, int h) {
        width = w;
        height = h;
        px.assign(static_cast<std::size_t>(w) * h, 0);
    }
    PixelView View() { return PixelView{px.data(), width, height}; }
    Pixel At(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x]; }
    bool Empty() const { return width <= 0 || height <= 0; }
};

// Decodes a device-independent bitmap as a bitmap resource holds it (a BITMAPINFOHEADER,
// the colour table, the bits; a .bmp file without its 14-byte file header). Uncompressed
// 1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down. False, with out left empty, for
// anything else or for data that is cut short or inconsistent.
bool DecodeDib(const std::uint8_t* data, std::size_t size, Image& out);

}  // namespace widgets
