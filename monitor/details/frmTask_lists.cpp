// The Tasks and Processes tabs of TfrmTask: the lists, their pop-up menus and the seams through
// which the tab decisions (task_list.h, process_tab.h) reach them.
#include "monitor/details/frmTask.h"

namespace details {

// ---- seams over the real lists

class TfrmTask::AppRows final : public TaskRows {
public:
    explicit AppRows(TfrmTask& f) : f_(f), lv_(f.lvApps) {}
    int Count() const override { return lv_.Count(); }
    uintptr_t Handle(int row) const override { return static_cast<uintptr_t>(lv_.Data(row)); }
    std::string Caption(int row) const override { return lv_.Caption(row); }
    void Add(const std::string& caption, uintptr_t handle) override {
        lv_.AddItem(caption.c_str(), static_cast<LPARAM>(handle));
    }
    void SetCaption(int row, const std::string& caption) override { lv_.SetCaption(row, caption.c_str()); }
    void Delete(int row) override { lv_.DeleteItem(row); }
    void Clear() override { lv_.Clear(); }
    void SetRedraw(bool on) override { on ? lv_.EndUpdate() : lv_.BeginUpdate(); }
    void Sort() override { lv_.Sort(); }
    void UpdateIcons() override { f_.UpdateTaskIcons(); }

private:
    TfrmTask& f_;
    ui::ListView& lv_;
};

class TfrmTask::ProcessList final : public ProcessRows {
public:
    explicit ProcessList(ui::ListView& lv) : lv_(lv) {}
    void BeginRefresh(bool full) override {
        if (full) cursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        lv_.BeginUpdate();
        if (full) lv_.Clear();
    }
    void EndRefresh(bool full) override {
        lv_.EndUpdate();
        if (full) SetCursor(cursor_);
    }
    void Add(const ListRow& row) override {
        const int r = lv_.AddItem(row.caption.c_str(), static_cast<LPARAM>(row.data));
        for (size_t i = 0; i < row.subItems.size(); ++i) lv_.SetSubItem(r, static_cast<int>(i), row.subItems[i].c_str());
    }
    void SetSubItem(uint32_t pid, int subItem, const std::string& text) override {
        const int r = lv_.FindData(static_cast<LPARAM>(pid));
        if (r >= 0) lv_.SetSubItem(r, subItem, text.c_str());
    }
    void Delete(uint32_t pid) override {
        const int r = lv_.FindData(static_cast<LPARAM>(pid));
        if (r >= 0) lv_.DeleteItem(r);
    }
    void Sort() override { lv_.Sort(); }
    bool AnySelected() const override { return lv_.Selected() >= 0; }
    bool Focused(uint32_t& pid) const override {
        const int r = lv_.FocusedItem();
        if (r < 0) return false;
        pid = static_cast<uint32_t>(lv_.Data(r));
        return true;
    }
    // Selecting focuses too: the first row is taken when none has the focus.
    void FocusFirst() override {}
    void SelectFocused() override {
        int r = lv_.FocusedItem();
        if (r < 0 && lv_.Count() > 0) r = 0;
        if (r >= 0) lv_.SetSelected(r);
    }

private:
    ui::ListView& lv_;
    HCURSOR cursor_ = nullptr;
};

class TfrmTask::ReplaceList final : public RowsReplace {
public:
    explicit ReplaceList(ui::ListView& lv) : lv_(lv) {}
    void Replace(const std::vector<ListRow>& rows) override {
        lv_.BeginUpdate();
        struct End {
            ui::ListView& lv;
            ~End() { lv.EndUpdate(); }
        } end{lv_};
        lv_.Clear();
        for (const ListRow& row : rows) {
            const int r = lv_.AddItem(row.caption.c_str(), static_cast<LPARAM>(row.data));
            for (size_t i = 0; i < row.subItems.size(); ++i)
                lv_.SetSubItem(r, static_cast<int>(i), row.subItems[i].c_str());
        }
        lv_.Sort();
    }

private:
    ui::ListView& lv_;
};

class TfrmTask::ProcessStatus final : public ProcessStatusBar {
public:
    explicit ProcessStatus(TfrmTask& f) : f_(f) {}
    ActiveList Active() const override { return f_.ActiveProcessList(); }
    std::string SelectedFile() const override {
        switch (Active()) {
        case ActiveList::Processes: {
            const int r = f_.lvProcesses.FocusedItem();
            return r >= 0 ? f_.lvProcesses.SubItem(r, kSubPath) : std::string();
        }
        case ActiveList::Modules: {
            const int r = f_.lvModules.FocusedItem();
            return r >= 0 ? f_.lvModules.SubItem(r, kSubModulePath) : std::string();
        }
        default:
            return std::string();
        }
    }
    void ShowVersionOf(const std::string& file) override {
        ui::StatusBar& bar = f_.StatusBar;
        bar.SetPanelText(0, "");
        bar.SetPanelText(1, "");
        std::string version, description;
        if (ReadFileVersion(file, version, description)) {
            bar.SetPanelText(0, version.c_str());
            bar.SetPanelText(1, description.c_str());
        }
    }
    void SetCountText(const std::string& text) override { f_.StatusBar.SetPanelText(2, text.c_str()); }
    void SetProcessMenu(bool on) override { f_.lvProcesses.SetPopupMenu(on ? &f_.mnProcesses : nullptr); }

private:
    TfrmTask& f_;
};

TfrmTask::~TfrmTask() = default;

// ---- building

void TfrmTask::BuildTasksTab() {
    lvApps.SetAlign(ui::Align::Client);
    lvApps.SetParent(&tsTasks);
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
    StatusBar.SetParent(&tsProcesses);
    StatusBar.SetFont(font_.get());
    pnlModules.SetAlign(ui::Align::Bottom);
    pnlModules.SetHeight(101);
    pnlModules.SetParent(&tsProcesses);
    lvModules.SetAlign(ui::Align::Client);
    lvModules.SetParent(&pnlModules);
    Splitter1.SetAlign(ui::Align::Bottom);
    Splitter1.SetMinSize(70);
    Splitter1.SetParent(&tsProcesses);
    lvThreads.SetAlign(ui::Align::Right);
    lvThreads.SetWidth(85);
    lvThreads.SetParent(&tsProcesses);
    Splitter3.SetAlign(ui::Align::Right);
    Splitter3.SetParent(&tsProcesses);
    lvProcesses.SetAlign(ui::Align::Client);
    lvProcesses.SetParent(&tsProcesses);

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
    processes_ = std::make_unique<ProcessTab>(*source_, *processRows_, *threadRows_, *moduleRows_, *processStatus_);
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
    processes_->ProcessSelectItem(static_cast<uint32_t>(lv.Data(row)), lv.Caption(row), selected, lv.FocusedItem() >= 0);
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
