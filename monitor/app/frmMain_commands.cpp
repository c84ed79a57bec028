// TfrmMain: layout, main menu commands, hit-testing, snapping and settings.
#include <windows.h>
#include <shellapi.h>

#include "monitor/app/frmMain.h"

#include <string>

#include "monitor/app/gadget_frame.h"
#include "monitor/app/gadget_layout.h"
#include "monitor/settings/settings_records.h"
#include "monitor/ui/screen_fit.h"

namespace app {
namespace {

constexpr const char* kWelcomeTitle = "Welcome to Corvane Statwell";
constexpr const char* kWelcomeText =
    "Right click the tray icon to bring up the main menu,\rwhere you can access program "
    "features, options,\rand the help file.";

// Menu images in ilMenus.
enum MenuImage {
    kImgStopWatch = 0, kImgSystem = 1, kImgOptions = 2, kImgMainGroup = 3, kImgFloat = 4,
    kImgAlpha = 5, kImgHorizontal = 6, kImgVertical = 7, kImgHelp = 8, kImgAbout = 9,
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

LRESULT ToHitCode(gadget::Hit h) {
    switch (h) {
    case gadget::Hit::Left: return HTLEFT;
    case gadget::Hit::Right: return HTRIGHT;
    case gadget::Hit::Top: return HTTOP;
    case gadget::Hit::Bottom: return HTBOTTOM;
    case gadget::Hit::TopLeft: return HTTOPLEFT;
    case gadget::Hit::TopRight: return HTTOPRIGHT;
    case gadget::Hit::BottomLeft: return HTBOTTOMLEFT;
    case gadget::Hit::BottomRight: return HTBOTTOMRIGHT;
    case gadget::Hit::Caption: break;
    }
    return HTCAPTION;
}

}  // namespace

// ---- parts of the gadget as the show commands see them

namespace {

static_assert(gadget::kBarCount == 4 && gadget::kCPU1 == 0 && gadget::kCPU2 == 1 && gadget::kRAM == 2 &&
                  gadget::kSwap == 3,
              "TfrmMain::Bars() is in the order of the show commands");
TMyBar* const* BarsOf(TfrmMain& f) { return f.Bars(); }

gadget::Parts ReadParts(TfrmMain& f) {
    gadget::Parts p;
    TMyBar* const* bars = BarsOf(f);
    for (int i = 0; i < gadget::kBarCount; ++i) p.bar[i] = bars[i]->Visible();
    p.graphs = f.pnlGraphs.Visible();
    p.network = f.pnlNetwork.Visible();
    p.status = f.pnlStatus.Visible();
    p.bottom = f.pnlBottom.Visible();
    p.networkHeight = f.pnlNetwork.Height();
    p.statusHeight = f.pnlStatus.Height();
    p.bottomHeight = f.pnlBottom.Height();
    p.clientHeight = f.ClientHeight();
    return p;
}

void WriteParts(TfrmMain& f, const gadget::Parts& p) {
    TMyBar* const* bars = BarsOf(f);
    for (int i = 0; i < gadget::kBarCount; ++i)
        if (bars[i]->Visible() != p.bar[i]) bars[i]->SetVisible(p.bar[i]);
    if (f.pnlNetwork.Height() != p.networkHeight) f.pnlNetwork.SetHeight(p.networkHeight);
    if (f.pnlStatus.Height() != p.statusHeight) f.pnlStatus.SetHeight(p.statusHeight);
    if (f.pnlBottom.Height() != p.bottomHeight) f.pnlBottom.SetHeight(p.bottomHeight);
    if (f.pnlNetwork.Visible() != p.network) f.pnlNetwork.SetVisible(p.network);
    if (f.pnlStatus.Visible() != p.status) f.pnlStatus.SetVisible(p.status);
    if (f.pnlBottom.Visible() != p.bottom) f.pnlBottom.SetVisible(p.bottom);
    if (f.pnlGraphs.Visible() != p.graphs) f.pnlGraphs.SetVisible(p.graphs);
    if (f.ClientHeight() != p.clientHeight) f.SetClientSize(f.ClientWidth(), p.clientHeight);
}

gadget::NetDisplay CurrentDisplay(const TfrmMain& f) {
    if (f.mniNormal.Checked()) return gadget::NetDisplay::Normal;
    if (f.mniBig.Checked()) return gadget::NetDisplay::Big;
    return gadget::NetDisplay::Small;
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
    for (ui::MenuItem* i : {&mniHereCPU1, &mniHereCPU2, &mniHereRAM, &mniHereSwap,
                            &mniHereInternet, &mniHereStatus}) {
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
    for (ui::MenuItem* i : {&mniHere, &NetworkDisplay1, &Graphs1, &mniHide, &N1, &mniAlwaysOnTop,
                            &mniAlpha, &mniSnap, &mniBorder})
        mniMain.Add(*i);

    mniFloat.SetCaption("Show in Separate Window");
    mniFloat.SetImageIndex(kImgFloat);
    cmd(mniFloatCPU1, "CPU 1", &TfrmMain::mniFloatCPU1Click);
    cmd(mniFloatCPU2, "CPU 2", &TfrmMain::mniFloatCPU2Click);
    cmd(mniFloatRAM, "RAM", &TfrmMain::mniFloatRAMClick);
    cmd(mniFloatSwap, "Swap", &TfrmMain::mniFloatSwapClick);
    cmd(mniFloatInternet, "Network", &TfrmMain::mniFloatInternetClick);
    for (ui::MenuItem* i : {&mniFloatCPU1, &mniFloatCPU2, &mniFloatRAM, &mniFloatSwap,
                            &mniFloatInternet})
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

    for (ui::MenuItem* i : {&mniMain, &mniFloat, &N2, &mniSystem, &mniStopWatch, &N3, &mniOptions,
                            &N4, &CheckforUpdate1, &mniHelp, &mniAbout, &N5, &mniClose})
        mnMain.Items.Add(*i);
    mnMain.Images = &ilMenus;
    mnMain.OnPopup = [this] { mnMainPopup(); };
}

void TfrmMain::mnMainPopup() { mniHide.SetCaption(gadget::HideItemCaption(Visible())); }

// ---- layout

void TfrmMain::dfsStickyFormResize() {
    if (layoutDepth_ > 2) return;
    ++layoutDepth_;
    TMyBar* const* bars = BarsOf(*this);
    bool shown[gadget::kBarCount];
    for (int i = 0; i < gadget::kBarCount; ++i) shown[i] = bars[i]->Visible();
    const bool horizontal = mniHorizontal.Checked();
    const gadget::BarLayout l =
        gadget::LayoutBars(shown, horizontal, pnlGraphs.Width(), pnlGraphs.Height());

    GraphsShown = l.graphsShown;
    if (!l.graphsShown) {
        if (pnlGraphs.Visible()) pnlGraphs.Hide();
        if (ClientHeight() != pnlBottom.Height()) SetClientSize(ClientWidth(), pnlBottom.Height());
    } else if (!pnlGraphs.Visible()) {
        pnlGraphs.Show();
    }

    if (horizontal) {
        for (int i = 0; i < gadget::kBarCount; ++i) bars[i]->SetHeight(l.barSize);
        pnlCPURow.SetHeight(l.cpuRowSize);
        pnlMemoryRow.SetHeight(l.memoryRowSize);
    } else {
        pnlCPURow.SetWidth(l.cpuRowSize);
        pnlMemoryRow.SetWidth(l.memoryRowSize);
        for (int i = 0; i < gadget::kBarCount; ++i) bars[i]->SetWidth(l.barSize);
    }
    if (pnlCPURow.Visible() != l.cpuRowVisible) pnlCPURow.SetVisible(l.cpuRowVisible);

    const gadget::DigitPlacement d =
        gadget::PlaceDigits(pnlNetwork.Width(), lcdDown1.Width(), lcdDown2.Width(),
                            lblDownPoint.Width(), lcdUp1.Width(), mniBig.Checked());
    lcdDown1.SetBounds(d.down1.left, d.down1.top, lcdDown1.Width(), lcdDown1.Height());
    lblDownPoint.SetBounds(d.downPoint.left, d.downPoint.top, lblDownPoint.Width(),
                           lblDownPoint.Height());
    lcdDown2.SetBounds(d.down2.left, d.down2.top, lcdDown2.Width(), lcdDown2.Height());
    lcdUp1.SetBounds(d.up1.left, d.up1.top, lcdUp1.Width(), lcdUp1.Height());
    lblUpPoint.SetBounds(d.upPoint.left, d.upPoint.top, lblUpPoint.Width(), lblUpPoint.Height());
    lcdUp2.SetBounds(d.up2.left, d.up2.top, lcdUp2.Width(), lcdUp2.Height());

    const gadget::TextPlacement t =
        gadget::PlaceRateTexts(pnlNetwork.Width(), lblDownload.Width(), lblUpload.Width());
    lblDownload.SetBounds(t.download.left, t.download.top, lblDownload.Width(),
                          lblDownload.Height());
    lblUpload.SetBounds(t.upload.left, t.upload.top, lblUpload.Width(), lblUpload.Height());
    --layoutDepth_;
}

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
        const widgets::TVrNumStyle style =
            mode == gadget::NetDisplay::Big ? widgets::ns7x13 : widgets::ns5x7;
        for (TVrNumControl* lcd : {&f.lcdDown1, &f.lcdDown2, &f.lcdUp1, &f.lcdUp2})
            (*lcd)->SetStyle(style);
    }
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &f.lcdDown1, &f.lcdDown2, &f.lcdUp1, &f.lcdUp2, &f.lblDownPoint, &f.lblUpPoint})
        c->SetVisible(digital);
    f.lblDownload.SetVisible(!digital);
    f.lblUpload.SetVisible(!digital);

    gadget::Parts p = ReadParts(f);
    gadget::SetNetworkHeight(
        p, gadget::NetworkPanelHeight(mode, f.lcdDown1.Height(), f.lblDownload.Height()));
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
    const auto dir = horizontal ? widgets::TALProgressBar::LeftToRight
                                : widgets::TALProgressBar::BottomToTop;
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
    const HWND w = Handle();
    if (w) {
        const LONG exStyle = GetWindowLongA(w, GWL_EXSTYLE) | WS_EX_TOOLWINDOW;
        const UINT frameFlags =
            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
        if (mniBorder.Checked()) {
            RECT r;
            GetWindowRect(w, &r);
            const int width = r.right - r.left;
            SetVisible(false);
            // A sizing frame without a title bar.
            const LONG style = (GetWindowLongA(w, GWL_STYLE) | WS_THICKFRAME) & ~WS_CAPTION;
            SetWindowLongA(w, GWL_STYLE, style);
            SetWindowLongA(w, GWL_EXSTYLE, exStyle);
            SetWindowPos(w, nullptr, 0, 0, 0, 0, frameFlags);
            SetVisible(true);
            GetWindowRect(w, &r);
            const int height = r.bottom - r.top;
            const UINT sizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
            SetWindowPos(w, nullptr, 0, 0, r.right - r.left, height + 1, sizeFlags);
            SetWindowPos(w, nullptr, 0, 0, r.right - r.left, height, sizeFlags);
            SetWindowPos(w, nullptr, 0, 0, width, height, sizeFlags);
        } else {
            SetVisible(false);
            SetWindowLongA(w, GWL_STYLE, GetWindowLongA(w, GWL_STYLE) & ~(WS_THICKFRAME | WS_CAPTION));
            SetWindowLongA(w, GWL_EXSTYLE, exStyle);
            SetWindowPos(w, nullptr, 0, 0, 0, 0, frameFlags);
            SetVisible(true);
        }
    }
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
void TfrmMain::mniStopWatchClick(ui::MenuItem&) { BringForward(windows_.frmStopWatch, false); }

void TfrmMain::mniOptionsClick(ui::MenuItem&) {
    if (ui::Form* f = windows_.frmOptions) f->SetVisible(true);
}

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

// ---- mouse

void TfrmMain::lcdDown1MouseDown(ui::Control&, ui::MouseButton button, int, int) {
    if (button != ui::MouseButton::Left || !Handle()) return;
    ReleaseCapture();
    SendMessageA(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

LRESULT TfrmMain::WMNCHitTest(POINT client) {
    RECT r{0, 0, 0, 0};
    if (Handle()) GetWindowRect(Handle(), &r);
    return ToHitCode(gadget::HitTest(client.x, client.y, r.right - r.left, r.bottom - r.top,
                                     ClientWidth(), ClientHeight(), mniBorder.Checked(),
                                     GraphsShown));
}

void TfrmMain::WMNCRButtonDown(POINT screen) { mnMain.Popup(Handle(), screen.x, screen.y); }

// ---- snapping

void TfrmMain::SnapWindowPos(WINDOWPOS& pos) {
    // The 2 x 2 minimum is already applied (HandleMessage, WM_WINDOWPOSCHANGING).
    if (StickTo == soNothing || !Handle()) return;
    RECT now;
    GetWindowRect(Handle(), &now);
    int x = (pos.flags & SWP_NOMOVE) ? now.left : pos.x;
    int y = (pos.flags & SWP_NOMOVE) ? now.top : pos.y;
    const int w = (pos.flags & SWP_NOSIZE) ? now.right - now.left : pos.cx;
    const int h = (pos.flags & SWP_NOSIZE) ? now.bottom - now.top : pos.cy;

    // The work area of the monitor the window is going to: the cached one of the primary
    // monitor, another monitor's own.
    RECT work = WorkArea();
    const RECT target{x, y, x + w, y + h};
    if (HMONITOR mon = MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST)) {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoA(mon, &mi) && !(mi.dwFlags & MONITORINFOF_PRIMARY)) work = mi.rcWork;
    }
    const gadget::Area area{work.left, work.top, work.right, work.bottom};
    if (!gadget::Snap(x, y, w, h, area, Threshold, gadget::soScreen)) return;
    pos.x = x;
    pos.y = y;
    pos.flags &= ~SWP_NOMOVE;
}

// ---- settings

void TfrmMain::LoadSettings() {
    using namespace settings;
    MainSettings current = MainDesign(DualCPU);
    const MainSettings s = SettingsFile ? ReadMain(*SettingsFile, current) : current;

    // The stored bounds are applied as read: snapping (still at its design state here) must
    // not pull a gadget that was kept near an edge with Snap off. Only a size beyond the
    // screens, or a place off every monitor, is brought back where the gadget can be seen.
    const StickToKind stick = StickTo;
    StickTo = soNothing;
    const ui::WindowBounds b = ui::FitToScreen({s.left, s.top, s.width, s.height}, gadget::kMinimumSize);
    SetBounds(b.left, b.top, b.width, b.height);
    StickTo = stick;

    // Panels: visibility and check marks directly.
    TMyBar* const* bars = BarsOf(*this);
    ui::MenuItem* items[gadget::kBarCount] = {&mniHereCPU1, &mniHereCPU2, &mniHereRAM, &mniHereSwap};
    const bool barShown[gadget::kBarCount] = {s.cpu1, s.cpu2, s.ram, s.swap};
    for (int i = 0; i < gadget::kBarCount; ++i) {
        bars[i]->SetVisible(barShown[i]);
        items[i]->SetChecked(barShown[i]);
    }
    pnlNetwork.SetVisible(s.network);
    mniHereInternet.SetChecked(s.network);
    pnlStatus.SetVisible(s.status);
    mniHereStatus.SetChecked(s.status);
    pnlBottom.SetVisible(s.network || s.status);
    if (!s.network && !s.status) pnlBottom.SetHeight(0);

    switch (s.networkDisplay) {
    case NetworkDisplay::Normal: mniNormalClick(mniNormal); break;
    case NetworkDisplay::Big: mniBigClick(mniBig); break;
    case NetworkDisplay::Small: mniSmallClick(mniSmall); break;
    }
    if (s.horizontal)
        mniHorizontalClick(mniHorizontal);
    else
        mniVerticalClick(mniVertical);

    // Menu-backed switches: the opposite mark, then the command, which flips it back.
    mniGraphBorders.SetChecked(!s.graphBorders);
    mniGraphBordersClick(mniGraphBorders);
    mniAlpha.SetChecked(!s.alphaBlend);
    mniAlphaClick(mniAlpha);
    Blend.SetAlphaBlendValue(OpacityFromSetting(s.alphaBlendValue));
    mniAlwaysOnTop.SetChecked(!s.alwaysOnTop);
    mniAlwaysOnTopClick(mniAlwaysOnTop);
    mniSnap.SetChecked(!s.snap);
    mniSnapClick(mniSnap);

    ApplyColours(s);

    // The floating windows read their own sections (and check their float items) when they
    // are created, after the gadget.
    if (SettingsFile) AdapterIndex = ReadAdapter(*SettingsFile, AdapterIndex);

    CoolTrayIcon.SetVisible(s.trayIconImage);
    TextTrayIcon.SetVisible(!s.trayIconImage);
    if (s.firstTime) {
        // On whichever icon is shown: exactly one of the two is in the tray.
        ui::TrayIcon& shown = s.trayIconImage ? static_cast<ui::TrayIcon&>(CoolTrayIcon) : TextTrayIcon;
        shown.ShowBalloon(kWelcomeTitle, kWelcomeText, NIIF_INFO, 10);
    }

    if (s.show) {
        SetVisible(true);
        dfsStickyFormResize();
    }
}

void TfrmMain::ApplyColours(const settings::MainSettings& s) {
    const settings::BarColours* colours[gadget::kBarCount] = {&s.cpu1Colours, &s.cpu2Colours,
                                                              &s.ramColours, &s.swapColours};
    TMyBar* const* bars = BarsOf(*this);
    for (int i = 0; i < gadget::kBarCount; ++i) {
        (*bars[i])->SetBackgroundColor(s.background);
        (*bars[i])->SetBorderColors(s.background, s.background);
        (*bars[i])->SetBarColors(colours[i]->low, colours[i]->medium, colours[i]->high);
    }
    pnlGraphs.SetColor(s.background);
    pnlCPURow.SetColor(s.background);
    pnlMemoryRow.SetColor(s.background);
    SetColor(s.background);
}

void TfrmMain::SaveSettings() {
    if (!SettingsFile) return;
    using namespace settings;
    AllSettings all;
    MainSettings& m = all.main;
    // Colours as the bars show them.
    m.background = barCPU1->BackgroundColor();
    BarColours* colours[gadget::kBarCount] = {&m.cpu1Colours, &m.cpu2Colours, &m.ramColours,
                                              &m.swapColours};
    TMyBar* const* bars = BarsOf(*this);
    for (int i = 0; i < gadget::kBarCount; ++i)
        *colours[i] = {(*bars[i])->BarColor1(), (*bars[i])->BarColor2(), (*bars[i])->BarColor3()};
    m.show = Visible();
    const ui::Rect r = WindowRect();
    m.width = r.width;
    m.height = r.height;
    m.top = r.top;
    m.left = r.left;
    m.cpu1 = barCPU1.Visible();
    m.cpu2 = barCPU2.Visible();
    m.ram = barRAM.Visible();
    m.swap = barSwap.Visible();
    m.network = pnlNetwork.Visible();
    m.status = pnlStatus.Visible();
    switch (CurrentDisplay(*this)) {
    case gadget::NetDisplay::Normal: m.networkDisplay = NetworkDisplay::Normal; break;
    case gadget::NetDisplay::Big: m.networkDisplay = NetworkDisplay::Big; break;
    case gadget::NetDisplay::Small: m.networkDisplay = NetworkDisplay::Small; break;
    }
    m.horizontal = mniHorizontal.Checked();
    m.alphaBlend = mniAlpha.Checked();
    m.alphaBlendValue = Blend.AlphaBlendValue();
    m.alwaysOnTop = mniAlwaysOnTop.Checked();
    m.snap = mniSnap.Checked();
    m.graphBorders = mniGraphBorders.Checked();
    m.trayIconImage = CoolTrayIcon.Visible();

    all.adapter = AdapterIndex;
    all.network = NetworkWindow ? NetworkWindow->CurrentSettings() : NetworkDesign();
    for (int i = 0; i < kMeterCount; ++i)
        all.meters[i] = MeterWindows[i] ? MeterWindows[i]->CurrentSettings() : MeterDesign(static_cast<Meter>(i));
    WriteAll(*SettingsFile, all);
}

}  // namespace app
