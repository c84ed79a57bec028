// HyperButton: the control carrying a TVrHyperButton. The host window's mouse tracking (hover,
// press, click, cursor) drives the widget, so it lights up under the pointer, looks pressed
// while the left button is held over it and clicks on a release over it.
//
//     btnStart.SetParent(this); btnStart.SetBounds(183, 8, 100, 25);
//     btnStart->SetCaption("Start");
//     btnStart->OnClick = [this](widgets::TVrHyperButton&) { btnStartClick(); };
#pragma once
#include "monitor/ui/control.h"
#include "widgets/hyperbutton.h"

namespace ui {

class HyperButton : public Hosted<widgets::TVrHyperButton> {
public:
    HyperButton();
};

}  // namespace ui
