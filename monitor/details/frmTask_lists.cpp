// The Tasks and Processes tabs of TfrmTask: the lists, their pop-up menus and the seams through
// which the tab decisions (task_list.h, process_tab.h) reach them.
#include "monitor/details/frmTask.h"
#include "monitor/details/frmTask_seams.h"

namespace details {

TfrmTask::~TfrmTask() = default;

// ---- building

void TfrmTask::BuildTasksTab() {
    lvApps.SetAlign(ui::Align::Client);
    lvApps.SetParent(&tsTasks.Body);
    lvApps.SetFont(font_.get());
    lvApps.AddColumn("Application", ui::ListView::kAutoSize);
    lvApps.SetSmallImages(&ilTasks);
    mnTasks.Items.Add(mniFront);
    mnTasks.Items.Add(GotoProcess1);
    mnTasks.Items.Add(N3);
    mnTasks.Items.Add(mniEndTask);
    lvApps.SetPopupMenu(&mnTasks);
    appRows_ = std::make_unique<AppRows>(*this);
}

void TfrmTask::BuildProcessesTab() {
    StatusBar.SetParent(&tsProcesses.Body);
    StatusBar.SetFont(font_.get());
    pnlModules.SetAlign(ui::Align::Bottom);
    pnlModules.SetHeight(101);
    pnlModules.SetParent(&tsProcesses.Body);
    lvModules.SetAlign(ui::Align::Client);
    lvModules.SetParent(&pnlModules);
    Splitter1.SetAlign(ui::Align::Bottom);
    Splitter1.SetMinSize(70);
    Splitter1.SetParent(&tsProcesses.Body);
    lvThreads.SetAlign(ui::Align::Right);
    lvThreads.SetWidth(85);
    lvThreads.SetParent(&tsProcesses.Body);
    Splitter3.SetAlign(ui::Align::Right);
    Splitter3.SetParent(&tsProcesses.Body);
    lvProcesses.SetAlign(ui::Align::Client);
    lvProcesses.SetParent(&tsProcesses.Body);

    lvProcesses.AddColumn("Process", 110);
    lvProcesses.AddColumn("PID", 65);
    lvProcesses.AddColumn("Priority");
    lvProcesses.AddColumn("Threads", ui::ListView::kAutoSize);
    lvThreads.AddColumn("Thread", ui::ListView::kAutoSize);
    lvModules.AddColumn("Module", 87);
    lvModules.AddColumn("Handle", 65);
    lvModules.AddColumn("Size", 60);
    lvModules.AddColumn("File Name", ui::ListView::kAutoSize);
    // Owner-drawn fixed rows drawn the list's own way, the whole row selected.
    for (ui::ListView* lv : {&lvProcesses, &lvThreads, &lvModules}) {
        lv->SetFont(font_.get());
        lv->SetOwnerDraw(true);
        lv->OnDrawItem = [](ui::ListView&, const DRAWITEMSTRUCT&) { return false; };
    }
    lvProcesses.OnSelectItem = ui::Bind(this, &TfrmTask::lvProcessesSelectItem);
    lvModules.OnSelectItem = ui::Bind(this, &TfrmTask::lvModulesSelectItem);
    lvProcesses.OnEnter = ui::Bind(this, &TfrmTask::lvProcessesEnter);
    lvModules.OnEnter = ui::Bind(this, &TfrmTask::lvModulesEnter);
    mnProcesses.Items.Add(mniEndProcess);
    lvProcesses.SetPopupMenu(&mnProcesses);

    processRows_ = std::make_unique<ProcessList>(lvProcesses);
    threadRows_ = std::make_unique<ReplaceList>(lvThreads);
    moduleRows_ = std::make_unique<ReplaceList>(lvModules);
    processStatus_ = std::make_unique<ProcessStatus>(*this);
    processes_ =
        std::make_unique<ProcessTab>(*source_, *processRows_, *threadRows_, *moduleRows_, *processStatus_);
    processes_->SetThousandsSeparator(UserThousandsSeparator());
}

// ---- tasks

void TfrmTask::RefreshTasks(bool full) {
    ReadTaskList(reading_);
    tasks_.Refresh(*appRows_, reading_, full);
}

// Each row gets the icon of the first window with its title, at the small-icon size.
void TfrmTask::UpdateTaskIcons() {
    ui::ImageList fresh(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    ImageList_SetBkColor(fresh.Handle(), GetSysColor(COLOR_WINDOW));
    for (int row = 0, n = lvApps.Count(); row < n; ++row) {
        const HWND w = FindWindowA(nullptr, lvApps.Caption(row).c_str());
        ui::Icon icon(w ? CopyWindowSmallIcon(w) : nullptr);
        fresh.AddIcon(icon ? icon.get() : DefaultTaskIcon.get());
        lvApps.SetImage(row, row);
    }
    ui::ImageList old = std::move(ilTasks);  // freed once the list shows the new images
    ilTasks = std::move(fresh);
    lvApps.SetSmallImages(&ilTasks);
}

namespace {
HWND FocusedWindow(const ui::ListView& lv) {
    const int r = lv.FocusedItem();
    return r >= 0 ? reinterpret_cast<HWND>(lv.Data(r)) : nullptr;
}
}  // namespace

void TfrmTask::mniFrontClick(ui::MenuItem&) {
    const HWND w = FocusedWindow(lvApps);
    if (!w) return;
    if (IsIconic(w)) ShowWindow(w, SW_RESTORE);
    BringWindowToTop(w);
}

void TfrmTask::mniEndTaskClick(ui::MenuItem&) {
    if (const HWND w = FocusedWindow(lvApps)) PostMessageA(w, WM_CLOSE, 0, 0);
}

void TfrmTask::GotoProcess1Click(ui::MenuItem&) {
    const HWND w = FocusedWindow(lvApps);
    if (!w) return;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const int r = lvProcesses.FindData(static_cast<LPARAM>(pid));
    if (r < 0) return;
    lvProcesses.SetSelected(r);
    lvProcesses.MakeVisible(r, true);
    pgMain.SetActivePageIndex(kPageProcesses);
}

// ---- processes

ActiveList TfrmTask::ActiveProcessList() const {
    const HWND f = GetFocus();
    if (f && Handle() && IsChild(Handle(), f)) {
        lastActive_ = f == lvProcesses.Handle() ? ActiveList::Processes
                      : f == lvModules.Handle() ? ActiveList::Modules
                                                : ActiveList::Other;
    }
    return lastActive_;
}

void TfrmTask::lvProcessesSelectItem(ui::ListView& lv, int row, bool selected) {
    if (row < 0 || row >= lv.Count()) return;
    processes_->ProcessSelectItem(static_cast<uint32_t>(lv.Data(row)), lv.Caption(row), selected,
                                  lv.FocusedItem() >= 0);
}

void TfrmTask::lvModulesSelectItem(ui::ListView&, int, bool selected) {
    if (selected) processes_->ModuleSelectItem();
}

void TfrmTask::lvProcessesEnter(ui::Control&) { processes_->ListEnter(); }
void TfrmTask::lvModulesEnter(ui::Control&) { processes_->ListEnter(); }

void TfrmTask::mniEndProcessClick(ui::MenuItem&) {
    const int r = lvProcesses.FocusedItem();
    if (r >= 0) EndProcessById(static_cast<uint32_t>(lvProcesses.Data(r)));
}

void TfrmTask::EndProcessById(uint32_t pid) {
    char title[128] = "Corvane Statwell";
    if (ui::Application* app = ui::Application::Current()) GetWindowTextA(app->Handle(), title, sizeof title);
    ProcessTerminator platform(lvProcesses.Handle(), title);
    processes_->EndProcess(pid, TerminatorForTesting ? *TerminatorForTesting : platform);
}

}  // namespace details
