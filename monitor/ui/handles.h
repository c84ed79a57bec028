// Owning wrappers for the Windows handles of the form layer. Each frees its handle exactly
// once, on every path; moving transfers ownership.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace ui {

template <typename H, typename Traits>
class Handle {
public:
    Handle() = default;
    explicit Handle(H h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
    Handle& operator=(Handle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, H{}));
        return *this;
    }
    ~Handle() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    void reset(H h = H{}) {
        if (h_ != H{} && h_ != h) Traits::Free(h_);
        h_ = h;
    }
    H release() { return std::exchange(h_, H{}); }

private:
    H h_{};
};

struct GdiTraits {
    static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct DcTraits {
    static void Free(HDC h) { DeleteDC(h); }
};
struct IconTraits {
    static void Free(HICON h) { DestroyIcon(h); }
};
struct MenuTraits {
    static void Free(HMENU h) { DestroyMenu(h); }
};
struct KernelTraits {
    static void Free(HANDLE h) { CloseHandle(h); }
};
struct ImageListTraits {
    static void Free(HIMAGELIST h) { ImageList_Destroy(h); }
};
struct WindowTraits {
    static void Free(HWND h) { DestroyWindow(h); }
};
struct ViewTraits {
    static void Free(void* view) { UnmapViewOfFile(view); }
};

using Bitmap = Handle<HBITMAP, GdiTraits>;
using Font = Handle<HFONT, GdiTraits>;
using Brush = Handle<HBRUSH, GdiTraits>;
using MemoryDc = Handle<HDC, DcTraits>;
using Icon = Handle<HICON, IconTraits>;
using Menu = Handle<HMENU, MenuTraits>;
using KernelHandle = Handle<HANDLE, KernelTraits>;
using ImageListHandle = Handle<HIMAGELIST, ImageListTraits>;
// A mapped view of a file mapping (MapViewOfFile).
using MappedView = Handle<void*, ViewTraits>;

// Selects an object into a DC for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~Selected() {
        if (old_) SelectObject(dc_, old_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window DC borrowed for one scope.
class WindowDc {
public:
    explicit WindowDc(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// A font description turned into a GDI font; height in points (positive) like a form designer.
Font MakeFont(const char* face, int points, bool bold = false);
// The same with a character height in pixels (negative, as LOGFONT's lfHeight).
Font MakeFontPixels(const char* face, int height, bool bold = false);

}  // namespace ui
