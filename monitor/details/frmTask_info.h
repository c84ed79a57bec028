#pragma once
// The General, CPU, Folders and Network tabs of System Details (TfrmTask). The window owns one
// InfoTabs; it builds its controls into the window's four sheets, gathers the static content
// once (FormCreate), sets the live figures each tick (TimerEvent), and is the adapters list the
// main tick writes the traffic columns into while the window is shown.
//
//     InfoTabs info(link);                     // the gadget's figures and its tick
//     info.Create(tsGeneral, tsProcessor, tsFolders, TabSheet1);
//     info.FormCreate(upperLimit);             // CPU, folders, system lines, adapters, watcher
//     info.FormShow();  info.TimerEvent();     // marks; the live figures
#include <windows.h>

#include <cstdint>
#include <memory>

#include "monitor/app/tick.h"
#include "monitor/details/adapters_list.h"
#include "monitor/details/general_info.h"
#include "monitor/details/info_controls.h"
#include "monitor/details/ip_watch.h"
#include "monitor/details/program_link.h"
#include "monitor/details/system_probe_win.h"
#include "monitor/metrics/memory_status_win.h"
#include "monitor/metrics/processor_id.h"
#include "monitor/ui/hyperbutton.h"
#include "monitor/ui/listview.h"
#include "monitor/ui/menu.h"
#include "monitor/ui/pagecontrol.h"
#include "widgets/levelbar.h"
#include "widgets/scale.h"
#include "widgets/scope.h"

namespace details {

// Where the tabs' facts come from; the system's by default, fakes in tests.
struct InfoSources {
    metrics::MemoryStatusApi* memory = nullptr;
    Clock* clock = nullptr;
    FolderSource* folders = nullptr;
    FolderOpener* opener = nullptr;
    NetworkTables* tables = nullptr;
    IdIPWatch::Probe address;  // empty: the system's local address
    // The processor and its speed; null: identified on this machine.
    const metrics::ProcessorId* processor = nullptr;
    uint32_t mhz = 0;
    std::vector<std::string> systemLines;  // empty: this system's
};

class InfoTabs final : public app::AdapterListSink {
public:
    explicit InfoTabs(ProgramLink& link, InfoSources sources = InfoSources());
    ~InfoTabs();
    InfoTabs(const InfoTabs&) = delete;
    InfoTabs& operator=(const InfoTabs&) = delete;

    // Builds the controls into the four pages (the sheets, or the areas inside them), before or
    // after the window exists; `border` is kept free inside each of them.
    void Create(ui::Control& tsGeneral, ui::Control& tsProcessor, ui::Control& tsFolders,
                ui::Control& TabSheet1, int border = 15);
    // The gathering of creation: the CPU tab, the folders, the General tab's static part, the
    // adapters and the graph's limit; then the address watcher starts. An error of the tables
    // is shown and the rest goes on.
    void FormCreate(int upperLimit);
    // The window is shown: the marks of the interfaces in the rate.
    void FormShow() { MarkRateAdapters(); }
    // The live figures: gauges and their labels, memory, running time, rate labels.
    void TimerEvent();
    // The program ends: the address watcher's thread ends.
    void FormDestroy();

    void RefreshAdapters();
    void MarkRateAdapters();
    // The graph's and the scale's maximum, the scale's peak at 80 % of it.
    void SetUpperLimit(int limit);
    // The last memory reading of TimerEvent and its texts (the status bar's commit charge).
    const MemoryTexts& Memory() const { return memoryTexts_; }
    const metrics::MemoryStatus& MemoryReading() const { return memory_; }

    // The tick's traffic rule (only while the window is shown and not minimised).
    void AdapterCounters(const app::InterfaceCounters& row) override;

    // ---- handlers
    void btnResetClick();
    void ScopeNeedData(widgets::TVrScope& sender, int channel, int& value);
    void mniExplorerClick(ui::MenuItem& sender);
    void pnlTotalsResize();
    void IdIPWatchStatusChanged();

    // ---- General
    SheetBody bodyGeneral;
    ui::Panel pnlGeneraltop;
    IconImage imgComputer;
    ui::Label lblSystemCaption, lblRunningCaption;
    TextBlock mmoSystem, lblRunning;
    ResizePanel pnlTotals;
    GroupFrame gbCPU, gbRAM, gbSwap;
    ui::Panel pnlCPU, pnlRAM, pnlSwap;
    ui::Hosted<widgets::TVrGauge> gCPU, gRAM, gSwap;
    TextBlock lblCPU, lblRAM, lblSwap;
    ResizePanel pnlMemory;
    GroupFrame gbPhysical, gbPageFile;
    ui::Label lblTotalCaption, lblAvailCaption, lblPFTotalCaption, lblPFAvailCaption;
    TextBlock lblTotalRAM, lblAvailRAM, lblPFTotal, lblPFAvail;

    // ---- CPU
    SheetBody bodyProcessor;
    ui::Panel pnlProcessorTop;
    ui::Label lblNameCaption, lblSpeedCaption, lblSerialCaption, lblFDivCaption;
    ui::Label lblName, lblSpeed, lblSerial, lblFDiv;
    ui::ListView lvCPU;
    ui::ImageList ilCPU;

    // ---- Folders
    SheetBody bodyFolders;
    ui::ListView lvFolders;
    ui::PopupMenu mnFolders;
    ui::MenuItem mniExplorer;

    // ---- Network
    SheetBody bodyNetwork;
    GroupFrame gbRates;
    ui::Label lblDownloadCaption, lblUploadCaption, lblDownload, lblUpload;
    ui::Hosted<widgets::TVrScale> VrScale;
    ui::Hosted<widgets::TVrScope> Scope;
    ui::Panel pnlGap;
    ui::ListView lvAdapters;
    ui::ImageList ilBlankIcon;
    ResizePanel pnlLegend;
    IconImage imgLegend;
    ui::Label lblLegend;
    ui::HyperButton btnReset;

    details::IdIPWatch IdIPWatch;

private:
    class AdapterRowsView;
    void BuildGeneral(ui::Control& sheet);
    void BuildProcessor(ui::Control& sheet);
    void BuildFolders(ui::Control& sheet);
    void BuildNetwork(ui::Control& sheet);
    void FillProcessor();
    void FillFolders();
    void FillGeneral();
    void LayoutMemoryGroups();
    void LayoutRates();

    ProgramLink& link_;
    InfoSources src_;
    // The system's sources behind the defaults of src_.
    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<FolderSource> ownFolders_;
    std::unique_ptr<FolderOpener> ownOpener_;
    std::unique_ptr<NetworkTables> ownTables_;
    std::unique_ptr<AdapterRowsView> adapterView_;
    std::unique_ptr<AdapterList> adapters_;
    ui::Font fontForm_, fontScale_;
    metrics::MemoryStatus memory_;
    MemoryTexts memoryTexts_;
};

}  // namespace details
