// What the hyper-button decides without Windows: how the pointer moves it between its
// states, what each state looks like, and its frame and face over plain pixels. The Windows
// side (hyperbutton.h) draws the caption and takes the mouse events from its host.
#pragma once
#include "widgets/pixels.h"

namespace widgets {
namespace hyper {

// The pointer's part in a button. Every call returns true when the look changed.
class ButtonState {
public:
    bool Hot() const { return hot_; }
    bool Down() const { return down_; }
    bool Enabled() const { return enabled_; }
    // Drawn pressed: the left button went down on it and the pointer is over it.
    bool PressedLook() const { return down_ && hot_; }

    // The pointer is over the button (inside) or not, with or without the button held.
    bool MouseMove(bool inside);
    bool MouseLeave() { return MouseMove(false); }
    // The left button went down over the button.
    bool MouseDown();
    // The left button came up; `click` says whether that was a click (pressed here,
    // released here, enabled).
    bool MouseUp(bool inside, bool& click);
    // The press was taken away (the capture went elsewhere).
    bool Cancel();
    bool SetEnabled(bool on);

private:
    bool hot_ = false;
    bool down_ = false;
    bool enabled_ = true;
};

struct Colours {
    Colour enter = 11974332;        // face under the pointer
    Colour leave = 0xC8D0D4;        // face at rest (the button face)
    Colour border = 0x808080;       // frame at rest
    Colour borderEnter = 0x000000;  // frame under the pointer
    Colour borderDown = 0x000000;   // frame while pressed (two pixels)
    Colour font = 0x000000;
    Colour disabledFont = 0x808080;
};

struct Look {
    Colour face = 0;
    Colour frame = 0;
    Colour text = 0;
    int frameWidth = 1;
    int textOffset = 0;  // the caption moves right and down by this while pressed
};
Look LookOf(const ButtonState& s, const Colours& c);

// Fills `v` with the face and draws the frame.
void PaintFace(const PixelView& v, const Look& look);

}  // namespace hyper
}  // namespace widgets
