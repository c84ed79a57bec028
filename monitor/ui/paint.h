// Painting scopes: each undoes what it began on every path, an exception included, so a throw
// while painting can never leave a window asking to be painted again and again.
#pragma once
#include <windows.h>

namespace ui {

// BeginPaint ... EndPaint of one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND wnd) : wnd_(wnd), dc_(BeginPaint(wnd, &ps_)) {}
    ~PaintScope() { EndPaint(wnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }
    // The area to paint (client coordinates).
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// SaveDC ... RestoreDC: clipping, selections and modes set inside the scope are undone.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDc() {
        if (id_) RestoreDC(dc_, id_);
    }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int id_;
};

}  // namespace ui
