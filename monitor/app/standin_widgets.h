// Stand-ins for the display widgets until the widget library provides them: the same class
// names and the properties the gadget sets, drawn plainly.
#pragma once
#include <windows.h>

#include <cstdint>

#include "widgets/widget.h"

namespace widgets {

enum TVrNumStyle { ns13x24 = 0, ns11x20 = 1, ns7x13 = 2, ns12x17 = 3, ns5x7 = 4 };

class TVrNum : public Widget {
public:
    void SetValue(int32_t v) {
        if (v < 0) v = 0;
        if (v > 9999) v = 9999;
        if (v != value_) { value_ = v; Invalidate(); }
    }
    int32_t Value() const { return value_; }
    void SetDigits(int d) { digits_ = d; Resize(); }
    int Digits() const { return digits_; }
    void SetStyle(TVrNumStyle s) { style_ = s; Resize(); }
    TVrNumStyle Style() const { return style_; }
    void SetPalette(COLORREF low, COLORREF high) { low_ = low; high_ = high; Invalidate(); }
    void SetAutoSize(bool v) { autoSize_ = v; Resize(); }
    void SetColor(COLORREF c) { color_ = c; Invalidate(); }
    bool AutoSizeExtent(SIZE& s) const override {
        if (!autoSize_) return false;
        s.cx = digits_ * CellW() + (digits_ - 1) * 2;
        s.cy = CellH();
        return true;
    }
    void Paint(HDC dc, const RECT& r) override;

private:
    int CellW() const { static const int w[] = {13, 11, 7, 12, 4}; return w[style_]; }
    int CellH() const { static const int h[] = {24, 20, 13, 17, 7}; return h[style_]; }
    void Resize() { SIZE s; if (AutoSizeExtent(s)) RequestSize(s.cx, s.cy); Invalidate(); }
    int32_t value_ = 0;
    int digits_ = 4;
    TVrNumStyle style_ = ns13x24;
    COLORREF low_ = 0x008000, high_ = 0x00FF00, color_ = 0;
    bool autoSize_ = false;
};

class TALProgressBar : public Widget {
public:
    enum Direction { LeftToRight = 0, BottomToTop = 2 };
    void SetPosition(int p) {
        if (p < 0 || p > 100 || p == pos_) return;
        pos_ = p;
        Invalidate();
    }
    int Position() const { return pos_; }
    void SetBackColor(COLORREF c) { back_ = c; Invalidate(); }
    void SetBarColors(COLORREF low, COLORREF medium, COLORREF high) {
        low_ = low; medium_ = medium; high_ = high; Invalidate();
    }
    void SetBorderColors(COLORREF a, COLORREF b) { border1_ = a; border2_ = b; Invalidate(); }
    void SetShowBorder(bool v) { showBorder_ = v; Invalidate(); }
    void SetDirection(Direction d) { dir_ = d; Invalidate(); }
    void Paint(HDC dc, const RECT& r) override;

private:
    int pos_ = 0;
    COLORREF back_ = 0, low_ = 0x33CC33, medium_ = 0x01FFFF, high_ = 0x0000FF;
    COLORREF border1_ = 0, border2_ = 0;
    bool showBorder_ = true;
    Direction dir_ = LeftToRight;
};

}  // namespace widgets
