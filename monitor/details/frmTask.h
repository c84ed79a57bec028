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
#include "monitor/details/process_tab.h"
#include "monitor/details/program_link.h"
#include "monitor/details/task_list.h"
#include "monitor/ui/form.h"
#include "monitor/ui/menu.h"
#include "monitor/ui/win_control.h"

namespace details {

class TfrmTask : public ui::Form {
public:
    static constexpr const char* kCaption = "Corvane Statwell - System Details";
    static constexpr int kDesignSize = 448;  // outer width and height, also the minimum
    // Posted to itself when a menu key matches nothing: the window comes to the front.
    static constexpr UINT kBringToFront = WM_USER + 256;

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

    // The menu bar as the window carries it (rebuilt when a check changes).
    HMENU MenuBar() const { return menuBar_.get(); }

    // ---- controls
    ui::Panel Bevel1;
    ui::Panel pnlSneaky;

    // ---- main menu
    ui::PopupMenu mnMain;
    ui::MenuItem mniOptions, mniAlwaysOnTop, N1, mniProgramOptions;
    ui::MenuItem mniHelp, Contents1, N2, About1;

    // ---- state
    ProcessTab& Processes() { return *processes_; }
    TaskTracker& Tasks() { return tasks_; }

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Resized() override { FormResize(); }
    bool CloseQuery() override;

private:
    void BuildMenuBar();
    void CentreOnDesktop();

    ProgramLink& link_;
    std::unique_ptr<SnapshotSource> ownSource_;
    ProcessSource* source_;
    std::unique_ptr<ProcessTab> processes_;
    TaskTracker tasks_;
    TaskList reading_;  // the task list read by the tick, reused
    ui::Menu menuBar_;
    ui::Font font_;
    bool shownOnce_ = false;
};

}  // namespace details
