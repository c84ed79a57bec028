#include "widgets/offscreen.h"

namespace widgets {

bool Offscreen::Ensure(int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    if (dc_ && width == width_ && height == height_) return true;
    Release();
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits) {
        Release();
        return false;
    }
    previous_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<Pixel*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void Offscreen::Release() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

namespace {
HMODULE g_module = nullptr;
}

void SetResourceModule(HMODULE module) { g_module = module; }

HMODULE ResourceModule() { return g_module ? g_module : GetModuleHandleA(nullptr); }

bool LoadBitmapResource(HMODULE module, const char* name, Image& out) {
    out = Image{};
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!info) return false;
    HGLOBAL handle = LoadResource(module, info);
    if (!handle) return false;
    const void* data = LockResource(handle);
    const DWORD size = SizeofResource(module, info);
    return data && DecodeDib(static_cast<const std::uint8_t*>(data), size, out);
}

}  // namespace widgets
