// Window opacity: layered-window alpha and colour keying of a form.
#pragma once
#include <windows.h>

namespace ui {

class Form;

class TJbBlend {
public:
    explicit TJbBlend(Form& owner) : owner_(owner) {}

    bool AlphaBlend() const { return alpha_; }
    void SetAlphaBlend(bool v);
    int AlphaBlendValue() const { return value_; }
    void SetAlphaBlendValue(int v);
    bool TransparentColor() const { return keyed_; }
    void SetTransparentColor(bool v);
    COLORREF TransparentColorValue() const { return key_; }
    void SetTransparentColorValue(COLORREF c);
    // Re-applies the state to the window (after its styles changed).
    void Apply();

private:
    Form& owner_;
    bool alpha_ = false;
    int value_ = 180;
    bool keyed_ = false;
    COLORREF key_ = RGB(0, 0, 0);
};

}  // namespace ui
