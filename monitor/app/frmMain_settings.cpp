// TfrmMain: loading and saving its settings.
#include <windows.h>

#include "monitor/app/frmMain.h"
#include "monitor/app/frmMain_parts.h"
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

}  // namespace

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
    const settings::BarColours* colours[gadget::kBarCount] = {&s.cpu1Colours, &s.cpu2Colours, &s.ramColours,
                                                              &s.swapColours};
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
    BarColours* colours[gadget::kBarCount] = {&m.cpu1Colours, &m.cpu2Colours, &m.ramColours, &m.swapColours};
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
        all.meters[i] =
            MeterWindows[i] ? MeterWindows[i]->CurrentSettings() : MeterDesign(static_cast<Meter>(i));
    WriteAll(*SettingsFile, all);
}

}  // namespace app
