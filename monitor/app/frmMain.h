// TfrmMain: the Main Group gadget. It owns the panel tree with the four bars, the rate digits,
// the status line, the tray icons, the main menu and the main timer.
//
// Start-up, creation, the tick, the tray icons and closing live in frmMain.cpp; the layout,
// the menu and its commands in frmMain_menu.cpp, the layout, hit-testing and snapping in
// frmMain_layout.cpp, the settings in frmMain_settings.cpp.
#pragma once
#include <windows.h>

#include <memory>

#include "monitor/app/http_client.h"
#include "monitor/app/tick.h"
#include "monitor/app/widgets_used.h"
#include "monitor/meters/frmInternet.h"
#include "monitor/meters/frmMeter.h"
#include "monitor/settings/ini_store_win.h"
#include "monitor/settings/settings_file.h"
#include "monitor/settings/settings_records.h"
#include "monitor/ui/blend.h"
#include "monitor/ui/form.h"
#include "monitor/ui/menu.h"
#include "monitor/ui/tray.h"

namespace app {

// Panel, label and bar whose mouse hits fall through to the form.
class TMyPanel : public ui::Panel {
public:
    TMyPanel() { SetHitTransparent(true); }
};
class TMyLabel : public ui::Label {
public:
    TMyLabel() { SetHitTransparent(true); }
};
class TMyBar : public ui::Hosted<widgets::TALProgressBar> {
public:
    TMyBar() { SetHitTransparent(true); }
};
using TVrNumControl = ui::Hosted<widgets::TVrNum>;

class TfrmMain;

// The forms of the program, created once at start-up in this order; the gadget's commands
// show them (TfrmMain::SetWindows).
struct WindowSet {
    TfrmMain* frmMain = nullptr;
    ui::Form* frmOptions = nullptr;
    ui::Form* frmCPU1 = nullptr;
    ui::Form* frmSwap = nullptr;
    ui::Form* frmCPU2 = nullptr;
    ui::Form* frmInternet = nullptr;
    ui::Form* frmRAM = nullptr;
    ui::Form* frmTask = nullptr;
    ui::Form* frmStopWatch = nullptr;
    ui::Form* frmAbout = nullptr;
};

// The System Details window as the tick sees it (filled in when that window exists).
class DetailsWindow {
public:
    virtual bool ShownNotMinimised() const = 0;
    virtual void Refresh() = 0;
    // The adapters list told every interface's counters while the window is shown.
    virtual AdapterListSink& Adapters() = 0;

protected:
    ~DetailsWindow() = default;
};

// Design values of the gadget.
constexpr int kDesignClientWidth = 217;
constexpr int kDesignClientHeight = 128;
constexpr COLORREF kDownColour = 65177, kUpColour = 16763904;

class TfrmMain : public ui::TdfsStickyForm, public TickCounters, public meters::MeterHost {
public:
    // `metrics` is where the tick reads its figures (the platform by default).
    explicit TfrmMain(MetricSource* metrics = nullptr);
    ~TfrmMain() override;

    // Creation handler: builds the window, controls, tray icons and menu, then LoadSettings.
    void dfsStickyFormCreate();

    // ---- state (TickCounters above: DownOctets, UpOctets, AdapterIndex, TrimCounter, DualCPU)
    bool GraphsShown = true;
    std::unique_ptr<settings::IniProfileStore> SettingsStore;
    std::unique_ptr<settings::SettingsFile> SettingsFile;  // released after the last save

    // ---- controls (in creation order)
    TMyPanel pnlGraphs, pnlBottom, pnlCPURow, pnlMemoryRow, pnlNetwork, pnlStatus;
    ui::Panel pnlMeasure;  // never shown; holds the previous status text
    TMyBar barCPU1, barCPU2, barRAM, barSwap;
    TVrNumControl lcdDown1, lcdDown2, lcdUp1, lcdUp2;
    TMyLabel lblDownPoint, lblUpPoint;
    ui::Label lblDownload, lblUpload;

    ui::Timer Timer;
    ui::TJbBlend Blend;
    ui::ImageList IconList;  // the 13 tray images, idle to full load
    ui::ImageList ilMenus;   // menu images
    ui::TrayIcon CoolTrayIcon;
    ui::TextTrayIcon TextTrayIcon;
    THttpClient HTTP;  // the update check's client

    // ---- fonts
    ui::Font fontForm;    // "MS Sans Serif" 8 pt
    ui::Font fontStatus;  // "Small Fonts" 7 pt (pnlStatus, pnlMeasure)
    ui::Font fontPoint;   // size 10, the decimal points
    ui::Font fontTray;    // "Small Fonts" height -9 (TextTrayIcon)

    // ---- main menu
    ui::PopupMenu mnMain;
    ui::MenuItem mniMain, mniHere, mniHereCPU1, mniHereCPU2, mniHereRAM, mniHereSwap, mniHereInternet,
        mniHereStatus;
    ui::MenuItem NetworkDisplay1, mniNormal, mniSmall, mniBig;
    ui::MenuItem Graphs1, mniHorizontal, mniVertical, mniGraphBorders;
    ui::MenuItem mniHide, mniAlwaysOnTop, mniAlpha, mniSnap, mniBorder;
    ui::MenuItem mniFloat, mniFloatCPU1, mniFloatCPU2, mniFloatRAM, mniFloatSwap, mniFloatInternet;
    ui::MenuItem mniSystem, mniStopWatch, mniOptions, CheckforUpdate1, mniHelp, mniAbout, mniClose;
    // Separators: before "Always On Top", "System Details", "Options", "Check for Update",
    // "Quit", and in "Graphs" before "Graph Borders".
    ui::MenuItem N1, N2, N3, N4, N5, N6;

    // ---- seams filled by later windows
    DetailsWindow* Details = nullptr;
    // Floating CPU 1, CPU 2, RAM and Swap windows for variable blending (nullptr: none).
    BlendWindow* FloatBlend[4] = {nullptr, nullptr, nullptr, nullptr};
    // The floating windows, once they exist: their sections are saved from them (a missing
    // one saves its design values).
    meters::TfrmMeter* MeterWindows[settings::kMeterCount] = {nullptr, nullptr, nullptr, nullptr};
    meters::TfrmInternet* NetworkWindow = nullptr;
    // Fills the two seams above from the created floating windows.
    void AttachFloatingWindows(meters::TfrmMeter* const (&meterWindows)[settings::kMeterCount],
                               meters::TfrmInternet* network);

    // ---- the main window as the floating windows see it (frmMain_menu.cpp)
    int Reading(settings::Meter meter) const override;
    int DownRate() const override { return lcdDown1->Value(); }
    int UpRate() const override { return lcdUp1->Value(); }
    bool OneProcessor() const override { return !DualCPU; }
    void SetFloatChecked(int window, bool checked) override;
    bool MainVisible() const override { return Visible(); }
    void ToggleMain() override { mniHideClick(mniHide); }
    void ShowOptions() override { mniOptionsClick(mniOptions); }
    void ShowHelp() override { mniHelpClick(mniHelp); }
    HWND OwnerWindow() const override;

    // ---- the tick (frmMain.cpp)
    void TimerTimer();
    void ChangeTrayIcon(int percent);
    void GetOctets(int index);
    // The System Details adapters list takes the interface table's counters now ("Reset
    // Totals"); the rates' counters are left for the tick.
    void ReadAdapterCounters(AdapterListSink& details) { MainTick::ReadAdapterCounters(*metrics_, details); }
    const MainTick& Tick() const { return tick_; }
    // The published readings.
    int CPU1() const { return barCPU1->Position(); }
    int CPU2() const { return barCPU2->Position(); }
    int RAM() const { return barRAM->Position(); }
    int Swap() const { return barSwap->Position(); }

    // ---- settings (frmMain_settings.cpp)
    void LoadSettings();
    void SaveSettings();
    // Saves the settings and releases SettingsFile (close and WM_ENDSESSION).
    void SaveAndRelease();
    // Applies the background and bar colours of `s` to the bars, panels and the form;
    // SaveSettings reads them back from the bars.
    void ApplyColours(const settings::MainSettings& s);

    // ---- menu (frmMain_menu.cpp) and layout (frmMain_layout.cpp)
    void BuildMainMenu();
    void dfsStickyFormResize();
    void mnMainPopup();
    void mniHereCPU1Click(ui::MenuItem& sender);
    void mniHereCPU2Click(ui::MenuItem& sender);
    void mniHereRAMClick(ui::MenuItem& sender);
    void mniHereSwapClick(ui::MenuItem& sender);
    void mniHereInternetClick(ui::MenuItem& sender);
    void mniHereStatusClick(ui::MenuItem& sender);
    void mniNormalClick(ui::MenuItem& sender);
    void mniSmallClick(ui::MenuItem& sender);
    void mniBigClick(ui::MenuItem& sender);
    void mniHorizontalClick(ui::MenuItem& sender);
    void mniVerticalClick(ui::MenuItem& sender);
    void mniGraphBordersClick(ui::MenuItem& sender);
    void mniHideClick(ui::MenuItem& sender);
    void mniAlwaysOnTopClick(ui::MenuItem& sender);
    void mniAlphaClick(ui::MenuItem& sender);
    void mniSnapClick(ui::MenuItem& sender);
    void mniBorderClick(ui::MenuItem& sender);
    void mniFloatCPU1Click(ui::MenuItem& sender);
    void mniFloatCPU2Click(ui::MenuItem& sender);
    void mniFloatRAMClick(ui::MenuItem& sender);
    void mniFloatSwapClick(ui::MenuItem& sender);
    void mniFloatInternetClick(ui::MenuItem& sender);
    void mniSystemClick(ui::MenuItem& sender);
    void mniStopWatchClick(ui::MenuItem& sender);
    void mniOptionsClick(ui::MenuItem& sender);
    void CheckforUpdate1Click(ui::MenuItem& sender);
    // Asks the maker's server for the latest version and offers the download page
    // (frmMain_update.cpp). Blocks while it waits, with this thread's messages pumped; a
    // second call meanwhile does nothing.
    void CheckForUpdate();
    void mniHelpClick(ui::MenuItem& sender);
    void mniAboutClick(ui::MenuItem& sender);
    void mniCloseClick(ui::MenuItem& sender);
    void CoolTrayIconDblClick();
    // Mouse-down of the LCDs and the point labels (drag the gadget).
    void lcdDown1MouseDown(ui::Control& sender, ui::MouseButton button, int x, int y);
    // Hit-test answer (HTCAPTION, HTLEFT, ...) for a point in client coordinates.
    LRESULT WMNCHitTest(POINT client);
    // Non-client right button down at a screen point.
    void WMNCRButtonDown(POINT screen);

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT HitTest(POINT client) override { return WMNCHitTest(client); }
    void Resized() override { dfsStickyFormResize(); }
    bool CloseQuery() override;
    // Snapping (frmMain_layout.cpp).
    void SnapWindowPos(WINDOWPOS& pos) override;

private:
    void BuildPanels();
    void BuildTray();
    void ApplyTick(const TickResult& r);
    void ShowTrayImage(int image);

    class StatusMeasure final : public TextMeasure {
    public:
        explicit StatusMeasure(ui::Panel& p) : panel_(p) {}
        int TextWidth(const char* text) override;

    private:
        ui::Panel& panel_;
    };

    MetricSource* metrics_;
    std::unique_ptr<MetricSource> ownMetrics_;
    MainTick tick_;
    TickResult result_;
    StatusMeasure measure_;
    ui::Icon trayIcons_[13];
    int trayImage_ = -1;
    // The four bars in the order of the show commands (CPU 1, CPU 2, RAM, Swap).
    TMyBar* const bars_[4] = {&barCPU1, &barCPU2, &barRAM, &barSwap};
    // Layout re-entry guard: sizing the gadget from inside the layout runs it again.
    int layoutDepth_ = 0;

    WindowSet windows_;

public:
    TMyBar* const* Bars() const { return bars_; }
    // The program's other windows, for the commands that show them (empty: none).
    void SetWindows(const WindowSet& w) { windows_ = w; }
    const WindowSet& Windows() const { return windows_; }
};

// The Windows 2000/XP exception: there the sampler counts the "_Total" instance too.
bool DecideDualCPU(int processorCount, unsigned majorVersion, unsigned minorVersion);

}  // namespace app
