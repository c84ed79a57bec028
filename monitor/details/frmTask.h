// TfrmTask: the System Details window. A resizable window with its own taskbar button, a main
// menu, a page control of six sheets and a status bar; refreshed by the main tick while it is
// shown and not minimised.
//
// The frame, the menu, the shortcuts and the refresh live in frmTask.cpp; the Tasks and
// Processes tabs in frmTask_lists.cpp.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "monitor/details/details_win.h"
#include "monitor/details/frmTask_info.h"
#include "monitor/details/process_tab.h"
#include "monitor/details/program_link.h"
#include "monitor/details/task_list.h"
#include "monitor/ui/form.h"
#include "monitor/ui/listview.h"
#include "monitor/ui/menu.h"
#include "monitor/ui/pagecontrol.h"
#include "monitor/ui/splitter.h"
#include "monitor/ui/statusbar.h"
#include "monitor/ui/win_control.h"

namespace details {

// A sheet of pgMain: its controls go into Body, which keeps a border of 15 pixels.
class TDetailsSheet : public ui::TabSheet {
public:
    static constexpr int kBorder = 15;
    TDetailsSheet() : ui::TabSheet("TTabSheet") {
        Body.SetParentColor(true);
        Body.SetParent(this);
    }
    ui::Panel Body;

protected:
    void BoundsChanged() override {
        ui::TabSheet::BoundsChanged();
        Body.SetBounds(kBorder, kBorder, Width() - 2 * kBorder, Height() - 2 * kBorder);
    }
};

// The Processes tab's status bar: no size grip; the middle panel takes what the outer two leave.
class TProcessesBar : public ui::StatusBar {
protected:
    void HandleCreated() override {
        ui::StatusBar::HandleCreated();
        SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~SBARS_SIZEGRIP);
    }
    void BoundsChanged() override {
        const int middle = Width() - 100 - 165;
        SetPanels({100, middle > 0 ? middle : 0, 165});
    }
};

class TfrmTask : public ui::Form {
public:
    static constexpr const char* kCaption = "Corvane Statwell - System Details";
    static constexpr int kDesignSize = 448;  // outer width and height, also the minimum
    // Posted to itself when a menu key matches nothing: the window comes to the front.
    static constexpr UINT kBringToFront = WM_USER + 256;
    // The menu bar's command ids start here: below it, the dialog keys' IDOK and IDCANCEL
    // (Enter, Escape) would run the first menu items.
    static constexpr UINT kMenuCommandBase = 0x100;
    enum PageIndex {
        kPageGeneral = 0,
        kPageTasks = 1,
        kPageProcesses = 2,
        kPageCPU = 3,
        kPageFolders = 4,
        kPageNetwork = 5
    };

    // `source` feeds the process lists (the platform's snapshots when null).
    explicit TfrmTask(ProgramLink& link, ProcessSource* source = nullptr);
    ~TfrmTask() override;

    // ---- frame and refresh (frmTask.cpp)
    void FormCreate();
    void FormShow();
    void TimerEvent();
    void FormResize();
    void SetAlwaysOnTop(bool on);
    bool ShownNotMinimised() const;
    void mniAlwaysOnTopClick(ui::MenuItem& sender);
    void mniProgramOptionsClick(ui::MenuItem& sender);
    void Contents1Click(ui::MenuItem& sender);
    void About1Click(ui::MenuItem& sender);
    // The two actions, bound to their shortcuts only: F5 and Ctrl+T.
    void Refresh1Execute();
    void Terminate1Execute();
    bool Terminate1Update() const;
    // F5 and Ctrl+T, handed over by the message loop before the focused control sees them.
    bool ShortCut(const MSG& m) override;

    // ---- Tasks and Processes (frmTask_lists.cpp)
    void RefreshTasks(bool full);
    void RefreshProcesses(bool full) { processes_->RefreshProcesses(full); }
    void mniFrontClick(ui::MenuItem& sender);
    void GotoProcess1Click(ui::MenuItem& sender);
    void mniEndTaskClick(ui::MenuItem& sender);
    void mniEndProcessClick(ui::MenuItem& sender);
    void EndProcessById(uint32_t pid);
    void lvProcessesSelectItem(ui::ListView& sender, int row, bool selected);
    void lvModulesSelectItem(ui::ListView& sender, int row, bool selected);
    void lvProcessesEnter(ui::Control& sender);
    void lvModulesEnter(ui::Control& sender);
    // Which list has the focus (the last one that had it while the window is inactive).
    ActiveList ActiveProcessList() const;

    // The menu bar as the window carries it (rebuilt when a check changes).
    HMENU MenuBar() const { return menuBar_.get(); }

    // ---- controls, in creation order
    ui::Bevel Bevel1;
    ui::StatusBar sbBar;
    ui::Panel pnlSneaky;
    ui::PageControl pgMain;
    TDetailsSheet tsGeneral, tsTasks, tsProcesses, tsProcessor, tsFolders, TabSheet1;
    // Tasks
    ui::ListView lvApps;
    ui::ImageList ilTasks;
    // Processes
    TProcessesBar StatusBar;
    ui::Panel pnlModules;
    ui::ListView lvModules;
    ui::Splitter Splitter1;
    ui::ListView lvThreads;
    ui::Splitter Splitter3;
    ui::ListView lvProcesses;

    // ---- menus
    ui::PopupMenu mnMain;
    ui::MenuItem mniOptions, mniAlwaysOnTop, N1, mniProgramOptions;
    ui::MenuItem mniHelp, Contents1, N2, About1;
    ui::PopupMenu mnTasks;
    ui::MenuItem mniFront, GotoProcess1, N3, mniEndTask;
    ui::PopupMenu mnProcesses;
    ui::MenuItem mniEndProcess;

    // ---- state
    ProcessTab& Processes() { return *processes_; }
    TaskTracker& Tasks() { return tasks_; }
    ui::Icon DefaultTaskIcon;
    // The terminator End Process uses (the platform's message boxes when null; tests fill it).
    Terminator* TerminatorForTesting = nullptr;

    // ---- General, CPU, Folders and Network (frmTask_info.h); after the sheets, so its
    // controls leave them before the sheets go.
    InfoTabs Info;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Resized() override { FormResize(); }
    bool CloseQuery() override;

private:
    void BuildMenuBar();
    void CentreOnDesktop();
    void BuildTasksTab();
    void BuildProcessesTab();
    void UpdateTaskIcons();

    // The seams of the core over the real lists.
    class AppRows;
    class ProcessList;
    class ReplaceList;
    class ProcessStatus;

    ProgramLink& link_;
    std::unique_ptr<SnapshotSource> ownSource_;
    ProcessSource* source_;
    std::unique_ptr<AppRows> appRows_;
    std::unique_ptr<ProcessList> processRows_;
    std::unique_ptr<ReplaceList> threadRows_, moduleRows_;
    std::unique_ptr<ProcessStatus> processStatus_;
    std::unique_ptr<ProcessTab> processes_;
    TaskTracker tasks_;
    TaskList reading_;  // the task list read by the tick, reused
    ui::Menu menuBar_;
    ui::Font font_;
    mutable ActiveList lastActive_ = ActiveList::Other;
    bool shownOnce_ = false;
};

}  // namespace details
