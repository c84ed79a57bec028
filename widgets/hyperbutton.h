// TVrHyperButton: a flat, windowless push button that lights up under the pointer. Its host
// passes the mouse on (MouseMove, MouseDown, MouseUp, MouseLeave, Cancel) and gets OnClick
// when the left button is pressed and released over it. Rules and pixels: hyper_core.h.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "widgets/hyper_core.h"
#include "widgets/offscreen.h"
#include "widgets/widget.h"

namespace widgets {

// A colour given as a system colour index (COLOR_BTNFACE...), looked up when painted, so it
// follows the user's colour scheme.
constexpr Colour SysColour(int index) { return 0x80000000u | static_cast<Colour>(index); }
Colour ResolveColour(Colour c);

class TVrHyperButton : public Widget {
public:
    static constexpr int kDefaultWidth = 100;
    static constexpr int kDefaultHeight = 25;

    TVrHyperButton() = default;
    TVrHyperButton(const TVrHyperButton&) = delete;
    TVrHyperButton& operator=(const TVrHyperButton&) = delete;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const char* text);
    // Not owned; the stock GUI font when null.
    void SetFont(HFONT font) { Set(font_, font); }
    HFONT Font() const { return font_; }

    // Face under the pointer and at rest.
    Colour ColorEnter() const { return colours_.enter; }
    void SetColorEnter(Colour c) { Set(colours_.enter, c); }
    Colour ColorLeave() const { return colours_.leave; }
    void SetColorLeave(Colour c) { Set(colours_.leave, c); }
    // Frame at rest, under the pointer and while pressed.
    void SetBorderColors(Colour rest, Colour enter, Colour down);
    Colour BorderColor() const { return colours_.border; }
    Colour BorderColorEnter() const { return colours_.borderEnter; }
    Colour BorderColorDown() const { return colours_.borderDown; }
    Colour FontColor() const { return colours_.font; }
    void SetFontColor(Colour c) { Set(colours_.font, c); }

    bool Enabled() const { return state_.Enabled(); }
    void SetEnabled(bool on) {
        if (state_.SetEnabled(on)) Invalidate();
    }
    bool Hot() const { return state_.Hot(); }
    bool Pressed() const { return state_.PressedLook(); }

    std::function<void(TVrHyperButton&)> OnClick;

    // From the host: `inside` says whether the pointer is over the button.
    void MouseMove(bool inside) {
        if (state_.MouseMove(inside)) Invalidate();
    }
    void MouseLeave() { MouseMove(false); }
    void MouseDown() {
        if (state_.MouseDown()) Invalidate();
    }
    void MouseUp(bool inside);
    void Cancel() {
        if (state_.Cancel()) Invalidate();
    }
    // A click from the keyboard or a program: OnClick when enabled.
    void Click();

    hyper::Look CurrentLook() const;
    void Paint(HDC dc, const RECT& bounds) override;
    void SysColorChange() override { Invalidate(); }

private:
    std::string caption_;
    HFONT font_ = nullptr;
    hyper::Colours colours_{11974332, SysColour(COLOR_BTNFACE), 0x808080, 0, 0, 0, SysColour(COLOR_GRAYTEXT)};
    hyper::ButtonState state_;
    Offscreen offscreen_;
};

}  // namespace widgets
