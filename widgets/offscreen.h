// The Windows side shared by the widgets: an off-screen picture that is kept between paints,
// and bitmap resources read as plain pixels.
#pragma once
#include <windows.h>

#include "widgets/pixels.h"

namespace widgets {

// A memory DC with a 32-bit top-down DIB section selected into it. Made again only when the
// size changes, so steady painting allocates nothing.
class Offscreen {
public:
    Offscreen() = default;
    ~Offscreen() { Release(); }
    Offscreen(const Offscreen&) = delete;
    Offscreen& operator=(const Offscreen&) = delete;

    // Ready at width x height (both at least 1); false when GDI refused.
    bool Ensure(int width, int height);
    void Release();

    HDC Dc() const { return dc_; }
    // The pixels, for writing after GdiFlush.
    PixelView Pixels() const { return PixelView{bits_, width_, height_}; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    Pixel* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// The module whose resources the widgets load (the program by default).
void SetResourceModule(HMODULE module);
HMODULE ResourceModule();

// Reads the RT_BITMAP resource `name` (found without regard to case) as pixels.
bool LoadBitmapResource(HMODULE module, const char* name, Image& out);

}  // namespace widgets
