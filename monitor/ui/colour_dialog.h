// The system's colour dialog (ChooseColor), as a small object a form owns.
//
//     dlgColour.SetColor(pnlCPU1Low.Color());
//     if (dlgColour.Execute(Handle())) pnlCPU1Low.SetColor(dlgColour.Color());
#pragma once
#include <windows.h>

namespace ui {

class ColourDialog {
public:
    ColourDialog();
    // The colour preselected when the dialog opens, and the one chosen after it.
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF c) { color_ = c; }
    // Open with the custom-colour part shown.
    bool FullOpen = false;
    // The sixteen custom colours, kept from one Execute to the next.
    COLORREF CustomColors[16];
    // Shows the dialog modally over `owner`: true when the user confirmed (Color() is the
    // choice), false when cancelled (Color() unchanged).
    bool Execute(HWND owner);

private:
    COLORREF color_ = RGB(0, 0, 0);
};

}  // namespace ui
