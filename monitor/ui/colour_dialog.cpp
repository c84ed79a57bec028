#include "monitor/ui/colour_dialog.h"

#include <commdlg.h>

namespace ui {

ColourDialog::ColourDialog() {
    for (COLORREF& c : CustomColors) c = RGB(255, 255, 255);
}

bool ColourDialog::Execute(HWND owner) {
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = color_;
    cc.lpCustColors = CustomColors;
    cc.Flags = CC_RGBINIT | CC_ANYCOLOR | (FullOpen ? CC_FULLOPEN : 0);
    if (!ChooseColorA(&cc)) return false;
    color_ = cc.rgbResult;
    return true;
}

}  // namespace ui
