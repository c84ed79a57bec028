#include "monitor/settings/frmOptions.h"

#include "monitor/ui/handles.h"
#include "monitor/ui/paint.h"

namespace settings {

namespace {

// Page layout: groups in two columns (or three on the Main Group page) inside a 6-pixel margin;
// colour rows of a button and the swatch beside it.
constexpr int kMargin = 6;
constexpr int kRow = 28;  // colour row pitch
constexpr int kButtonHeight = 23;
constexpr int kSwatchWidth = 34;
constexpr int kSwatchHeight = 19;
constexpr int kGroupTop = 22;  // a group's caption and frame above its first row
constexpr int kInset = 12;     // a group's frame left and right of its rows
constexpr int kTrackHeight = 30;
constexpr int kTextHeight = 14;

// The display area of a sheet in a 444 x 350 page control (the tabs take one row).
constexpr int kPageWidth = 436;
constexpr int kColumn = (kPageWidth - 3 * kMargin) / 2;  // two columns

void PlaceGroup(ui::GroupBox& g, ui::Control* parent, int left, int top, int width, int height,
                const char* caption) {
    g.SetParent(parent);
    g.SetBounds(left, top, width, height);
    g.SetText(caption);
}

void PlaceText(TStaticText& t, ui::Control* parent, int left, int top, int width, const char* caption) {
    t.SetParent(parent);
    t.SetBounds(left, top, width, kTextHeight);
    t.SetText(caption);
}

void PlaceTrack(ui::TrackBar& t, ui::Control* parent, int left, int top, int width, int min, int max) {
    t.SetParent(parent);
    t.SetBounds(left, top, width, kTrackHeight);
    t.SetRange(min, max);
    t.SetFrequency(16);
    t.SetPageSize(16);
}

struct KeyTraits {
    static void Free(HKEY k) { RegCloseKey(k); }
};
struct ServiceTraits {
    static void Free(SC_HANDLE h) { CloseServiceHandle(h); }
};
using RegKey = ui::Handle<HKEY, KeyTraits>;
using ServiceHandle = ui::Handle<SC_HANDLE, ServiceTraits>;

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// A control's value for the apply: the loaded value while the control still shows it as the
// range allowed, so that an untouched control never rewrites a value outside its range (the
// design AlphaBase 0 under an "At 0%" range from 2).
int Kept(int position, int loaded, int lo, int hi) {
    return position == Clamp(loaded, lo, hi) ? loaded : position;
}

}  // namespace

// ---- start-up entry

bool TJvRunOnStartup::MayChange() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    const bool nt = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
    bool opened = false;
    if (nt) {
        const ServiceHandle scm(
            OpenSCManagerA(nullptr, nullptr, GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE));
        opened = scm.get() != nullptr;
    }
    return StartupChoiceAllowed(nt, opened);
}

bool TJvRunOnStartup::Exists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    const RegKey owned(key);
    return RegQueryValueExA(key, kValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void TJvRunOnStartup::SetPresent(bool present) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    const RegKey owned(key);
    if (!present) {
        RegDeleteValueA(key, kValueName);
        return;
    }
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    // Quoted: the system reads the value as a command line, and a path with spaces left bare
    // would first be tried as "C:\Program.exe" and the like.
    const std::string command = std::string("\"") + path + "\"";
    RegSetValueExA(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
}

// ---- colour swatch and button

void TColorSwatch::SetValue(Colour c) {
    value_ = c;
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

bool TColorSwatch::WindowMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    if (msg != WM_PAINT) return false;
    const ui::PaintScope paint(Handle());
    RECT r;
    GetClientRect(Handle(), &r);
    // A sunken edge around the colour, as a panel with a lowered bevel.
    DrawEdge(paint.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const ui::Brush fill(CreateSolidBrush(value_));
    FillRect(paint.dc(), &r, fill.get());
    result = 0;
    return true;
}

void TColorButton::Place(ui::Control* parent, int left, int top, int width, const char* caption) {
    SetParent(parent);
    SetBounds(left, top, width, kButtonHeight);
    SetText(caption);
    swatch_.SetParent(parent);
    swatch_.SetBounds(left + width + 8, top + (kButtonHeight - kSwatchHeight) / 2, kSwatchWidth,
                      kSwatchHeight);
    OnClick = ui::Bind(this, &TColorButton::btnColorClick);
}

void TColorButton::btnColorClick(ui::Control&) {
    dialog_.SetColor(swatch_.Value());
    HWND owner = nullptr;
    if (ui::Form* f = OwnerForm()) owner = f->Handle();
    if (dialog_.Execute(owner)) swatch_.SetValue(dialog_.Color());
}

// ---- meter page

TMeterOptionsSheet::TMeterOptionsSheet(ui::ColourDialog& dialog)
    : btnBackgroundColor(pnlBackgroundColor, dialog),
      btnLowColor(pnlLowColor, dialog),
      btnMediumColor(pnlMediumColor, dialog),
      btnHighColor(pnlHighColor, dialog),
      btnEnBackgroundColor(pnlEnBackground, dialog),
      btnEnGridColor(pnlEnGrid, dialog),
      btnEnLineColor(pnlEnLine, dialog),
      btnEnGaugeBack(pnlEnGaugeBack, dialog),
      btnEnGaugeColor(pnlEnGaugeColor, dialog) {}

void TMeterOptionsSheet::Build() {
    const int groupHeight = kGroupTop + 5 * kRow + 2;
    const int buttonWidth = kColumn - kInset - kSwatchWidth - 8;
    PlaceGroup(gbStandard, this, kMargin, kMargin, kColumn, groupHeight, "Standard View");
    PlaceGroup(gbEnhanced, this, 2 * kMargin + kColumn, kMargin, kColumn, groupHeight, "Enhanced View");
    struct Row {
        TColorButton& button;
        const char* caption;
    };
    const Row standard[] = {{btnBackgroundColor, "Background Color"},
                            {btnLowColor, "Low Color"},
                            {btnMediumColor, "Medium Color"},
                            {btnHighColor, "High Color"}};
    int top = 0;
    for (const Row& r : standard) {
        r.button.Place(&gbStandard, 0, top, buttonWidth, r.caption);
        top += kRow;
    }
    const Row enhanced[] = {{btnEnBackgroundColor, "Background Color"},
                            {btnEnGridColor, "Grid Color"},
                            {btnEnLineColor, "Line Color"},
                            {btnEnGaugeBack, "Gauge Back"},
                            {btnEnGaugeColor, "Gauge Color"}};
    top = 0;
    for (const Row& r : enhanced) {
        r.button.Place(&gbEnhanced, 0, top, buttonWidth, r.caption);
        top += kRow;
    }

    const int alphaTop = 2 * kMargin + groupHeight;
    PlaceGroup(gbAlpha, this, kMargin, alphaTop, kPageWidth - 2 * kMargin, 104, "Alpha Blending - Opacity");
    rbAlphaStandard.SetParent(&gbAlpha);
    rbAlphaStandard.SetBounds(0, 6, 84, 17);
    rbAlphaStandard.SetText("Standard");
    rbAlphaVariable.SetParent(&gbAlpha);
    rbAlphaVariable.SetBounds(0, 50, 84, 17);
    rbAlphaVariable.SetText("Variable");
    const int inner = kPageWidth - 2 * kMargin - kInset;
    PlaceTrack(tbStandard, &gbAlpha, 92, 0, inner - 92, 0, kOpacityMax);
    const int half = (inner - 92 - 8) / 2;
    PlaceText(lblVariable1, &gbAlpha, 96, 30, half - 4, "At 0%");
    PlaceTrack(tbVariable1, &gbAlpha, 92, 44, half, kAt0Min, kOpacityMax);
    PlaceText(lblVariable2, &gbAlpha, 96 + half + 8, 30, half - 4, "100%");
    PlaceTrack(tbVariable2, &gbAlpha, 92 + half + 8, 44, half, 0, kOpacityMax);
    tbVariable1.SetPosition(73);
    tbVariable2.SetPosition(255);
    tbStandard.SetPosition(180);
    rbAlphaStandard.SetChecked(true);
}

MeterOptions TMeterOptionsSheet::Values() const {
    MeterOptions o;
    o.standardBackground = pnlBackgroundColor.Value();
    o.standard = {pnlLowColor.Value(), pnlMediumColor.Value(), pnlHighColor.Value()};
    o.standardAlpha = Kept(tbStandard.Position(), loaded_.standardAlpha, 0, kOpacityMax);
    o.enBackground = pnlEnBackground.Value();
    o.enGrid = pnlEnGrid.Value();
    o.enLine = pnlEnLine.Value();
    o.enGaugeBack = pnlEnGaugeBack.Value();
    o.enGauge = pnlEnGaugeColor.Value();
    o.at0 = Kept(tbVariable1.Position(), loaded_.at0, kAt0Min, kOpacityMax);
    o.at100 = Kept(tbVariable2.Position(), loaded_.at100, 0, kOpacityMax);
    o.variable = rbAlphaVariable.Checked();
    return o;
}

void TMeterOptionsSheet::Load(const MeterOptions& o) {
    loaded_ = o;
    pnlBackgroundColor.SetValue(o.standardBackground);
    pnlLowColor.SetValue(o.standard.low);
    pnlMediumColor.SetValue(o.standard.medium);
    pnlHighColor.SetValue(o.standard.high);
    tbStandard.SetPosition(Clamp(o.standardAlpha, 0, kOpacityMax));
    pnlEnBackground.SetValue(o.enBackground);
    pnlEnGrid.SetValue(o.enGrid);
    pnlEnLine.SetValue(o.enLine);
    pnlEnGaugeBack.SetValue(o.enGaugeBack);
    pnlEnGaugeColor.SetValue(o.enGauge);
    tbVariable1.SetPosition(Clamp(o.at0, kAt0Min, kOpacityMax));
    tbVariable2.SetPosition(Clamp(o.at100, 0, kOpacityMax));
    rbAlphaVariable.SetChecked(o.variable);
    rbAlphaStandard.SetChecked(!o.variable);
}

// ---- the form

TfrmOptions::TfrmOptions(OptionsHost& host)
    : ui::Form("TfrmOptions"),
      tsCPU1(ColorDialog),
      tsCPU2(ColorDialog),
      tsRAM(ColorDialog),
      tsSwap(ColorDialog),
      btnMainCPULow(pnlMainCPULow, ColorDialog),
      btnMainCPUMedium(pnlMainCPUMedium, ColorDialog),
      btnMainCPUHigh(pnlMainCPUHigh, ColorDialog),
      btnMainRAMLow(pnlMainRAMLow, ColorDialog),
      btnMainRAMMedium(pnlMainRAMMedium, ColorDialog),
      btnMainRAMHigh(pnlMainRAMHigh, ColorDialog),
      btnMainSwapLow(pnlMainSwapLow, ColorDialog),
      btnMainSwapMedium(pnlMainSwapMedium, ColorDialog),
      btnMainSwapHigh(pnlMainSwapHigh, ColorDialog),
      btnMainBackground(pnlMainBackground, ColorDialog),
      btnUploadGaugeBackground(pnlUploadGaugeBackground, ColorDialog),
      btnUploadGaugeActive(pnlUploadGaugeActive, ColorDialog),
      btnDownloadGaugeBackground(pnlDownloadGaugeBackground, ColorDialog),
      btnDownloadGaugeActive(pnlDownloadGaugeActive, ColorDialog),
      btnNetworkUploadLineColor(pnlNetworkUploadLineColor, ColorDialog),
      btnNetworkDownloadLineColor(pnlNetworkDownloadLineColor, ColorDialog),
      btnNetworkGridColor(pnlNetworkGridColor, ColorDialog),
      btnNetworkBackgroundColor(pnlNetworkBackgroundColor, ColorDialog),
      btnInternetFormColor(pnlInternetFormColor, ColorDialog),
      host_(host) {}

TMeterOptionsSheet& TfrmOptions::MeterSheet(Meter meter) {
    switch (meter) {
    case Meter::CPU1: return tsCPU1;
    case Meter::CPU2: return tsCPU2;
    case Meter::RAM: return tsRAM;
    case Meter::Swap: break;
    }
    return tsSwap;
}

void TfrmOptions::FormCreate() {
    ui::FormStyle fs;
    fs.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    fs.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    fs.owner = nullptr;  // the desktop: the dialog has a taskbar button of its own
    CreateHandle(fs, kClientWidth, kClientHeight, kCaption);

    pgOptions.SetParent(this);
    pgOptions.SetBounds(8, 8, kClientWidth - 16, kClientHeight - 16 - kButtonHeight - 8);
    struct Page {
        ui::TabSheet& sheet;
        const char* caption;
    };
    const Page pages[] = {{tsMainGroup, "Main Group"},
                          {tsNetwork, "Network"},
                          {tsCPU1, "CPU"},
                          {tsCPU2, "CPU 2"},
                          {tsRAM, "RAM"},
                          {tsSwap, "Swap"},
                          {tsMisc, "Misc"}};
    for (const Page& p : pages) {
        p.sheet.SetCaption(p.caption);
        pgOptions.AddPage(p.sheet);
    }
    BuildMainGroup();
    BuildNetwork();
    for (TMeterOptionsSheet* s : {&tsCPU1, &tsCPU2, &tsRAM, &tsSwap}) s->Build();
    BuildMisc();

    // Buttons along the bottom, right-aligned: OK, Cancel, Apply, Help.
    struct Btn {
        ui::Button& button;
        const char* caption;
        void (TfrmOptions::*handler)(ui::Control&);
    };
    const Btn buttons[] = {{btnOK, "OK", &TfrmOptions::btnOKClick},
                           {btnCancel, "Cancel", &TfrmOptions::btnCancelClick},
                           {btnApply, "Apply", &TfrmOptions::btnApplyClick},
                           {btnHelp, "Help", &TfrmOptions::btnHelpClick}};
    int left = kClientWidth - 8 - 4 * 75 - 3 * 6;
    for (const Btn& b : buttons) {
        b.button.SetParent(this);
        b.button.SetBounds(left, kClientHeight - 8 - kButtonHeight, 75, kButtonHeight);
        b.button.SetText(b.caption);
        b.button.OnClick = ui::Bind(this, b.handler);
        left += 75 + 6;
    }
    btnOK.SetDefault(true);
    btnCancel.SetCancel(true);

    InvisibleBlotter.SetParent(this);
    InvisibleBlotter.SetBounds(0, 0, 10, 10);
    InvisibleBlotter.SetBorder(true);
    InvisibleBlotter.SetVisible(false);

    // The interface list: the rows in table order, then "All Interfaces" at the row count.
    const std::vector<std::string> names = host_.InterfaceDescriptions();
    rows_ = static_cast<int>(names.size());
    for (const std::string& n : names) cmbAdapter.AddItem(n.c_str());
    cmbAdapter.AddItem("All Interfaces");
    // A stored interface of today's table stays chosen; anything else is all of them.
    const std::int32_t initial = InitialAdapter(host_.StoredAdapterChoice(), rows_);
    if (initial != host_.Adapter()) host_.ChangeAdapter(initial);
    cmbAdapter.SetItemIndex(AdapterItemOf(initial, rows_));

    pgOptions.SetActivePage(&tsMainGroup);
    tsCPU2.SetTabVisible(host_.DualCPU());
    cbLoadWindows.SetEnabled(TJvRunOnStartup::MayChange());
    CentreOnScreen();
}

void TfrmOptions::BuildMainGroup() {
    const int column = (kPageWidth - 4 * kMargin) / 3;
    const int buttonWidth = column - kInset - kSwatchWidth - 8;
    const int groupHeight = kGroupTop + 3 * kRow + 4;
    struct Group {
        ui::GroupBox& box;
        const char* caption;
        TColorButton* rows[3];
    };
    Group groups[] = {{gbMainCPU, "CPU", {&btnMainCPULow, &btnMainCPUMedium, &btnMainCPUHigh}},
                      {gbMainRAM, "RAM", {&btnMainRAMLow, &btnMainRAMMedium, &btnMainRAMHigh}},
                      {gbMainSwap, "Swap", {&btnMainSwapLow, &btnMainSwapMedium, &btnMainSwapHigh}}};
    const char* captions[3] = {"Low Color", "Medium Color", "High Color"};
    int left = kMargin;
    for (Group& g : groups) {
        PlaceGroup(g.box, &tsMainGroup, left, kMargin, column, groupHeight, g.caption);
        for (int i = 0; i < 3; ++i) g.rows[i]->Place(&g.box, 0, i * kRow, buttonWidth, captions[i]);
        left += column + kMargin;
    }
    const int top = 2 * kMargin + groupHeight;
    const int height = kGroupTop + kRow + 14;
    // "Background Color" needs a wider button than the rows above.
    const int all = column + 34;
    PlaceGroup(gbMainAll, &tsMainGroup, kMargin, top, all, height, "All Graphs");
    btnMainBackground.Place(&gbMainAll, 0, 4, all - kInset - kSwatchWidth - 8, "Background Color");
    const int opacityWidth = kPageWidth - 3 * kMargin - all;
    PlaceGroup(gbMainOpacity, &tsMainGroup, 2 * kMargin + all, top, opacityWidth, height,
               "Alpha Blending - Opacity");
    PlaceTrack(tbMainOpacity, &gbMainOpacity, 0, 2, opacityWidth - kInset, 0, kOpacityMax);
}

void TfrmOptions::BuildNetwork() {
    // First row: the two gauges and the window, three groups; second row: the graph and the
    // general settings, two groups ending on one line.
    const int third = (kPageWidth - 4 * kMargin) / 3;
    const int narrow = third - kInset - kSwatchWidth - 8;
    const int two = kGroupTop + 2 * kRow + 6;
    PlaceGroup(gbUploadGauge, &tsNetwork, kMargin, kMargin, third, two, "Upload Gauge");
    btnUploadGaugeBackground.Place(&gbUploadGauge, 0, 0, narrow, "Background");
    btnUploadGaugeActive.Place(&gbUploadGauge, 0, kRow, narrow, "Active");
    PlaceGroup(gbDownloadGauge, &tsNetwork, 2 * kMargin + third, kMargin, third, two, "Download Gauge");
    btnDownloadGaugeBackground.Place(&gbDownloadGauge, 0, 0, narrow, "Background");
    btnDownloadGaugeActive.Place(&gbDownloadGauge, 0, kRow, narrow, "Active");
    PlaceGroup(gbInternetForm, &tsNetwork, 3 * kMargin + 2 * third, kMargin,
               kPageWidth - 4 * kMargin - 2 * third, two, "Floating Network Window");
    btnInternetFormColor.Place(&gbInternetForm, 0, 0, narrow, "Background");

    const int top = 2 * kMargin + two;
    const int four = kGroupTop + 4 * kRow + 6;
    const int wide = kColumn - kInset - kSwatchWidth - 8;
    PlaceGroup(gbNetworkGraph, &tsNetwork, kMargin, top, kColumn, four, "Network Graph");
    btnNetworkUploadLineColor.Place(&gbNetworkGraph, 0, 0, wide, "Upload Color");
    btnNetworkDownloadLineColor.Place(&gbNetworkGraph, 0, kRow, wide, "Download Color");
    btnNetworkGridColor.Place(&gbNetworkGraph, 0, 2 * kRow, wide, "Grid Color");
    btnNetworkBackgroundColor.Place(&gbNetworkGraph, 0, 3 * kRow, wide, "Background Color");

    PlaceGroup(gbNetworkGeneral, &tsNetwork, 2 * kMargin + kColumn, top, kColumn, four, "General");
    const int inner = kColumn - kInset;
    PlaceText(lblNetworkLimit, &gbNetworkGeneral, 0, 4, inner - 70, "Graph Limit (KB/s)");
    seNetwork.SetParent(&gbNetworkGeneral);
    seNetwork.SetBounds(inner - 64, 0, 64, 21);
    seNetwork.SetRange(kLimitMin, kLimitMax);
    seNetwork.SetValue(100);
    PlaceText(lblAdapter, &gbNetworkGeneral, 0, 30, inner, "Monitor Interface");
    cmbAdapter.SetParent(&gbNetworkGeneral);
    cmbAdapter.SetBounds(0, 46, inner, 21);
    PlaceText(lblNetworkOpacity, &gbNetworkGeneral, 0, 86, 50, "Opacity");
    PlaceTrack(tbNetworkOpacity, &gbNetworkGeneral, 50, 78, inner - 50, 0, kOpacityMax);
}

void TfrmOptions::BuildMisc() {
    PlaceGroup(gbMisc, &tsMisc, kMargin, kMargin, kPageWidth - 2 * kMargin, 84, "Miscellaneous Settings");
    PlaceText(lblTrayType, &gbMisc, 4, 8, 80, "Tray Icon");
    cmbTrayType.SetParent(&gbMisc);
    cmbTrayType.SetBounds(90, 4, 140, 21);
    cmbTrayType.AddItem("Bar Graph");
    cmbTrayType.AddItem("Numeric");
    cmbTrayType.SetItemIndex(0);
    cbLoadWindows.SetParent(&gbMisc);
    cbLoadWindows.SetBounds(4, 38, 200, 17);
    cbLoadWindows.SetText("Load with Windows");
}

void TfrmOptions::CentreOnScreen() {
    const ui::Rect r = WindowRect();
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(Handle(), nullptr, (sw - r.width) / 2, (sh - r.height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmOptions::FormShow() {
    const OptionsValues v = host_.LiveValues();
    tbMainOpacity.SetPosition(Clamp(v.mainOpacity, 0, kOpacityMax));
    pnlMainBackground.SetValue(v.mainBackground);
    const struct {
        const BarColours& colours;
        TColorSwatch* swatches[3];
    } bars[] = {{v.cpu, {&pnlMainCPULow, &pnlMainCPUMedium, &pnlMainCPUHigh}},
                {v.ram, {&pnlMainRAMLow, &pnlMainRAMMedium, &pnlMainRAMHigh}},
                {v.swap, {&pnlMainSwapLow, &pnlMainSwapMedium, &pnlMainSwapHigh}}};
    loadedCpu_ = v.cpu;
    loadedCpu2_ = v.cpu2;
    for (const auto& b : bars) {
        b.swatches[0]->SetValue(b.colours.low);
        b.swatches[1]->SetValue(b.colours.medium);
        b.swatches[2]->SetValue(b.colours.high);
    }
    const NetworkOptions& n = v.network;
    pnlUploadGaugeBackground.SetValue(n.uploadGaugeBackground);
    pnlUploadGaugeActive.SetValue(n.uploadGaugeActive);
    pnlDownloadGaugeBackground.SetValue(n.downloadGaugeBackground);
    pnlDownloadGaugeActive.SetValue(n.downloadGaugeActive);
    pnlNetworkUploadLineColor.SetValue(n.uploadLine);
    pnlNetworkDownloadLineColor.SetValue(n.downloadLine);
    pnlNetworkGridColor.SetValue(n.grid);
    pnlNetworkBackgroundColor.SetValue(n.graphBackground);
    pnlInternetFormColor.SetValue(n.windowBackground);
    loadedLimit_ = n.upperLimit;
    seNetwork.SetValue(Clamp(n.upperLimit, kLimitMin, kLimitMax));
    cmbAdapter.SetItemIndex(AdapterItemOf(host_.Adapter(), rows_));
    tbNetworkOpacity.SetPosition(Clamp(n.opacity, 0, kOpacityMax));
    for (int i = 0; i < kMeterCount; ++i) MeterSheet(static_cast<Meter>(i)).Load(v.meters[i]);
    cmbTrayType.SetItemIndex(v.barGraphTray ? 0 : 1);
    if (cbLoadWindows.Enabled()) cbLoadWindows.SetChecked(JvRunOnStartup.Exists());
    host_.HideDetailsOnTop();
}

OptionsValues TfrmOptions::Values() const {
    OptionsValues v;
    v.mainOpacity = tbMainOpacity.Position();
    v.mainBackground = pnlMainBackground.Value();
    v.cpu = {pnlMainCPULow.Value(), pnlMainCPUMedium.Value(), pnlMainCPUHigh.Value()};
    v.cpu2 = SecondCpuColours(v.cpu, loadedCpu_, loadedCpu2_);
    v.ram = {pnlMainRAMLow.Value(), pnlMainRAMMedium.Value(), pnlMainRAMHigh.Value()};
    v.swap = {pnlMainSwapLow.Value(), pnlMainSwapMedium.Value(), pnlMainSwapHigh.Value()};
    NetworkOptions& n = v.network;
    n.uploadGaugeBackground = pnlUploadGaugeBackground.Value();
    n.uploadGaugeActive = pnlUploadGaugeActive.Value();
    n.downloadGaugeBackground = pnlDownloadGaugeBackground.Value();
    n.downloadGaugeActive = pnlDownloadGaugeActive.Value();
    n.uploadLine = pnlNetworkUploadLineColor.Value();
    n.downloadLine = pnlNetworkDownloadLineColor.Value();
    n.grid = pnlNetworkGridColor.Value();
    n.graphBackground = pnlNetworkBackgroundColor.Value();
    n.windowBackground = pnlInternetFormColor.Value();
    n.upperLimit = Kept(seNetwork.Value(), loadedLimit_, kLimitMin, kLimitMax);
    n.opacity = tbNetworkOpacity.Position();
    v.adapterItem = cmbAdapter.ItemIndex() < 0 ? rows_ : cmbAdapter.ItemIndex();
    for (int i = 0; i < kMeterCount; ++i)
        v.meters[i] = const_cast<TfrmOptions*>(this)->MeterSheet(static_cast<Meter>(i)).Values();
    v.barGraphTray = cmbTrayType.ItemIndex() != 1;
    v.loadWithWindows = cbLoadWindows.Checked();
    return v;
}

void TfrmOptions::Apply() { ApplyOptions(Values(), rows_, cbLoadWindows.Enabled(), host_); }

void TfrmOptions::btnOKClick(ui::Control&) {
    Apply();
    SetVisible(false);
}

void TfrmOptions::btnCancelClick(ui::Control&) { SetVisible(false); }

void TfrmOptions::btnApplyClick(ui::Control&) { Apply(); }

void TfrmOptions::btnHelpClick(ui::Control&) { host_.ShowHelp(); }

bool TfrmOptions::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    // Every time the window appears it shows the live values, discarding earlier edits.
    if (msg == WM_SHOWWINDOW && wp && lp == 0) FormShow();
    return ui::Form::HandleMessage(msg, wp, lp, result);
}

bool TfrmOptions::CloseQuery() {
    // The close box is Cancel: the dialog lives as long as the program.
    SetVisible(false);
    return false;
}

}  // namespace settings
