// TfrmMain: the main menu and its commands.
#include <windows.h>
#include <shellapi.h>

#include "monitor/app/frmMain.h"

#include <string>

#include "monitor/app/frmMain_parts.h"
#include "monitor/app/gadget_frame.h"
#include "monitor/app/gadget_layout.h"
#include "monitor/ui/windows_border.h"

namespace app {
namespace {

// Menu images in ilMenus.
enum MenuImage {
    kImgStopWatch = 0,
    kImgSystem = 1,
    kImgOptions = 2,
    kImgMainGroup = 3,
    kImgFloat = 4,
    kImgAlpha = 5,
    kImgHorizontal = 6,
    kImgVertical = 7,
    kImgHelp = 8,
    kImgAbout = 9,
    kImgUpdate = 10
};
constexpr int kDisplayGroup = 1;
constexpr int kOrientationGroup = 2;

std::string ProgramFolder() {
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n < sizeof path ? n : 0);
    const std::size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : s.substr(0, slash + 1);
}

void BringForward(ui::Form* form, bool restore) {
    if (!form || !form->Handle()) return;
    const HWND w = form->Handle();
    if (!form->Visible()) form->SetVisible(true);
    if (restore && IsIconic(w)) ShowWindow(w, SW_RESTORE);
    BringWindowToTop(w);
    SetForegroundWindow(w);
}

}  // namespace

// ---- the main menu

void TfrmMain::BuildMainMenu() {
    auto cmd = [this](ui::MenuItem& item, const char* caption, void (TfrmMain::*handler)(ui::MenuItem&)) {
        item.SetCaption(caption);
        item.OnClick = [this, handler](ui::MenuItem& s) { (this->*handler)(s); };
    };
    auto separator = [](ui::MenuItem& item) { item.SetCaption(ui::MenuItem::kSeparator); };

    mniMain.SetCaption("Main Group");
    mniMain.SetImageIndex(kImgMainGroup);
    mniHere.SetCaption("Show");
    cmd(mniHereCPU1, "CPU 1", &TfrmMain::mniHereCPU1Click);
    cmd(mniHereCPU2, "CPU 2", &TfrmMain::mniHereCPU2Click);
    cmd(mniHereRAM, "RAM", &TfrmMain::mniHereRAMClick);
    cmd(mniHereSwap, "Swap", &TfrmMain::mniHereSwapClick);
    cmd(mniHereInternet, "Network", &TfrmMain::mniHereInternetClick);
    cmd(mniHereStatus, "Status", &TfrmMain::mniHereStatusClick);
    for (ui::MenuItem* i :
         {&mniHereCPU1, &mniHereCPU2, &mniHereRAM, &mniHereSwap, &mniHereInternet, &mniHereStatus}) {
        i->SetChecked(true);
        mniHere.Add(*i);
    }

    NetworkDisplay1.SetCaption("Network Display");
    cmd(mniNormal, "Normal", &TfrmMain::mniNormalClick);
    cmd(mniSmall, "Small Digital", &TfrmMain::mniSmallClick);
    cmd(mniBig, "Large Digital", &TfrmMain::mniBigClick);
    for (ui::MenuItem* i : {&mniNormal, &mniSmall, &mniBig}) {
        i->SetRadioItem(true, kDisplayGroup);
        NetworkDisplay1.Add(*i);
    }
    mniSmall.SetChecked(true);

    Graphs1.SetCaption("Graphs");
    cmd(mniHorizontal, "Horizontal Orientation", &TfrmMain::mniHorizontalClick);
    cmd(mniVertical, "Vertical Orientation", &TfrmMain::mniVerticalClick);
    mniHorizontal.SetRadioItem(true, kOrientationGroup);
    mniVertical.SetRadioItem(true, kOrientationGroup);
    mniHorizontal.SetImageIndex(kImgHorizontal);
    mniVertical.SetImageIndex(kImgVertical);
    mniHorizontal.SetChecked(true);
    separator(N6);
    cmd(mniGraphBorders, "Graph Borders", &TfrmMain::mniGraphBordersClick);
    mniGraphBorders.SetChecked(true);
    Graphs1.Add(mniHorizontal);
    Graphs1.Add(mniVertical);
    Graphs1.Add(N6);
    Graphs1.Add(mniGraphBorders);

    cmd(mniHide, "Hide Main Group", &TfrmMain::mniHideClick);
    separator(N1);
    cmd(mniAlwaysOnTop, "Always On Top", &TfrmMain::mniAlwaysOnTopClick);
    mniAlwaysOnTop.SetChecked(true);
    cmd(mniAlpha, "Alpha Blending", &TfrmMain::mniAlphaClick);
    mniAlpha.SetImageIndex(kImgAlpha);
    cmd(mniSnap, "Snap", &TfrmMain::mniSnapClick);
    mniSnap.SetChecked(true);
    cmd(mniBorder, "Windows Border", &TfrmMain::mniBorderClick);
    for (ui::MenuItem* i : {&mniHere, &NetworkDisplay1, &Graphs1, &mniHide, &N1, &mniAlwaysOnTop, &mniAlpha,
                            &mniSnap, &mniBorder})
        mniMain.Add(*i);

    mniFloat.SetCaption("Show in Separate Window");
    mniFloat.SetImageIndex(kImgFloat);
    cmd(mniFloatCPU1, "CPU 1", &TfrmMain::mniFloatCPU1Click);
    cmd(mniFloatCPU2, "CPU 2", &TfrmMain::mniFloatCPU2Click);
    cmd(mniFloatRAM, "RAM", &TfrmMain::mniFloatRAMClick);
    cmd(mniFloatSwap, "Swap", &TfrmMain::mniFloatSwapClick);
    cmd(mniFloatInternet, "Network", &TfrmMain::mniFloatInternetClick);
    for (ui::MenuItem* i : {&mniFloatCPU1, &mniFloatCPU2, &mniFloatRAM, &mniFloatSwap, &mniFloatInternet})
        mniFloat.Add(*i);

    separator(N2);
    cmd(mniSystem, "System Details", &TfrmMain::mniSystemClick);
    mniSystem.SetImageIndex(kImgSystem);
    cmd(mniStopWatch, "Network Stopwatch", &TfrmMain::mniStopWatchClick);
    mniStopWatch.SetImageIndex(kImgStopWatch);
    separator(N3);
    cmd(mniOptions, "Options", &TfrmMain::mniOptionsClick);
    mniOptions.SetImageIndex(kImgOptions);
    separator(N4);
    cmd(CheckforUpdate1, "Check for Update", &TfrmMain::CheckforUpdate1Click);
    CheckforUpdate1.SetImageIndex(kImgUpdate);
    cmd(mniHelp, "Help", &TfrmMain::mniHelpClick);
    mniHelp.SetImageIndex(kImgHelp);
    cmd(mniAbout, "About", &TfrmMain::mniAboutClick);
    mniAbout.SetImageIndex(kImgAbout);
    separator(N5);
    cmd(mniClose, "Quit", &TfrmMain::mniCloseClick);

    for (ui::MenuItem* i : {&mniMain, &mniFloat, &N2, &mniSystem, &mniStopWatch, &N3, &mniOptions, &N4,
                            &CheckforUpdate1, &mniHelp, &mniAbout, &N5, &mniClose})
        mnMain.Items.Add(*i);
    mnMain.Images = &ilMenus;
    mnMain.OnPopup = [this] { mnMainPopup(); };
}

void TfrmMain::mnMainPopup() { mniHide.SetCaption(gadget::HideItemCaption(Visible())); }

// ---- show commands

namespace {

void ToggleBarCommand(TfrmMain& f, gadget::BarId bar, ui::MenuItem& item) {
    gadget::Parts p = ReadParts(f);
    bool checked = item.Checked();
    if (!gadget::ToggleBar(p, bar, checked)) return;
    item.SetChecked(checked);
    WriteParts(f, p);
    f.dfsStickyFormResize();
}

void TogglePanelCommand(TfrmMain& f, bool network, ui::MenuItem& item) {
    gadget::Parts p = ReadParts(f);
    bool checked = item.Checked();
    if (!gadget::TogglePanel(p, network, checked)) return;
    item.SetChecked(checked);
    WriteParts(f, p);
    f.dfsStickyFormResize();
}

}  // namespace

void TfrmMain::mniHereCPU1Click(ui::MenuItem&) { ToggleBarCommand(*this, gadget::kCPU1, mniHereCPU1); }
void TfrmMain::mniHereCPU2Click(ui::MenuItem&) { ToggleBarCommand(*this, gadget::kCPU2, mniHereCPU2); }
void TfrmMain::mniHereRAMClick(ui::MenuItem&) { ToggleBarCommand(*this, gadget::kRAM, mniHereRAM); }
void TfrmMain::mniHereSwapClick(ui::MenuItem&) { ToggleBarCommand(*this, gadget::kSwap, mniHereSwap); }
void TfrmMain::mniHereInternetClick(ui::MenuItem&) { TogglePanelCommand(*this, true, mniHereInternet); }
void TfrmMain::mniHereStatusClick(ui::MenuItem&) { TogglePanelCommand(*this, false, mniHereStatus); }

// ---- network display

namespace {

void SetDisplay(TfrmMain& f, gadget::NetDisplay mode) {
    ui::MenuItem& item = mode == gadget::NetDisplay::Normal ? f.mniNormal
                         : mode == gadget::NetDisplay::Big  ? f.mniBig
                                                            : f.mniSmall;
    item.SetChecked(true);
    const bool digital = mode != gadget::NetDisplay::Normal;
    if (digital) {
        const widgets::TVrNumStyle style = mode == gadget::NetDisplay::Big ? widgets::ns7x13 : widgets::ns5x7;
        for (TVrNumControl* lcd : {&f.lcdDown1, &f.lcdDown2, &f.lcdUp1, &f.lcdUp2}) (*lcd)->SetStyle(style);
    }
    for (ui::Control* c : std::initializer_list<ui::Control*>{&f.lcdDown1, &f.lcdDown2, &f.lcdUp1, &f.lcdUp2,
                                                              &f.lblDownPoint, &f.lblUpPoint})
        c->SetVisible(digital);
    f.lblDownload.SetVisible(!digital);
    f.lblUpload.SetVisible(!digital);

    gadget::Parts p = ReadParts(f);
    gadget::SetNetworkHeight(p,
                             gadget::NetworkPanelHeight(mode, f.lcdDown1.Height(), f.lblDownload.Height()));
    WriteParts(f, p);
    f.dfsStickyFormResize();
}

}  // namespace

void TfrmMain::mniNormalClick(ui::MenuItem&) { SetDisplay(*this, gadget::NetDisplay::Normal); }
void TfrmMain::mniSmallClick(ui::MenuItem&) { SetDisplay(*this, gadget::NetDisplay::Small); }
void TfrmMain::mniBigClick(ui::MenuItem&) { SetDisplay(*this, gadget::NetDisplay::Big); }

// ---- graphs

namespace {

void SetOrientation(TfrmMain& f, bool horizontal) {
    (horizontal ? f.mniHorizontal : f.mniVertical).SetChecked(true);
    const ui::Align edge = horizontal ? ui::Align::Top : ui::Align::Left;
    f.pnlCPURow.SetAlign(edge);
    f.barCPU1.SetAlign(edge);
    f.barRAM.SetAlign(edge);
    const auto dir = horizontal ? widgets::TALProgressBar::LeftToRight : widgets::TALProgressBar::BottomToTop;
    for (TMyBar* bar : {&f.barCPU1, &f.barCPU2, &f.barRAM, &f.barSwap}) (*bar)->SetDirection(dir);
    f.dfsStickyFormResize();
}

}  // namespace

void TfrmMain::mniHorizontalClick(ui::MenuItem&) { SetOrientation(*this, true); }
void TfrmMain::mniVerticalClick(ui::MenuItem&) { SetOrientation(*this, false); }

void TfrmMain::mniGraphBordersClick(ui::MenuItem&) {
    mniGraphBorders.SetChecked(!mniGraphBorders.Checked());
    for (TMyBar* bar : {&barCPU1, &barCPU2, &barRAM, &barSwap})
        (*bar)->SetShowBorder(mniGraphBorders.Checked());
    dfsStickyFormResize();
}

// ---- window state

void TfrmMain::mniHideClick(ui::MenuItem&) {
    SetVisible(!Visible());
    if (Visible()) dfsStickyFormResize();  // the layout runs whenever the gadget is shown
}

void TfrmMain::mniAlwaysOnTopClick(ui::MenuItem&) {
    mniAlwaysOnTop.SetChecked(!mniAlwaysOnTop.Checked());
    if (Handle())
        SetWindowPos(Handle(), mniAlwaysOnTop.Checked() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmMain::mniAlphaClick(ui::MenuItem&) {
    mniAlpha.SetChecked(!mniAlpha.Checked());
    Blend.SetAlphaBlend(mniAlpha.Checked());
}

void TfrmMain::mniSnapClick(ui::MenuItem&) {
    mniSnap.SetChecked(!mniSnap.Checked());
    StickTo = mniSnap.Checked() ? soScreen : soNothing;
}

void TfrmMain::mniBorderClick(ui::MenuItem&) {
    mniBorder.SetChecked(!mniBorder.Checked());
    ui::SetWindowsBorder(*this, mniBorder.Checked(), true);
    // The frame changed: apply the opacity to it again.
    Blend.Reapply();
    dfsStickyFormResize();
}

// ---- other windows

namespace {

void ToggleFloat(ui::MenuItem& item, ui::Form* form) {
    item.SetChecked(!item.Checked());
    if (form) form->SetVisible(item.Checked());
}

}  // namespace

void TfrmMain::mniFloatCPU1Click(ui::MenuItem&) { ToggleFloat(mniFloatCPU1, MeterWindows[0]); }
void TfrmMain::mniFloatCPU2Click(ui::MenuItem&) { ToggleFloat(mniFloatCPU2, MeterWindows[1]); }
void TfrmMain::mniFloatRAMClick(ui::MenuItem&) { ToggleFloat(mniFloatRAM, MeterWindows[2]); }
void TfrmMain::mniFloatSwapClick(ui::MenuItem&) { ToggleFloat(mniFloatSwap, MeterWindows[3]); }
void TfrmMain::mniFloatInternetClick(ui::MenuItem&) { ToggleFloat(mniFloatInternet, NetworkWindow); }

void TfrmMain::AttachFloatingWindows(meters::TfrmMeter* const (&meterWindows)[settings::kMeterCount],
                                     meters::TfrmInternet* network) {
    for (int i = 0; i < settings::kMeterCount; ++i) {
        MeterWindows[i] = meterWindows[i];
        FloatBlend[i] = meterWindows[i] ? &meterWindows[i]->BlendSeam() : nullptr;
    }
    NetworkWindow = network;
}

int TfrmMain::Reading(settings::Meter meter) const {
    switch (meter) {
    case settings::Meter::CPU1: return CPU1();
    case settings::Meter::CPU2: return CPU2();
    case settings::Meter::RAM: return RAM();
    case settings::Meter::Swap: break;
    }
    return Swap();
}

void TfrmMain::SetFloatChecked(int window, bool checked) {
    ui::MenuItem* items[] = {&mniFloatCPU1, &mniFloatCPU2, &mniFloatRAM, &mniFloatSwap, &mniFloatInternet};
    if (window >= 0 && window <= meters::kNetworkWindow) items[window]->SetChecked(checked);
}

HWND TfrmMain::OwnerWindow() const {
    ui::Application* app = ui::Application::Current();
    return app ? app->Handle() : nullptr;
}

void TfrmMain::mniSystemClick(ui::MenuItem&) { BringForward(windows_.frmTask, true); }
void TfrmMain::CoolTrayIconDblClick() { BringForward(windows_.frmTask, true); }
void TfrmMain::mniStopWatchClick(ui::MenuItem&) { BringForward(windows_.frmStopWatch, true); }

void TfrmMain::mniOptionsClick(ui::MenuItem&) { BringForward(windows_.frmOptions, true); }

void TfrmMain::mniAboutClick(ui::MenuItem&) {
    if (ui::Form* f = windows_.frmAbout) f->ShowModal();
}

void TfrmMain::mniHelpClick(ui::MenuItem&) {
    const std::string folder = ProgramFolder();
    const std::string file = folder + "help\\help.htm";
    const DWORD attrs = GetFileAttributesA(file.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        const std::string url = "file://" + file;
        ShellExecuteA(GetDesktopWindow(), "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } else {
        MessageBoxA(Handle(), "Cannot find Help File", "Error", MB_OK | MB_ICONWARNING);
    }
}

void TfrmMain::mniCloseClick(ui::MenuItem&) { Close(); }

}  // namespace app
