// HyperButton: the control carrying a TVrHyperButton, and the mouse tracking that feeds it.
//
//     btnStart.SetParent(this); btnStart.SetBounds(183, 8, 100, 25);
//     btnStart->SetCaption("Start"); btnStart->OnClick = [this](auto&) { btnStartClick(); };
//     mouse_.Add(&btnStart);   // and in HandleMessage: if (mouse_.Handle(...)) return true;
#pragma once
#include <windows.h>

#include <vector>

#include "monitor/ui/control.h"
#include "widgets/hyperbutton.h"

namespace ui {

class HyperButton : public Hosted<widgets::TVrHyperButton> {};

// Tracks the mouse over a window's hyper-buttons: lights the one under the pointer, captures
// the mouse while one is pressed, clicks on a release over it, shows the hand cursor.
class HyperButtonMouse {
public:
    void Add(HyperButton* b) { buttons_.push_back(b); }
    // Call first thing from the window's message handling; true when the message was taken
    // (`result` then holds the answer).
    bool Handle(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

private:
    HyperButton* At(int x, int y) const;
    static bool Inside(const HyperButton* b, int x, int y);
    std::vector<HyperButton*> buttons_;
    HyperButton* hot_ = nullptr;
    HyperButton* pressed_ = nullptr;
    bool tracking_ = false;
};

}  // namespace ui
