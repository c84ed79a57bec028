// TfrmMain: layout, main menu commands, hit-testing, snapping and settings.
#include "monitor/app/frmMain.h"

namespace app {

void TfrmMain::BuildMainMenu() {
    mniClose.SetCaption("Quit");
    mniClose.OnClick = [this](ui::MenuItem& s) { mniCloseClick(s); };
    mnMain.Items.Add(mniClose);
    mnMain.Images = &ilMenus;
    mnMain.OnPopup = [this] { mnMainPopup(); };
}

void TfrmMain::LoadSettings() {
    SetClientSize(kDesignClientWidth, kDesignClientHeight);
    CoolTrayIcon.SetVisible(true);
    Show();
}

void TfrmMain::SaveSettings() {}

void TfrmMain::dfsStickyFormResize() {}
void TfrmMain::mnMainPopup() {}
void TfrmMain::mniHereCPU1Click(ui::MenuItem&) {}
void TfrmMain::mniHereCPU2Click(ui::MenuItem&) {}
void TfrmMain::mniHereRAMClick(ui::MenuItem&) {}
void TfrmMain::mniHereSwapClick(ui::MenuItem&) {}
void TfrmMain::mniHereInternetClick(ui::MenuItem&) {}
void TfrmMain::mniHereStatusClick(ui::MenuItem&) {}
void TfrmMain::mniNormalClick(ui::MenuItem&) {}
void TfrmMain::mniSmallClick(ui::MenuItem&) {}
void TfrmMain::mniBigClick(ui::MenuItem&) {}
void TfrmMain::mniHorizontalClick(ui::MenuItem&) {}
void TfrmMain::mniVerticalClick(ui::MenuItem&) {}
void TfrmMain::mniGraphBordersClick(ui::MenuItem&) {}
void TfrmMain::mniHideClick(ui::MenuItem&) {}
void TfrmMain::mniAlwaysOnTopClick(ui::MenuItem&) {}
void TfrmMain::mniAlphaClick(ui::MenuItem&) {}
void TfrmMain::mniSnapClick(ui::MenuItem&) {}
void TfrmMain::mniBorderClick(ui::MenuItem&) {}
void TfrmMain::mniFloatCPU1Click(ui::MenuItem&) {}
void TfrmMain::mniFloatCPU2Click(ui::MenuItem&) {}
void TfrmMain::mniFloatRAMClick(ui::MenuItem&) {}
void TfrmMain::mniFloatSwapClick(ui::MenuItem&) {}
void TfrmMain::mniFloatInternetClick(ui::MenuItem&) {}
void TfrmMain::mniSystemClick(ui::MenuItem&) {}
void TfrmMain::mniStopWatchClick(ui::MenuItem&) {}
void TfrmMain::mniOptionsClick(ui::MenuItem&) {}
void TfrmMain::CheckforUpdate1Click(ui::MenuItem&) {}
void TfrmMain::mniHelpClick(ui::MenuItem&) {}
void TfrmMain::mniAboutClick(ui::MenuItem&) {}
void TfrmMain::mniCloseClick(ui::MenuItem&) { Close(); }
void TfrmMain::CoolTrayIconDblClick() {}
void TfrmMain::lcdDown1MouseDown(ui::Control&, ui::MouseButton, int, int) {}

LRESULT TfrmMain::WMNCHitTest(POINT) { return HTCAPTION; }

void TfrmMain::WMNCRButtonDown(POINT screen) { mnMain.Popup(Handle(), screen.x, screen.y); }

void TfrmMain::SnapWindowPos(WINDOWPOS&) {}

}  // namespace app
