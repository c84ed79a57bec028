#include "widgets/pixels.h"

#include <algorithm>
#include <cstring>

namespace widgets {

Pixel Mix(Pixel a, Pixel b, int weight) {
    weight = std::clamp(weight, 0, 256);
    Pixel out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        const int c = (ca * weight + cb * (256 - weight) + 128) >> 8;
        out |= static_cast<Pixel>(c) << shift;
    }
    return out;
}

void FillRect(const PixelView& v, int x0, int y0, int x1, int y1, Pixel p) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, v.width);
    y1 = std::min(y1, v.height);
    if (x1 <= x0 || y1 <= y0) return;  // nothing inside: form no pointer at all
    for (int y = y0; y < y1; ++y) std::fill(&v.At(x0, y), &v.At(x0, y) + (x1 - x0), p);
}

namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

bool DecodeDib(const std::uint8_t* data, std::size_t size, Image& out) {
    out = Image{};
    if (!data || size < 40) return false;
    const std::uint32_t headerSize = U32(data);
    if (headerSize < 40 || headerSize > size) return false;
    const std::int32_t width = static_cast<std::int32_t>(U32(data + 4));
    const std::int32_t rawHeight = static_cast<std::int32_t>(U32(data + 8));
    const std::uint16_t planes = U16(data + 12);
    const std::uint16_t bpp = U16(data + 14);
    const std::uint32_t compression = U32(data + 16);
    std::uint32_t colours = U32(data + 32);
    // Sizes beyond a few thousand pixels are no widget image: refuse rather than allocate.
    if (planes != 1 || compression != 0 || width <= 0 || width > 4096 || rawHeight == 0 ||
        rawHeight < -4096 || rawHeight > 4096)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    if (bpp <= 8) {
        if (colours == 0) colours = 1u << bpp;
        if (colours > (1u << bpp)) return false;
    } else {
        colours = 0;
    }
    const std::size_t tableOffset = headerSize;
    const std::size_t bitsOffset = tableOffset + static_cast<std::size_t>(colours) * 4;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    if (bitsOffset > size || stride * height > size - bitsOffset) return false;

    out.Resize(width, height);
    const std::uint8_t* table = data + tableOffset;
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* src = data + bitsOffset + stride * row;
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            Pixel p = 0;
            if (bpp == 24 || bpp == 32) {
                const std::uint8_t* q = src + x * (bpp / 8);
                p = q[0] | (q[1] << 8) | (q[2] << 16);
            } else {
                const int bitPos = x * bpp;
                const int index = (src[bitPos / 8] >> (8 - bpp - bitPos % 8)) & ((1 << bpp) - 1);
                if (static_cast<std::uint32_t>(index) >= colours) {
                    out = Image{};
                    return false;
                }
                const std::uint8_t* q = table + index * 4;
                p = q[0] | (q[1] << 8) | (q[2] << 16);
            }
            out.px[static_cast<std::size_t>(y) * width + x] = p;
        }
    }
    return true;
}

}  // namespace widgets
