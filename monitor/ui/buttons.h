// The button family: push buttons, check boxes, radio buttons and group boxes, each a thin
// WinControl over the system's BUTTON class.
//
//     btnOK.SetParent(this); btnOK.SetBounds(8, 200, 75, 23); btnOK.SetText("OK");
//     btnOK.SetDefault(true); btnOK.OnClick = ui::Bind(this, &TfrmOptions::btnOKClick);
//
// An "&" in a caption underlines the next letter: Alt+letter presses the button (or moves the
// focus to the check box or radio button and flips it).
#pragma once
#include <string>

#include "monitor/ui/win_control.h"
#include "monitor/ui/window_host.h"

namespace ui {

// The common part: a caption and the click event (BN_CLICKED: a mouse click, the space bar,
// Alt+letter, BM_CLICK; never a change made by the program).
class ButtonControl : public WinControl {
public:
    NotifyEvent OnClick;
    // Presses the button as the user would (BM_CLICK).
    void Click();
    bool Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    ButtonControl(DWORD style) : WinControl("BUTTON", style) {}
    // After BN_CLICKED, before OnClick.
    virtual void Clicked() {}
};

class Button : public ButtonControl {
public:
    Button() : ButtonControl(BS_PUSHBUTTON) {}
    // Enter presses the default button (drawn with the heavy border) unless another push
    // button has the focus.
    bool Default() const { return default_; }
    void SetDefault(bool v);
    // Escape presses the cancel button.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    // A click sets the modal form's result to this (mrNone: the form stays).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }

protected:
    void Clicked() override;
    // While a push button has the focus it is the one Enter presses and the one drawn with
    // the heavy border, as in a dialog box; the form's Default button is again when it leaves.
    bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void ShowAsDefault(bool on);
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

class CheckBox : public ButtonControl {
public:
    CheckBox() : ButtonControl(BS_AUTOCHECKBOX) {}
    bool Checked() const;
    // Changes the mark without an OnClick.
    void SetChecked(bool v);

protected:
    void HandleCreated() override;

private:
    bool checked_ = false;
};

// Radio buttons next to each other under the same parent form one group: checking one clears
// the others, and the arrow keys move between them.
class RadioButton : public ButtonControl {
public:
    RadioButton() : ButtonControl(BS_AUTORADIOBUTTON) { SetTabStop(false); }
    bool Checked() const;
    // Changes the mark without an OnClick; checking clears the other buttons of the group.
    void SetChecked(bool v);

protected:
    void HandleCreated() override;
    bool StartsGroup() const override;
    void Clicked() override;

private:
    bool checked_ = false;
};

// A frame with a caption around other controls, placed inside it as its children (their
// bounds relative to the area inside the frame). It is a child host: its child windows live
// in its window, so the frame never covers them, and Tab moves through them; radio buttons in
// it form their own group. "&" in the caption makes Alt+letter move to its first control. The
// frame is the visual style's group box where one is active, the etched line otherwise.
class GroupBox : public WindowHost {
public:
    GroupBox();
    void SetText(const char* text);
    const std::string& Text() const { return text_; }
    void SetFont(HFONT font);
    HFONT GetFont() const;
    // The children's area: inside the frame, below the caption.
    Rect ClientRect() const override;
    void PaintSelf(HDC dc, const Rect& r) override;

private:
    std::string text_;
    HFONT font_ = nullptr;
};

}  // namespace ui
