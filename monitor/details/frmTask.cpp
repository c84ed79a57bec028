#include "monitor/details/frmTask.h"

#include "monitor/details/details_text.h"
#include "monitor/details/frmTask_seams.h"
#include "monitor/metrics/memory_status_win.h"

namespace details {

TfrmTask::TfrmTask(ProgramLink& link, ProcessSource* source)
    : ui::Form("TfrmTask"),
      ilTasks(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)),
      mniOptions("Options"),
      mniAlwaysOnTop("Always On Top", ui::Bind(this, &TfrmTask::mniAlwaysOnTopClick)),
      N1(ui::MenuItem::kSeparator),
      mniProgramOptions("Program Options", ui::Bind(this, &TfrmTask::mniProgramOptionsClick)),
      mniHelp("Help"),
      Contents1("Contents", ui::Bind(this, &TfrmTask::Contents1Click)),
      N2(ui::MenuItem::kSeparator),
      About1("About", ui::Bind(this, &TfrmTask::About1Click)),
      mniFront("Bring To Front", ui::Bind(this, &TfrmTask::mniFrontClick)),
      GotoProcess1("Go To Process", ui::Bind(this, &TfrmTask::GotoProcess1Click)),
      N3(ui::MenuItem::kSeparator),
      mniEndTask("End Task", ui::Bind(this, &TfrmTask::mniEndTaskClick)),
      mniEndProcess("End Process", ui::Bind(this, &TfrmTask::mniEndProcessClick)),
      Info(link),
      link_(link),
      source_(source) {
    if (!source_) {
        ownSource_ = std::make_unique<SnapshotSource>();
        source_ = ownSource_.get();
    }
}

void TfrmTask::FormCreate() {
    font_ = ui::MakeFontPixels("MS Sans Serif", -11);
    ui::FormStyle fs;
    fs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    // Owned by the desktop window: a taskbar button of its own.
    fs.exStyle = WS_EX_APPWINDOW;
    fs.owner = GetDesktopWindow();
    CreateHandle(fs, kDesignSize, kDesignSize, kCaption);
    SetMinSize(kDesignSize, kDesignSize);
    SetBounds(WindowRect().left, WindowRect().top, kDesignSize, kDesignSize);

    mniOptions.Add(mniAlwaysOnTop);
    mniOptions.Add(N1);
    mniOptions.Add(mniProgramOptions);
    mniHelp.Add(Contents1);
    mniHelp.Add(N2);
    mniHelp.Add(About1);
    mnMain.Items.Add(mniOptions);
    mnMain.Items.Add(mniHelp);
    mniAlwaysOnTop.SetChecked(true);
    BuildMenuBar();

    // The frame: a line across the top, the status bar at the bottom, the pages between.
    Bevel1.SetShape(ui::Bevel::Shape::TopLine);
    Bevel1.SetAlign(ui::Align::Top);
    Bevel1.SetHeight(9);
    Bevel1.SetParent(this);
    sbBar.SetParent(this);
    sbBar.SetFont(font_.get());
    sbBar.SetPanels({120, 96, 280, 50});
    pnlSneaky.SetParent(this);
    pgMain.SetAlign(ui::Align::Client);
    pgMain.SetParent(&pnlSneaky);
    pgMain.SetFont(font_.get());
    const struct {
        TDetailsSheet* sheet;
        const char* caption;
    } sheets[] = {{&tsGeneral, "General"}, {&tsTasks, "Tasks"},     {&tsProcesses, "Processes"},
                  {&tsProcessor, "CPU"},   {&tsFolders, "Folders"}, {&TabSheet1, "Network"}};
    for (const auto& s : sheets) {
        s.sheet->SetCaption(s.caption);
        pgMain.AddPage(*s.sheet);
    }
    BuildTasksTab();
    BuildProcessesTab();
    Info.Create(tsGeneral.Body, tsProcessor.Body, tsFolders.Body, TabSheet1.Body, 0);
    FormResize();

    SetAlwaysOnTop(true);
    RefreshProcesses(false);
    lvApps.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (ui::ListView* lv : {&lvApps, &lvModules, &lvProcesses, &lvThreads}) lv->SetDoubleBuffered(true);
    // Windows without an icon get the blank first picture of ilBlankIcon; it is ready before
    // the first task rows get their icons.
    DefaultTaskIcon = Info.ilBlankIcon.GetIcon(0);
    RefreshTasks(true);
    // The CPU tab, the folders, the General tab's static part, the adapters, the graph's limit.
    Info.FormCreate(link_.UpperLimit());
    pgMain.SetActivePageIndex(kPageGeneral);
}

// The menu bar holds the sub-menus of mnMain, so the commands keep mnMain's ids.
void TfrmTask::BuildMenuBar() {
    std::vector<ui::Bitmap> unused;
    ui::Menu built = mnMain.Build(unused);
    ui::Menu bar(CreateMenu());
    char caption[64];
    while (GetMenuItemCount(built.get()) > 0) {
        HMENU sub = GetSubMenu(built.get(), 0);
        GetMenuStringA(built.get(), 0, caption, sizeof caption, MF_BYPOSITION);
        RemoveMenu(built.get(), 0, MF_BYPOSITION);
        for (int i = 0, n = GetMenuItemCount(sub); i < n; ++i) {
            MENUITEMINFOA mi{};
            mi.cbSize = sizeof mi;
            mi.fMask = MIIM_ID | MIIM_FTYPE;
            if (!GetMenuItemInfoA(sub, static_cast<UINT>(i), TRUE, &mi) || (mi.fType & MFT_SEPARATOR))
                continue;
            mi.fMask = MIIM_ID;
            mi.wID += kMenuCommandBase;
            SetMenuItemInfoA(sub, static_cast<UINT>(i), TRUE, &mi);
        }
        AppendMenuA(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption);
    }
    SetMenu(Handle(), bar.get());
    menuBar_ = std::move(bar);  // the old bar goes now that the window no longer carries it
    DrawMenuBar(Handle());
}

void TfrmTask::CentreOnDesktop() {
    const ui::Rect r = WindowRect();
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(Handle(), nullptr, (sw - r.width) / 2, (sh - r.height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmTask::SetAlwaysOnTop(bool on) {
    const ui::Rect r = WindowRect();
    SetWindowPos(Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top, r.width, r.height, 0);
}

bool TfrmTask::ShownNotMinimised() const {
    return Handle() && IsWindowVisible(Handle()) && !IsIconic(Handle());
}

void TfrmTask::FormResize() {
    pnlSneaky.SetBounds(5, 5, ClientWidth() - 10, ClientHeight() - sbBar.Height() - 15);
}

void TfrmTask::FormShow() {
    Info.FormShow();
    TimerEvent();
}

void TfrmTask::TimerEvent() {
    ReadTaskList(reading_);
    tasks_.Tick(*appRows_, reading_);
    // A modal box of this window (End Process) disables it: the list is not rebuilt meanwhile.
    processes_->Tick(link_.Terminating(), IsWindowEnabled(Handle()) != FALSE);
    sbBar.SetPanelText(1, ProcessCountText(processes_->ProcessCount()).text);
    sbBar.SetPanelText(0, CpuUsageText(link_.CPU1()).text);
    // Gauges, memory, running time and rate labels; its memory reading gives the commit charge.
    Info.TimerEvent();
    const metrics::MemoryStatus& ms = Info.MemoryReading();
    sbBar.SetPanelText(2, CommitChargeText(ms.totalPageFile, ms.availPageFile).text);
}

void TfrmTask::Refresh1Execute() { RefreshProcesses(true); }

bool TfrmTask::Terminate1Update() const {
    return ProcessTab::CanTerminate(ActiveProcessList(), lvProcesses.FocusedItem() >= 0);
}

void TfrmTask::Terminate1Execute() { mniEndProcessClick(mniEndProcess); }

bool TfrmTask::ShortCut(const MSG& m) {
    if (m.message != WM_KEYDOWN) return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0,
               shift = GetKeyState(VK_SHIFT) < 0;
    if (m.wParam == VK_F5 && !ctrl && !alt && !shift) {
        Refresh1Execute();
        return true;
    }
    if (m.wParam == 'T' && ctrl && !alt && !shift) {
        // Off unless the process list has the focus and a focused row; the key then goes on.
        if (!Terminate1Update()) return false;
        Terminate1Execute();
        return true;
    }
    return false;
}

void TfrmTask::mniAlwaysOnTopClick(ui::MenuItem&) {
    mniAlwaysOnTop.SetChecked(!mniAlwaysOnTop.Checked());
    BuildMenuBar();
    SetAlwaysOnTop(mniAlwaysOnTop.Checked());
}
void TfrmTask::mniProgramOptionsClick(ui::MenuItem&) { link_.ProgramOptions(); }
void TfrmTask::Contents1Click(ui::MenuItem&) { link_.HelpContents(); }
void TfrmTask::About1Click(ui::MenuItem&) { link_.About(); }

bool TfrmTask::CloseQuery() {
    link_.TrimWorkingSet();
    SetVisible(false);
    return false;
}

bool TfrmTask::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (lp == 0 && HIWORD(wp) == 0 && LOWORD(wp) > kMenuCommandBase) {
            if (ui::MenuItem* it = mnMain.ItemOfCommand(LOWORD(wp) - kMenuCommandBase)) {
                it->Click();
                result = 0;
                return true;
            }
        }
        break;
    case WM_SHOWWINDOW:
        if (wp && !shownOnce_) {
            shownOnce_ = true;
            CentreOnDesktop();
        }
        if (wp) FormShow();
        break;
    case WM_MENUCHAR:
        result = DefaultProc(msg, wp, lp);
        if (result == 0) PostMessageA(Handle(), kBringToFront, 0, 0);
        return true;
    case kBringToFront:
        BringWindowToTop(Handle());
        SetForegroundWindow(Handle());
        result = 0;
        return true;
    }
    return ui::Form::HandleMessage(msg, wp, lp, result);
}

}  // namespace details
