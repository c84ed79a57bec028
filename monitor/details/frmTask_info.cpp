#include "monitor/details/frmTask_info.h"

#include <cmath>
#include <cstdio>
#include <exception>

#include "monitor/details/cpu_tab.h"
#include "monitor/details/folders.h"
#include "monitor/metrics/processor_info.h"
#include "monitor/ui/form.h"

namespace details {

namespace {
constexpr COLORREF kBlack = RGB(0, 0, 0), kYellow = RGB(255, 255, 0), kGreen = RGB(0, 128, 0),
                   kLime = RGB(0, 255, 0), kGray = RGB(128, 128, 128);
constexpr int kGroupWidth = 89;

void Put(ui::Control& c, ui::Control& parent, int left, int top, int width, int height) {
    c.SetParent(&parent);
    c.SetBounds(left, top, width, height);
}

void Caption(ui::Label& l, ui::Control& parent, const char* text, int left, int top, HFONT font) {
    l.SetParent(&parent);
    l.SetFont(font);
    l.SetCaption(text);
    l.SetLeft(left);
    l.SetTop(top);
}

void Gauge(ui::Hosted<widgets::TVrGauge>& g) {
    widgets::TVrPalette p{0x008000, 0x00FF00};  // Low clGreen, High clLime
    g->SetPalette(p);
    g->SetTickHeight(2);
    g->SetBevelVisible(false);
    g->SetColor(0x000000);
}
}  // namespace

// The list view behind the adapters list. A row keeps its place in the interface table as its
// data, so sorting the list by a column changes nothing of the rules.
class InfoTabs::AdapterRowsView final : public AdapterListView {
public:
    explicit AdapterRowsView(ui::ListView& lv) : lv_(lv) {}
    void BeginUpdate() override { lv_.BeginUpdate(); }
    void EndUpdate() override { lv_.EndUpdate(); }
    void Clear() override {
        lv_.Clear();
        added_ = 0;
    }
    void AddRow(const AdapterRow& r) override {
        const int row = lv_.AddItem(r.description.c_str(), static_cast<LPARAM>(added_++), r.image);
        lv_.SetSubItem(row, 0, r.address.c_str());
        lv_.SetSubItem(row, 1, r.received);
        lv_.SetSubItem(row, 2, r.sent);
        SetNumber(row, 3, r.index);
        SetNumber(row, 4, r.lastIn);
        SetNumber(row, 5, r.lastOut);
        SetNumber(row, 6, r.baseIn);
        SetNumber(row, 7, r.baseOut);
    }
    void TrafficChanged(std::size_t at, const AdapterRow& r) override {
        const int row = lv_.FindData(static_cast<LPARAM>(at));
        if (row < 0) return;
        lv_.SetSubItem(row, 1, r.received);
        lv_.SetSubItem(row, 2, r.sent);
        SetNumber(row, 4, r.lastIn);
        SetNumber(row, 5, r.lastOut);
        SetNumber(row, 6, r.baseIn);
        SetNumber(row, 7, r.baseOut);
    }
    void SetImage(std::size_t at, int image) override {
        const int row = lv_.FindData(static_cast<LPARAM>(at));
        // A row without the mark shows the blank first picture, as a row added without one does:
        // an image index of -1 would ask the list for the picture at every paint (and Wine then
        // draws the caption a few pixels off).
        if (row >= 0) lv_.SetImage(row, image < 0 ? 0 : image);
    }

private:
    void SetNumber(int row, int sub, uint32_t v) {
        char text[16];
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(v));
        lv_.SetSubItem(row, sub, text);
    }
    ui::ListView& lv_;
    std::size_t added_ = 0;
};

InfoTabs::InfoTabs(ProgramLink& link, InfoSources sources)
    : IdIPWatch(sources.address ? sources.address : IdIPWatch::Probe(&IdIPWatch::SystemLocalAddress)),
      link_(link),
      src_(std::move(sources)) {
    if (!src_.memory) src_.memory = &metrics::SystemMemoryStatusApi();
    if (!src_.clock) src_.clock = (ownClock_ = std::make_unique<TickSource>()).get();
    if (!src_.folders) src_.folders = (ownFolders_ = std::make_unique<SystemFolderSource>()).get();
    if (!src_.opener) src_.opener = (ownOpener_ = std::make_unique<ShellFolderOpener>()).get();
    if (!src_.tables) src_.tables = (ownTables_ = std::make_unique<SystemNetworkTables>()).get();
    adapterView_ = std::make_unique<AdapterRowsView>(lvAdapters);
    adapters_ = std::make_unique<AdapterList>(*adapterView_, *src_.tables);
    fontForm_ = ui::MakeFontPixels("MS Sans Serif", -11);
    fontScale_ = ui::MakeFontPixels("Small Fonts", -9);
    IdIPWatch.OnStatusChanged = [this] { IdIPWatchStatusChanged(); };
}

InfoTabs::~InfoTabs() { FormDestroy(); }

void InfoTabs::FormDestroy() {
    IdIPWatch.SetActive(false);
    Scope->SetActive(false);
}

void InfoTabs::Create(ui::Control& tsGeneral, ui::Control& tsProcessor, ui::Control& tsFolders,
                      ui::Control& TabSheet1, int border) {
    for (SheetBody* b : {&bodyGeneral, &bodyProcessor, &bodyFolders, &bodyNetwork}) b->SetBorder(border);
    BuildGeneral(tsGeneral);
    BuildProcessor(tsProcessor);
    BuildFolders(tsFolders);
    BuildNetwork(TabSheet1);
    // Sheets that already had their size when the controls went in: lay them out once now.
    LayoutMemoryGroups();
    pnlTotalsResize();
    LayoutRates();
    btnReset.SetBounds(std::max(0, pnlLegend.Width() - 100), 7, 100, 25);
}

// ---- General

void InfoTabs::BuildGeneral(ui::Control& sheet) {
    const HFONT f = fontForm_.get();
    bodyGeneral.SetParent(&sheet);
    pnlGeneraltop.SetParent(&bodyGeneral);
    pnlGeneraltop.SetParentColor(true);
    pnlGeneraltop.SetAlign(ui::Align::Top);
    pnlGeneraltop.SetHeight(89);
    Put(imgComputer, pnlGeneraltop, 0, 2, 32, 32);
    Caption(lblSystemCaption, pnlGeneraltop, "System:", 44, 2, f);
    Put(mmoSystem, pnlGeneraltop, 44, 18, 200, 71);
    mmoSystem.SetFont(f);
    mmoSystem.SetWordWrap(false);
    Caption(lblRunningCaption, pnlGeneraltop, "Running Time:", 262, 2, f);
    Put(lblRunning, pnlGeneraltop, 262, 18, 121, 57);
    lblRunning.SetFont(f);
    lblRunning.Reserve(metrics::kElapsedTextSize);

    pnlMemory.OnResize = [this] { LayoutMemoryGroups(); };
    pnlMemory.SetParent(&bodyGeneral);
    pnlMemory.SetAlign(ui::Align::Bottom);
    pnlMemory.SetHeight(94);
    struct Figure {
        GroupFrame& group;
        const char* caption;
        ui::Label& totalCaption;
        TextBlock& total;
        ui::Label& availCaption;
        TextBlock& avail;
    };
    const Figure figures[] = {
        {gbPhysical, "Physical Memory (K)", lblTotalCaption, lblTotalRAM, lblAvailCaption, lblAvailRAM},
        {gbPageFile, "Page File Memory (K)", lblPFTotalCaption, lblPFTotal, lblPFAvailCaption, lblPFAvail},
    };
    for (const Figure& g : figures) {
        g.group.SetFont(f);
        g.group.SetCaption(g.caption);
        Caption(g.totalCaption, g.group, "Total", 6, 10, f);
        Caption(g.availCaption, g.group, "Available", 6, 34, f);
        for (TextBlock* t : {&g.total, &g.avail}) {
            t->SetParent(&g.group);
            t->SetFont(f);
            t->SetAlignment(TextBlock::Alignment::Right);
            t->SetWordWrap(false);
        }
        g.group.SetParent(&pnlMemory);
    }

    pnlTotals.OnResize = [this] { pnlTotalsResize(); };
    pnlTotals.SetParent(&bodyGeneral);
    pnlTotals.SetAlign(ui::Align::Client);
    struct Meter {
        GroupFrame& group;
        const char* caption;
        ui::Panel& panel;
        ui::Hosted<widgets::TVrGauge>& gauge;
        TextBlock& label;
    };
    const Meter meters[] = {{gbCPU, "CPU Usage", pnlCPU, gCPU, lblCPU},
                            {gbRAM, "Memory", pnlRAM, gRAM, lblRAM},
                            {gbSwap, "Page File", pnlSwap, gSwap, lblSwap}};
    for (const Meter& m : meters) {
        m.group.SetParent(&pnlTotals);
        m.group.SetFont(f);
        m.group.SetCaption(m.caption);
        m.panel.SetParent(&m.group);
        m.panel.SetColor(kBlack);
        m.gauge.SetParent(&m.panel);
        Gauge(m.gauge);
        m.label.SetParent(&m.panel);
        m.label.SetFont(f);
        m.label.SetFontColor(kYellow);
        m.label.SetAlignment(TextBlock::Alignment::Centre);
        m.label.SetWordWrap(false);
    }
}

void InfoTabs::pnlTotalsResize() {
    const int w = pnlTotals.Width(), h = pnlTotals.Height();
    gbCPU.SetBounds(0, 4, kGroupWidth, std::max(0, h - 8));                          // aligned left
    gbSwap.SetBounds(std::max(0, w - kGroupWidth), 4, kGroupWidth, gbCPU.Height());  // aligned right
    gbRAM.SetBounds(std::max(0, (w - kGroupWidth) / 2), 4, kGroupWidth, gbCPU.Height());
    const GaugeLayout g = LayoutGauges(gbCPU.Height());
    gbRAM.SetHeight(g.groupHeight);
    for (ui::Panel* p : {&pnlCPU, &pnlRAM, &pnlSwap})
        p->SetBounds(6, 2, kGroupWidth - 24, std::max(0, g.panelHeight));
    const int pw = pnlCPU.Width();
    for (ui::Control* gauge : {static_cast<ui::Control*>(&gCPU), static_cast<ui::Control*>(&gRAM),
                               static_cast<ui::Control*>(&gSwap)})
        gauge->SetBounds((pw - 22) / 2, 6, 22, std::max(0, g.gaugeHeight));
    for (TextBlock* l : {&lblCPU, &lblRAM, &lblSwap}) l->SetBounds(0, g.labelTop, pw, 14);
}

void InfoTabs::LayoutMemoryGroups() {
    const int w = pnlMemory.Width(), h = pnlMemory.Height();
    const int half = (w - 8) / 2;
    gbPhysical.SetBounds(0, 6, std::max(0, half), std::max(0, h - 6));
    gbPageFile.SetBounds(std::max(0, w - half), 6, std::max(0, half), std::max(0, h - 6));
    // The figures end at the frame's right edge.
    const int width = std::max(0, gbPhysical.ClientRect().width - 66);
    lblTotalRAM.SetBounds(60, 10, width, 16);
    lblAvailRAM.SetBounds(60, 34, width, 16);
    lblPFTotal.SetBounds(60, 10, width, 16);
    lblPFAvail.SetBounds(60, 34, width, 16);
}

void InfoTabs::FillGeneral() {
    imgComputer.SetIcon(ComputerIcon());
    lblRunning.SetText("");
    const std::vector<std::string> lines = src_.systemLines.empty() ? ReadSystemLines() : src_.systemLines;
    std::string text;
    for (const std::string& l : lines) text += (text.empty() ? "" : "\r\n") + l;
    mmoSystem.SetText(text.c_str());
    const metrics::MemoryStatus m = metrics::ReadMemoryStatus(*src_.memory);
    FormatMemory(m, memoryTexts_);
    lblTotalRAM.SetText(memoryTexts_.totalRAM);
}

void InfoTabs::TimerEvent() {
    char text[16];
    const int cpu = link_.CPU1();
    gCPU->SetPosition(cpu);
    std::snprintf(text, sizeof text, "%d%%", cpu);
    lblCPU.SetText(text);

    memory_ = metrics::ReadMemoryStatus(*src_.memory);
    FormatMemory(memory_, memoryTexts_);
    gRAM->SetPosition(link_.RAM());
    lblAvailRAM.SetText(memoryTexts_.availRAM);
    lblRAM.SetText(memoryTexts_.ramMB);
    gSwap->SetPosition(link_.Swap());
    lblPFTotal.SetText(memoryTexts_.pfTotal);
    lblPFAvail.SetText(memoryTexts_.pfAvail);
    lblSwap.SetText(memoryTexts_.swapMB);

    lblRunning.SetText(RunningTimeText(src_.clock->Milliseconds()).c_str());
    lblDownload.SetCaption(link_.DownloadCaption());
    lblUpload.SetCaption(link_.UploadCaption());
}

// ---- CPU

void InfoTabs::BuildProcessor(ui::Control& sheet) {
    const HFONT f = fontForm_.get();
    bodyProcessor.SetParent(&sheet);
    pnlProcessorTop.SetParent(&bodyProcessor);
    pnlProcessorTop.SetParentColor(true);
    pnlProcessorTop.SetAlign(ui::Align::Top);
    pnlProcessorTop.SetHeight(88);
    Caption(lblNameCaption, pnlProcessorTop, "Processor:", 0, 0, f);
    Caption(lblSpeedCaption, pnlProcessorTop, "Speed:", 0, 20, f);
    Caption(lblSerialCaption, pnlProcessorTop, "Serial number:", 0, 40, f);
    Caption(lblFDivCaption, pnlProcessorTop, "FDiv Bug:", 0, 60, f);
    Caption(lblName, pnlProcessorTop, "", 88, 0, f);
    Caption(lblSpeed, pnlProcessorTop, "", 88, 20, f);
    Caption(lblSerial, pnlProcessorTop, "", 88, 40, f);
    Caption(lblFDiv, pnlProcessorTop, "", 88, 60, f);
    lvCPU.SetFont(f);
    lvCPU.SetParent(&bodyProcessor);
    lvCPU.SetAlign(ui::Align::Client);
    lvCPU.AddColumn("Feature", 80);
    lvCPU.AddColumn("Description", ui::ListView::kAutoSize);
    AddPicture(ilCPU, Picture::Present);
    AddPicture(ilCPU, Picture::Absent);
    lvCPU.SetSmallImages(&ilCPU);
    lvCPU.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    lvCPU.SetDoubleBuffered(true);
    lvCPU.AutoResort = true;
}

void InfoTabs::FillProcessor() {
    metrics::ProcessorId own;
    const metrics::ProcessorId* id = src_.processor;
    if (!id) {
        own = metrics::IdentifyProcessor();
        id = &own;
    }
    const CpuTab t = BuildCpuTab(*id, src_.processor ? src_.mhz : metrics::GetCPUSpeed(false));
    lblName.SetCaption(t.name.c_str());
    lblSpeed.SetCaption(t.speed.c_str());
    lblSerial.SetCaption(t.serial.c_str());
    lblFDiv.SetCaption(t.fdiv.c_str());
    lvCPU.BeginUpdate();
    lvCPU.Clear();
    for (const CpuFeatureRow& r : t.features) {
        const int row = lvCPU.AddItem(r.caption, 0, r.image);
        lvCPU.SetSubItem(row, 0, r.description);
    }
    lvCPU.EndUpdate();
}

// ---- Folders

void InfoTabs::BuildFolders(ui::Control& sheet) {
    bodyFolders.SetParent(&sheet);
    lvFolders.SetFont(fontForm_.get());
    lvFolders.SetParent(&bodyFolders);
    lvFolders.SetAlign(ui::Align::Client);
    lvFolders.AddColumn("Folder", 125);
    lvFolders.AddColumn("Location", ui::ListView::kAutoSize);
    lvFolders.SetOwnerDraw(true);
    lvFolders.OnDrawItem = [](ui::ListView&, const DRAWITEMSTRUCT&) { return false; };  // default drawing
    lvFolders.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    lvFolders.SetDoubleBuffered(true);
    lvFolders.SortOnColumnClick = false;
    mniExplorer.SetCaption("Open in Explorer");
    mniExplorer.OnClick = ui::Bind(this, &InfoTabs::mniExplorerClick);
    mnFolders.Items.Add(mniExplorer);
    lvFolders.SetPopupMenu(&mnFolders);
}

void InfoTabs::FillFolders() {
    const std::vector<FolderRow> rows = BuildFolderRows(*src_.folders);
    lvFolders.BeginUpdate();
    lvFolders.Clear();
    for (const FolderRow& r : rows) {
        const int row = lvFolders.AddItem(r.caption.c_str());
        lvFolders.SetSubItem(row, 0, r.location.c_str());
    }
    lvFolders.EndUpdate();
}

void InfoTabs::mniExplorerClick(ui::MenuItem&) {
    const int row = lvFolders.Selected();
    if (row < 0) return;
    const std::string location = lvFolders.SubItem(row, 0);
    if (CanExplore(location)) src_.opener->Explore(location);
}

// ---- Network

void InfoTabs::BuildNetwork(ui::Control& sheet) {
    const HFONT f = fontForm_.get();
    bodyNetwork.SetParent(&sheet);

    pnlLegend.OnResize = [this] { btnReset.SetBounds(std::max(0, pnlLegend.Width() - 100), 7, 100, 25); };
    pnlLegend.SetParent(&bodyNetwork);
    pnlLegend.SetAlign(ui::Align::Bottom);
    pnlLegend.SetHeight(33);
    AddPicture(ilBlankIcon, Picture::Blank);
    AddPicture(ilBlankIcon, Picture::RateMark);
    Put(imgLegend, pnlLegend, 0, 12, 16, 16);
    imgLegend.SetIcon(ilBlankIcon.GetIcon(kRateMark));
    Caption(lblLegend, pnlLegend, "Included in rate calculation", 20, 13, f);
    btnReset.SetParent(&pnlLegend);
    btnReset->SetCaption("Reset Totals");
    btnReset->SetFont(f);
    btnReset->SetBorderColors(0x808080, 0x000000, 0x000000);  // clGray, clBlack, clBlack
    btnReset->SetColorEnter(11974332);
    btnReset->SetColorLeave(widgets::SysColour(COLOR_BTNFACE));
    btnReset->OnClick = [this](widgets::TVrHyperButton&) { btnResetClick(); };
    // The page hands the button the mouse: lit under the pointer, pressed, clicked on release.
    btnReset.SetCursor(LoadCursor(nullptr, IDC_HAND));
    btnReset.OnMouseEnter = [this](ui::Control&) { btnReset->MouseMove(true); };
    btnReset.OnMouseLeave = [this](ui::Control&) {
        btnReset->Cancel();
        btnReset->MouseLeave();
    };
    btnReset.OnMouseDown = [this](ui::Control&, ui::MouseButton b, int, int) {
        if (b == ui::MouseButton::Left) btnReset->MouseDown();
    };
    btnReset.OnClick = [this](ui::Control&) {
        if (btnReset->Pressed())
            btnReset->MouseUp(true);
        else
            btnReset->Click();
    };

    lvAdapters.SetFont(f);
    lvAdapters.SetParent(&bodyNetwork);
    lvAdapters.SetAlign(ui::Align::Bottom);
    lvAdapters.SetHeight(133);
    lvAdapters.AddColumn("Interface", 170);
    lvAdapters.AddColumn("IP Address", 75);
    lvAdapters.AddColumn("Received (K)", 75);
    lvAdapters.AddColumn("Sent (K)", ui::ListView::kAutoSize);
    lvAdapters.SetSmallImages(&ilBlankIcon);
    lvAdapters.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    lvAdapters.SetDoubleBuffered(true);

    pnlGap.SetParent(&bodyNetwork);
    pnlGap.SetParentColor(true);
    pnlGap.SetAlign(ui::Align::Bottom);
    pnlGap.SetHeight(8);

    gbRates.OnResize = [this] { LayoutRates(); };
    gbRates.SetParent(&bodyNetwork);
    gbRates.SetAlign(ui::Align::Client);
    gbRates.SetFont(f);
    gbRates.SetCaption("Network Transfer Rates (KB/s)");
    Caption(lblDownloadCaption, gbRates, "Download:", 6, 8, f);
    Caption(lblUploadCaption, gbRates, "Upload:", 6, 30, f);
    Caption(lblDownload, gbRates, "0", 64, 8, f);
    Caption(lblUpload, gbRates, "0", 64, 30, f);

    VrScale.SetParent(&gbRates);
    VrScale->SetOrientation(widgets::voVertical);
    VrScale->SetShowSign(false);
    VrScale->SetFont(fontScale_.get());
    VrScale->SetFontColor(0x008000);  // clGreen
    VrScale->SetColor(0x000000);
    Scope.SetParent(&gbRates);
    Scope->SetInterval(1000);
    Scope->SetThreaded(false);
    widgets::TVrChannel& up = Scope->Channels().Add();
    up.SetColor(65177);
    widgets::TVrChannel& down = Scope->Channels().Add();
    down.SetColor(16750949);
    Scope->SetGridSize(12);
    Scope->SetGridColor(21760);
    Scope->SetBaseOffset(0);
    Scope->SetBaseColor(0x000000);
    Scope->SetFrequency(1);
    Scope->OnNeedData = [this](widgets::TVrScope& s, int channel, int& value) {
        ScopeNeedData(s, channel, value);
    };
    SetUpperLimit(static_cast<int>(Scope->MaxValue()));
}

void InfoTabs::LayoutRates() {
    const ui::Rect c = gbRates.ClientRect();
    const int top = 2, height = std::max(0, c.height - 4);
    const int scopeLeft = std::min(std::max(150, c.width / 3), std::max(0, c.width - 40));
    VrScale.SetBounds(scopeLeft - 32, top, 32, height);  // flush against the graph: one black face
    Scope.SetBounds(scopeLeft, top, std::max(0, c.width - scopeLeft), height);
}

void InfoTabs::SetUpperLimit(int limit) {
    if (limit < 1) return;
    Scope->SetMaxValue(limit);
    VrScale->SetMaxValue(limit);
    VrScale->SetPeakLevel(static_cast<int>(std::nearbyint(limit * 0.8)));
}

void InfoTabs::ScopeNeedData(widgets::TVrScope&, int channel, int& value) {
    value = channel == 0 ? link_.UploadRate() : link_.DownloadRate();
}

void InfoTabs::RefreshAdapters() { adapters_->RefreshAdapters(link_.AdapterChoice()); }

void InfoTabs::MarkRateAdapters() { adapters_->MarkRateAdapters(link_.AdapterChoice()); }

// The counters are read first, so the totals restart at 0 from the counters of this moment
// (not of the last tick, which would show the traffic since then at once). When the table
// cannot be read the totals restart from the last tick's counters and the error is shown.
void InfoTabs::btnResetClick() {
    std::exception_ptr failure;
    try {
        link_.ReadOctets();
    } catch (...) {
        failure = std::current_exception();
    }
    adapters_->ResetTotals();
    if (failure) std::rethrow_exception(failure);
}

void InfoTabs::AdapterCounters(const app::InterfaceCounters& row) {
    adapters_->Counters(row.index, row.inOctets, row.outOctets);
}

void InfoTabs::IdIPWatchStatusChanged() { RefreshAdapters(); }

// ---- creation

void InfoTabs::FormCreate(int upperLimit) {
    FillProcessor();
    FillFolders();
    FillGeneral();
    ui::Guarded([this] { RefreshAdapters(); });
    SetUpperLimit(upperLimit);
    Scope->SetActive(true);
    IdIPWatch.SetActive(true);
}

}  // namespace details
