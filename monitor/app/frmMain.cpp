// TfrmMain: creation, the sampling tick, the tray icons and closing.
#include "monitor/app/frmMain.h"

#include <cstdio>

#include "monitor/app/gadget_frame.h"
#include "monitor/app/gadget_layout.h"
#include "monitor/app/metrics_source.h"
#include "monitor/metrics/cpu_usage.h"
#include "widgets/widgets_res.h"

namespace app {

namespace {

char UserDecimalSeparator() {
    char buf[8] = ".";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf);
    return buf[0] ? buf[0] : '.';
}

// The Windows version as the system reports it (RtlGetVersion is not subject to the
// compatibility shims that GetVersionEx may apply).
void WindowsVersion(unsigned& major, unsigned& minor) {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    auto fn = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    if (!fn || fn(&vi) != 0) GetVersionExW(&vi);
    major = vi.dwMajorVersion;
    minor = vi.dwMinorVersion;
}

}  // namespace

bool DecideDualCPU(int n, unsigned major, unsigned minor) {
    // Windows 2000 (5.0) and XP (5.1) count the "_Total" instance among the processors.
    const bool total = major == 5 && (minor == 0 || minor == 1);
    return total ? n >= 3 : n >= 2;
}

int TfrmMain::StatusMeasure::TextWidth(const char* text) {
    return ui::MeasureText(panel_.GetFont(), text).cx;
}

TfrmMain::TfrmMain(MetricSource* metrics)
    : ui::TdfsStickyForm("TfrmMain"),
      Timer(*this, 1000),
      Blend(*this),
      metrics_(metrics),
      tick_(*this, UserDecimalSeparator()),
      measure_(pnlMeasure) {
    if (!metrics_) {
        ownMetrics_ = std::make_unique<PlatformMetrics>();
        metrics_ = ownMetrics_.get();
    }
}

TfrmMain::~TfrmMain() { Timer.SetEnabled(false); }

void TfrmMain::dfsStickyFormCreate() {
    // Borderless, on top, hidden until the settings decide; painting is double-buffered by
    // the form. No taskbar button: a tool window from the start, and owned by the hidden
    // application window (itself a tool window). An owner matters: a window "owned" by the
    // desktop window has no owner at all, and shells that skip only owned windows (Wine's
    // taskbar ignores the tool-window style) would give the gadget a button.
    ui::FormStyle fs;
    fs.style = WS_POPUP | WS_CLIPCHILDREN;
    fs.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    ui::Application* app = ui::Application::Current();
    fs.owner = app ? app->Handle() : GetDesktopWindow();
    CreateHandle(fs, kDesignClientWidth, kDesignClientHeight, "Corvane Statwell");
    Threshold = 10;

    SettingsStore = std::make_unique<settings::IniProfileStore>(settings::SettingsPathOfThisProgram());
    SettingsFile = std::make_unique<settings::SettingsFile>(*SettingsStore);

    GraphsShown = true;
    UpOctets = DownOctets = 0;
    TrimCounter = 540;
    AdapterIndex = 1;
    unsigned major = 0, minor = 0;
    WindowsVersion(major, minor);
    int n = 1;
    try {
        n = metrics::ProcessorCount();
    } catch (const std::exception&) {
        n = 1;  // no per-processor figures
    }
    DualCPU = DecideDualCPU(n, major, minor);

    BuildPanels();
    BuildTray();
    SetPopupMenu(&mnMain);
    BuildMainMenu();

    if (!DualCPU) {
        barCPU2.Hide();
        mniHereCPU2.SetVisible(false);
        mniFloatCPU2.SetVisible(false);
        mniHereCPU1.SetCaption("CPU");
        mniFloatCPU1.SetCaption("CPU");
    }

    Timer.OnTimer = [this] { TimerTimer(); };
    Timer.SetEnabled(true);
    LoadSettings();
}

void TfrmMain::BuildPanels() {
    fontForm = ui::MakeFont("MS Sans Serif", 8);
    fontStatus = ui::MakeFont("Small Fonts", 7);
    fontPoint = ui::MakeFont("MS Sans Serif", 10);
    fontTray = ui::MakeFontPixels("Small Fonts", -9);
    SetColor(RGB(0, 0, 0));

    pnlGraphs.SetParent(this);
    pnlGraphs.SetAlign(ui::Align::Client);
    pnlGraphs.SetColor(RGB(0, 0, 0));
    pnlBottom.SetParent(this);
    pnlBottom.SetAlign(ui::Align::Bottom);
    pnlBottom.SetColor(RGB(0, 0, 0));
    pnlCPURow.SetParent(&pnlGraphs);
    pnlCPURow.SetAlign(ui::Align::Top);
    pnlCPURow.SetParentColor(true);
    pnlMemoryRow.SetParent(&pnlGraphs);
    pnlMemoryRow.SetAlign(ui::Align::Client);
    pnlMemoryRow.SetParentColor(true);
    pnlNetwork.SetParent(&pnlBottom);
    pnlNetwork.SetAlign(ui::Align::Top);
    pnlNetwork.SetColor(RGB(0, 0, 0));
    pnlStatus.SetParent(&pnlBottom);
    pnlStatus.SetAlign(ui::Align::Bottom);
    pnlStatus.SetHeight(14);
    pnlStatus.SetBorder(true);
    pnlStatus.SetFont(fontStatus.get());
    pnlStatus.SetColor(RGB(0xFF, 0xFF, 0xFF));
    pnlMeasure.SetParent(this);
    pnlMeasure.Hide();
    pnlMeasure.SetFont(fontStatus.get());

    TMyBar* bars[] = {&barCPU1, &barCPU2, &barRAM, &barSwap};
    barCPU1.SetParent(&pnlCPURow);
    barCPU1.SetAlign(ui::Align::Top);
    barCPU2.SetParent(&pnlCPURow);
    barCPU2.SetAlign(ui::Align::Client);
    barRAM.SetParent(&pnlMemoryRow);
    barRAM.SetAlign(ui::Align::Top);
    barSwap.SetParent(&pnlMemoryRow);
    barSwap.SetAlign(ui::Align::Client);
    for (TMyBar* b : bars) {
        (*b)->SetBackgroundColor(0);
        (*b)->SetBarColors(settings::kBarLow, settings::kBarMedium, settings::kBarHigh);
        (*b)->SetBorderColors(0, 0);
    }

    TVrNumControl* lcds[] = {&lcdDown1, &lcdDown2, &lcdUp1, &lcdUp2};
    for (TVrNumControl* l : lcds) {
        l->SetParent(&pnlNetwork);
        (*l)->SetStyle(widgets::ns5x7);
        (*l)->SetColor(0);
        (*l)->SetAutoSize(true);
        l->OnMouseDown = [this](ui::Control& s, ui::MouseButton b, int x, int y) {
            lcdDown1MouseDown(s, b, x, y);
        };
    }
    lcdDown1->SetDigits(3);
    lcdUp1->SetDigits(3);
    lcdDown2->SetDigits(1);
    lcdUp2->SetDigits(1);
    lcdDown1->SetPalette(0x005533, 0x00FE99);
    lcdDown2->SetPalette(0x005533, 0x00FE99);
    lcdUp1->SetPalette(0x6A2500, 0xFFCC00);
    lcdUp2->SetPalette(0x6A2500, 0xFFCC00);

    TMyLabel* points[] = {&lblDownPoint, &lblUpPoint};
    for (TMyLabel* p : points) {
        p->SetParent(&pnlNetwork);
        p->SetFont(fontPoint.get());
        p->SetCaption(".");
        p->OnMouseDown = [this](ui::Control& s, ui::MouseButton b, int x, int y) {
            lcdDown1MouseDown(s, b, x, y);
        };
    }
    lblDownPoint.SetFontColor(kDownColour);
    lblUpPoint.SetFontColor(kUpColour);
    ui::Label* texts[] = {&lblDownload, &lblUpload};
    for (ui::Label* t : texts) {
        t->SetParent(&pnlNetwork);
        t->SetFont(fontForm.get());
        t->SetCaption("0.00");
        t->Hide();
    }
    lblDownload.SetFontColor(kDownColour);
    lblUpload.SetFontColor(kUpColour);

    // Heights, and a first placement of the rows and digits for the design size.
    pnlNetwork.SetHeight(lcdDown1.Height() + 5);
    pnlBottom.SetHeight(pnlNetwork.Height() + pnlStatus.Height());
    const int h = pnlGraphs.Height() / 4;
    for (TMyBar* b : bars) b->SetHeight(h);
    pnlCPURow.SetHeight(DualCPU ? 2 * h : h);
    const int q = pnlNetwork.Width() / 4;
    const int g = lcdDown1.Width() + lcdDown2.Width() + lblDownPoint.Width();
    lcdDown1.SetBounds(q - g / 2, 2, lcdDown1.Width(), lcdDown1.Height());
    lcdUp1.SetBounds(3 * q - g / 2, 2, lcdUp1.Width(), lcdUp1.Height());
    lblDownPoint.SetBounds(lcdDown1.Left() + lcdDown1.Width() + 1, -4, lblDownPoint.Width(),
                           lblDownPoint.Height());
    lblUpPoint.SetBounds(lcdUp1.Left() + lcdUp1.Width() + 1, -4, lblUpPoint.Width(), lblUpPoint.Height());
    lcdDown2.SetBounds(lblDownPoint.Left() + 4, 2, lcdDown2.Width(), lcdDown2.Height());
    lcdUp2.SetBounds(lblUpPoint.Left() + 4, 2, lcdUp2.Width(), lcdUp2.Height());
}

void TfrmMain::BuildTray() {
    for (int i = 0; i < 13; ++i) {
        HICON icon = static_cast<HICON>(
            LoadImageA(ui::ModuleInstance(), MAKEINTRESOURCEA(IDI_TRAYLOAD0 + i), IMAGE_ICON, 16, 16, 0));
        IconList.AddIcon(icon);
        trayIcons_[i].reset(icon);
    }
    // The menu images: one strip of 16 x 16 cells, magenta transparent.
    ui::Bitmap menuImages(static_cast<HBITMAP>(
        LoadImageA(ui::ModuleInstance(), "MENUIMAGES", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ilMenus.AddMasked(menuImages.get(), RGB(255, 0, 255));
    CoolTrayIcon.Menu = &mnMain;
    CoolTrayIcon.OnDblClick = [this] { CoolTrayIconDblClick(); };
    ChangeTrayIcon(0);
    TextTrayIcon.Menu = &mnMain;
    TextTrayIcon.OnDblClick = [this] { CoolTrayIconDblClick(); };
    TextTrayIcon.SetFont(fontTray.get());
    TextTrayIcon.SetText("0");
}

void TfrmMain::ChangeTrayIcon(int percent) { ShowTrayImage(TrayImageFor(percent)); }

void TfrmMain::ShowTrayImage(int image) {
    if (image == trayImage_ || image < 0 || image >= 13) return;
    trayImage_ = image;
    CoolTrayIcon.SetIcon(trayIcons_[image].get());
}

void TfrmMain::GetOctets(int index) {
    AdapterListSink* sink = Details && Details->ShownNotMinimised() ? &Details->Adapters() : nullptr;
    tick_.GetOctets(*metrics_, sink, index);
}

void TfrmMain::TimerTimer() {
    const bool details = Details && Details->ShownNotMinimised();
    if (details) Details->Refresh();
    pnlMeasure.SetFont(pnlStatus.GetFont());
    try {
        tick_.Run(*metrics_, details ? &Details->Adapters() : nullptr, measure_, pnlStatus.Width(), result_);
    } catch (...) {
        ApplyTick(result_);  // what the tick decided before the error stands
        throw;
    }
    ApplyTick(result_);
    for (int i = 0; i < 4; ++i) {
        if (!FloatBlend[i]) continue;
        const int p = i == 0 ? CPU1() : i == 1 ? CPU2() : i == 2 ? RAM() : Swap();
        StepVariableBlend(*FloatBlend[i], p);
    }
}

void TfrmMain::ApplyTick(const TickResult& r) {
    if (r.reached >= TickResult::Cpu) {
        barCPU1->SetPosition(r.barCPU1);
        // A new picture and a new hint reach the shell in one call per icon.
        CoolTrayIcon.BeginUpdate();
        // The image the tick chose for this load.
        ShowTrayImage(r.trayImage);
        CoolTrayIcon.SetHint(r.hint);
        CoolTrayIcon.EndUpdate();
        TextTrayIcon.BeginUpdate();
        TextTrayIcon.SetHint(r.hint);
        TextTrayIcon.SetText(r.trayText);
        TextTrayIcon.EndUpdate();
    }
    if (r.reached >= TickResult::Cpu2 && DualCPU) barCPU2->SetPosition(r.barCPU2);
    if (r.reached >= TickResult::Memory) {
        barRAM->SetPosition(r.barRAM);
        barSwap->SetPosition(r.barSwap);
    }
    if (r.reached >= TickResult::Network) {
        lcdDown1->SetValue(r.lcdDown1);
        lcdDown2->SetValue(r.lcdDown2);
        lblDownload.SetCaption(r.downText);
        lcdUp1->SetValue(r.lcdUp1);
        lcdUp2->SetValue(r.lcdUp2);
        lblUpload.SetCaption(r.upText);
        // A whole part of four digits gets a fourth cell on both LCDs (and the layout runs
        // again), until both rates fit three cells again.
        const int cells = gadget::RateCells(lcdDown1->Value(), lcdUp1->Value());
        if (cells != lcdDown1->Digits() || cells != lcdUp1->Digits()) {
            lcdDown1->SetDigits(cells);
            lcdUp1->SetDigits(cells);
            dfsStickyFormResize();
        }
    }
    if (r.reached >= TickResult::Status) {
        if (r.statusClear) pnlStatus.SetCaption("");
        pnlMeasure.SetCaption(r.measureText);
        if (r.statusCopy) pnlStatus.SetCaption(r.measureText);
    }
}

void TfrmMain::SaveAndRelease() {
    if (!SettingsFile) return;
    SaveSettings();
    SettingsFile.reset();
    SettingsStore.reset();
}

bool TfrmMain::CloseQuery() {
    Timer.SetEnabled(false);
    SaveAndRelease();
    CoolTrayIcon.SetVisible(false);
    TextTrayIcon.SetVisible(false);
    return true;
}

bool TfrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_POWERBROADCAST:
        // Back from sleep: the byte counters moved on while the tick was away.
        if (wp == PBT_APMRESUMESUSPEND || wp == PBT_APMRESUMEAUTOMATIC || wp == PBT_APMRESUMECRITICAL)
            tick_.Resumed();
        break;
    case WM_ENDSESSION:
        // Saved whatever wParam says; the file stays open, so a later Quit saves again.
        if (SettingsFile) SaveSettings();
        break;
    case WM_GETMINMAXINFO: {
        // The gadget may be sized down to 2 x 2, with or without the sizing frame.
        auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
        mm->ptMinTrackSize.x = gadget::kMinimumSize;
        mm->ptMinTrackSize.y = gadget::kMinimumSize;
        result = 0;
        return true;
    }
    case WM_WINDOWPOSCHANGING: {
        // No size below 2 x 2, however it is set (a stored size too), snapping on or off;
        // then the sticky form snaps.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
        if (!(pos->flags & SWP_NOSIZE)) {
            if (pos->cx < gadget::kMinimumSize) pos->cx = gadget::kMinimumSize;
            if (pos->cy < gadget::kMinimumSize) pos->cy = gadget::kMinimumSize;
        }
        break;
    }
    case WM_NCRBUTTONDOWN:
        WMNCRButtonDown({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        result = 0;
        return true;
    }
    return ui::TdfsStickyForm::HandleMessage(msg, wp, lp, result);
}

}  // namespace app
