// Window opacity of a form: TJbBlend applies the opacity rules of Blend (blend_rules.h) to
// the form's window through the layered-window attributes.
#pragma once
#include <windows.h>

#include "monitor/ui/blend_rules.h"

namespace ui {

class Form;

class TJbBlend : private LayeredWindow {
public:
    explicit TJbBlend(Form& owner) : owner_(owner), rules_(this) {}
    TJbBlend(const TJbBlend&) = delete;
    TJbBlend& operator=(const TJbBlend&) = delete;

    bool AlphaBlend() const { return rules_.AlphaBlend(); }
    void SetAlphaBlend(bool v) { rules_.SetAlphaBlend(v); }
    // 0..255; a wider value is taken modulo 256.
    int AlphaBlendValue() const { return rules_.AlphaBlendValue(); }
    void SetAlphaBlendValue(int v) { rules_.SetAlphaBlendValue(static_cast<std::uint8_t>(v & 0xFF)); }
    bool TransparentColor() const { return rules_.TransparentColor(); }
    void SetTransparentColor(bool v) { rules_.SetTransparentColor(v); }
    COLORREF TransparentColorValue() const { return rules_.TransparentColorValue(); }
    void SetTransparentColorValue(COLORREF c) { rules_.SetTransparentColorValue(c); }
    // After the window's frame was rebuilt: applies the opacity to the new frame.
    void Reapply() { rules_.Reapply(); }
    // Applies the state to the window now.
    void Apply() { rules_.Apply(); }

private:
    bool Exists() const override;
    bool Supported() const override;
    bool Layered() const override;
    void SetLayered(bool on) override;
    void SetAttributes(std::uint32_t colourKey, std::uint8_t alpha, std::uint32_t flags) override;
    void RedrawAll() override;

    Form& owner_;
    Blend rules_;
};

}  // namespace ui
