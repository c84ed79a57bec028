#include "monitor/ui/blend_rules.h"

namespace ui {

void Blend::SetAlphaBlend(bool on) {
    if (alphaBlend_ == on) return;
    alphaBlend_ = on;
    Apply();
}

void Blend::SetAlphaBlendValue(std::uint8_t value) {
    if (alphaValue_ == value) return;
    alphaValue_ = value;
    Apply();
}

void Blend::SetTransparentColor(bool on) {
    if (transparent_ == on) return;
    transparent_ = on;
    Apply();
}

void Blend::SetTransparentColorValue(std::uint32_t colour) {
    if (colourKey_ == colour) return;
    colourKey_ = colour;
    Apply();
}

void Blend::Reapply() {
    SetAlphaBlend(!alphaBlend_);
    SetAlphaBlend(!alphaBlend_);
    SetTransparentColor(!transparent_);
    SetTransparentColor(!transparent_);
}

void Blend::Apply() {
    if (!window_ || !window_->Exists() || !window_->Supported()) return;
    if (alphaBlend_ || transparent_) {
        if (!window_->Layered()) window_->SetLayered(true);
        window_->SetAttributes(colourKey_, alphaValue_,
                               (alphaBlend_ ? kLwaAlpha : 0) | (transparent_ ? kLwaColorKey : 0));
    } else {
        if (window_->Layered()) window_->SetLayered(false);
        window_->RedrawAll();
    }
}

}  // namespace ui
