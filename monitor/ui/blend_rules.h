// The window opacity controller: alpha blending and colour keying of one window through the
// layered-window attributes. Every property change re-applies the state to the window when
// the window exists; setting a property to its current value does nothing.
#pragma once
#include <cstdint>

namespace ui {

// What the controller needs of a window; TJbBlend (blend.h) binds it to a form.
class LayeredWindow {
public:
    virtual bool Exists() const = 0;
    // False where the platform has no layered-window attributes: then nothing is done.
    virtual bool Supported() const = 0;
    virtual bool Layered() const = 0;
    virtual void SetLayered(bool on) = 0;
    virtual void SetAttributes(std::uint32_t colourKey, std::uint8_t alpha, std::uint32_t flags) = 0;
    // Repaints the window with its frame and all its children.
    virtual void RedrawAll() = 0;

protected:
    ~LayeredWindow() = default;
};

constexpr std::uint32_t kLwaColorKey = 1;
constexpr std::uint32_t kLwaAlpha = 2;

class Blend {
public:
    explicit Blend(LayeredWindow* window = nullptr) : window_(window) {}
    void Attach(LayeredWindow* window) { window_ = window; }

    bool AlphaBlend() const { return alphaBlend_; }
    std::uint8_t AlphaBlendValue() const { return alphaValue_; }
    bool TransparentColor() const { return transparent_; }
    std::uint32_t TransparentColorValue() const { return colourKey_; }

    void SetAlphaBlend(bool on);
    void SetAlphaBlendValue(std::uint8_t value);
    void SetTransparentColor(bool on);
    void SetTransparentColorValue(std::uint32_t colour);

    // After the window's frame was rebuilt: flips AlphaBlend twice and TransparentColor twice,
    // so the opacity is applied again to the new frame.
    void Reapply();

    // Applies the current state to the window now.
    void Apply();

private:
    LayeredWindow* window_;
    bool alphaBlend_ = false;
    std::uint8_t alphaValue_ = 180;
    bool transparent_ = false;
    std::uint32_t colourKey_ = 0;
};

}  // namespace ui
