// The real System Details window in this process, over a fake program link.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "monitor/details/details_text.h"
#include "monitor/details/frmTask.h"
#include "tests/details/fake_source.h"
#include "tests/support/e2e.h"

using namespace details;

namespace {

struct FakeLink : details::ProgramLink {
    int cpu = 37, ram = 40, swap = 12;
    bool terminating = false;
    int trims = 0, options = 0, help = 0, about = 0;
    int CPU1() const override { return cpu; }
    int RAM() const override { return ram; }
    int Swap() const override { return swap; }
    const char* DownloadCaption() const override { return "Download: 2.7 KB/s"; }
    const char* UploadCaption() const override { return "Upload: 0.1 KB/s"; }
    bool Terminating() const override { return terminating; }
    void TrimWorkingSet() override { ++trims; }
    void ProgramOptions() override { ++options; }
    void HelpContents() override { ++help; }
    void About() override { ++about; }
};

std::string MenuText(HMENU m, int pos) {
    char text[128] = "";
    GetMenuStringA(m, pos, text, sizeof text, MF_BYPOSITION);
    return text;
}

// Runs a command of the menu bar as a click on it would.
void ChooseMenu(TfrmTask& f, int menu, int item) {
    HMENU sub = GetSubMenu(GetMenu(f.Handle()), menu);
    SendMessageA(f.Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(sub, item), 0), 0);
}

bool Topmost(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

constexpr uint32_t kWorker = 1001;

// 42 processes with 500 threads in all: the idle process, this test and 40 others.
void FillProcesses(FakeSource& src) {
    src.processes = {P(0, 1, "[System Process]", 0),
                     P(GetCurrentProcessId(), 39, "C:\\bin\\details_window_test.exe")};
    // Odd ids: a worker never shares this process's id (real ids are multiples of four), which
    // would merge the two rows into one.
    for (uint32_t i = 0; i < 40; ++i)
        src.processes.push_back(P(kWorker + 4 * i, i < 20 ? 12 : 11, "worker.exe"));
    src.threads = {{501, kWorker, 0}, {502, kWorker, 2}, {503, kWorker + 4, 1}};
    std::vector<ModuleEntry> many{M("WORKER.EXE", 0x400000, 200000)};
    for (int i = 1; i < 16; ++i) many.push_back(M("lib.dll", 0x10000000 + i * 0x10000, 200000));
    many.push_back(M("last.dll", 0x20000000, 4218880 - 16 * 200000));
    src.modules[kWorker] = many;
}

struct Window : ::testing::Test {
    FakeLink link;
    FakeSource source;
    TfrmTask frm{link, &source};
    void SetUp() override {
        FillProcesses(source);
        frm.FormCreate();
    }
    int RowOf(uint32_t pid) { return frm.lvProcesses.FindData(static_cast<LPARAM>(pid)); }
    void Show() {
        frm.SetVisible(true);
        e2e::PumpUntil([&] { return IsWindowVisible(frm.Handle()) != FALSE; }, 3000);
    }
};

}  // namespace

TEST_F(Window, FrameMenuAndPlace) {
    HWND w = frm.Handle();
    char cls[64], caption[128];
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ("TfrmTask", cls);
    EXPECT_STREQ("Corvane Statwell - System Details", caption);
    EXPECT_FALSE(IsWindowVisible(w));  // created hidden
    // Its own taskbar button: no tool window, owned by nobody but the desktop.
    const HWND owner = GetWindow(w, GW_OWNER);
    EXPECT_TRUE(owner == nullptr || owner == GetDesktopWindow());
    EXPECT_EQ(0, GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(Topmost(w));
    const char* captions[] = {"General", "Tasks", "Processes", "CPU", "Folders", "Network"};
    ASSERT_EQ(6, frm.pgMain.PageCount());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(captions[i], frm.pgMain.Page(i)->Caption());
    EXPECT_EQ(0, frm.pgMain.ActivePageIndex());
    EXPECT_EQ(120, frm.sbBar.PanelWidth(0));
    EXPECT_EQ(280, frm.sbBar.PanelWidth(2));

    Show();
    EXPECT_EQ("CPU Usage: 37%", frm.sbBar.PanelText(0));  // refreshed at once on showing
    EXPECT_EQ("Processes: 42", frm.sbBar.PanelText(1));
    EXPECT_EQ(0u, frm.sbBar.PanelText(2).find("Commit Charge: "));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(448, r.right - r.left);
    EXPECT_EQ(448, r.bottom - r.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 448) / 2, r.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 448) / 2, r.top);
    // Never smaller than 448 x 448.
    SetWindowPos(w, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(w, &r);
    EXPECT_EQ(448, r.right - r.left);
    EXPECT_EQ(448, r.bottom - r.top);
    SetWindowPos(w, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(5, frm.pnlSneaky.Left());
    EXPECT_EQ(frm.ClientWidth() - 10, frm.pnlSneaky.Width());
    EXPECT_EQ(frm.ClientHeight() - frm.sbBar.Height() - 15, frm.pnlSneaky.Height());
    // The Processes tab's status bar: the middle panel takes the rest.
    EXPECT_EQ(frm.StatusBar.Width() - 265, frm.StatusBar.PanelWidth(1));

    // The menu bar: Options (Always On Top checked, separator, Program Options), Help.
    HMENU bar = GetMenu(w);
    ASSERT_TRUE(bar);
    ASSERT_EQ(2, GetMenuItemCount(bar));
    EXPECT_EQ("Options", MenuText(bar, 0));
    EXPECT_EQ("Help", MenuText(bar, 1));
    HMENU options = GetSubMenu(bar, 0), help = GetSubMenu(bar, 1);
    EXPECT_EQ("Always On Top", MenuText(options, 0));
    EXPECT_EQ(MF_SEPARATOR, GetMenuState(options, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ("Program Options", MenuText(options, 2));
    EXPECT_TRUE(GetMenuState(options, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ("Contents", MenuText(help, 0));
    EXPECT_EQ("About", MenuText(help, 2));

    // Always On Top off keeps the place and size, and the check follows.
    GetWindowRect(w, &r);
    ChooseMenu(frm, 0, 0);
    EXPECT_FALSE(Topmost(w));
    EXPECT_FALSE(GetMenuState(GetSubMenu(GetMenu(w), 0), 0, MF_BYPOSITION) & MF_CHECKED);
    RECT after;
    GetWindowRect(w, &after);
    EXPECT_TRUE(EqualRect(&r, &after));
    ChooseMenu(frm, 0, 0);
    EXPECT_TRUE(Topmost(w));

    ChooseMenu(frm, 0, 2);
    ChooseMenu(frm, 1, 0);
    ChooseMenu(frm, 1, 2);
    EXPECT_EQ(1, link.options);
    EXPECT_EQ(1, link.help);
    EXPECT_EQ(1, link.about);

    // Closing only hides the window and trims the working set.
    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(1, link.trims);
    EXPECT_FALSE(frm.ShownNotMinimised());
}

TEST_F(Window, MenuKeyMatchingNothingBringsTheWindowForward) {
    Show();
    // The menu-key rule: an unmatched key posts the private message; it brings the window up.
    const LRESULT r = SendMessageA(frm.Handle(), WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP), 0);
    EXPECT_EQ(0, HIWORD(r));
    MSG m;
    EXPECT_TRUE(
        PeekMessageA(&m, frm.Handle(), TfrmTask::kBringToFront, TfrmTask::kBringToFront, PM_NOREMOVE));
    e2e::Pump();
}

namespace {
HWND MakeWindow(const char* title) {
    HWND w = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 80, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    return w;
}
int TaskRow(TfrmTask& f, HWND w) { return f.lvApps.FindData(reinterpret_cast<LPARAM>(w)); }
// Whether an image of the list leaves a mark on white.
bool Draws(const ui::ImageList& il, int image) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, 16, 16};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(il.Handle(), image, dc, 0, 0, ILD_TRANSPARENT);
    bool marked = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) marked = marked || GetPixel(dc, x, y) != RGB(255, 255, 255);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return marked;
}
}  // namespace

TEST_F(Window, TaskRowsFollowTheWindowsAndTheirCommands) {
    Show();
    HWND a = MakeWindow("details probe one");
    frm.TimerEvent();
    int row = TaskRow(frm, a);
    ASSERT_GE(row, 0);
    EXPECT_EQ("details probe one", frm.lvApps.Caption(row));
    // Each row shows its window's small icon; a window without one, the blank picture.
    HWND b = MakeWindow("details probe with an icon");
    SendMessageA(b, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));
    frm.TimerEvent();
    EXPECT_FALSE(Draws(frm.ilTasks, TaskRow(frm, a)));
    EXPECT_TRUE(Draws(frm.ilTasks, TaskRow(frm, b)));
    DestroyWindow(b);
    frm.TimerEvent();
    row = TaskRow(frm, a);
    const int rows = frm.lvApps.Count();
    EXPECT_EQ(rows, frm.ilTasks.Count());  // one icon per row
    // Renamed: the same row, a new caption.
    SetWindowTextA(a, "details probe renamed");
    frm.TimerEvent();
    EXPECT_EQ(rows, frm.lvApps.Count());
    row = TaskRow(frm, a);
    ASSERT_GE(row, 0);
    EXPECT_EQ("details probe renamed", frm.lvApps.Caption(row));

    // Bring To Front restores a minimised window; Go To Process shows its process on page 2.
    ShowWindow(a, SW_MINIMIZE);
    frm.TimerEvent();
    frm.lvApps.SetSelected(TaskRow(frm, a));
    frm.mniFrontClick(frm.mniFront);
    EXPECT_FALSE(IsIconic(a));
    frm.GotoProcess1Click(frm.GotoProcess1);
    EXPECT_EQ(TfrmTask::kPageProcesses, frm.pgMain.ActivePageIndex());
    const int sel = frm.lvProcesses.Selected();
    ASSERT_GE(sel, 0);
    EXPECT_EQ(static_cast<LPARAM>(GetCurrentProcessId()), frm.lvProcesses.Data(sel));
    EXPECT_EQ(sel, frm.lvProcesses.FocusedItem());

    // End Task asks the window to close; its row goes at the next tick.
    frm.lvApps.SetSelected(TaskRow(frm, a));
    frm.mniEndTaskClick(frm.mniEndTask);
    e2e::PumpUntil([&] { return !IsWindow(a); }, 3000);
    EXPECT_FALSE(IsWindow(a));
    frm.TimerEvent();
    EXPECT_EQ(-1, TaskRow(frm, a));
    EXPECT_EQ(rows - 1, frm.lvApps.Count());
}

TEST_F(Window, ProcessRowsThreadsModulesAndStatus) {
    Show();
    frm.pgMain.SetActivePageIndex(TfrmTask::kPageProcesses);
    ASSERT_EQ(42, frm.lvProcesses.Count());
    const int idle = RowOf(0);
    ASSERT_GE(idle, 0);
    EXPECT_EQ("System Idle Process", frm.lvProcesses.Caption(idle));
    const int worker = RowOf(kWorker);
    EXPECT_EQ("worker.exe", frm.lvProcesses.Caption(worker));
    EXPECT_EQ("1001", frm.lvProcesses.SubItem(worker, kSubPid));
    EXPECT_EQ("12", frm.lvProcesses.SubItem(worker, kSubThreads));
    EXPECT_EQ("PE 4.0", frm.lvProcesses.SubItem(worker, kSubType));
    EXPECT_EQ("worker.exe", frm.lvProcesses.SubItem(worker, kSubPath));

    frm.lvProcesses.SetFocus();
    frm.lvProcesses.SetSelected(worker);
    EXPECT_EQ("Processes: 42, Threads: 500", frm.StatusBar.PanelText(2));
    ASSERT_EQ(2, frm.lvThreads.Count());  // only this process's threads
    ASSERT_EQ(17, frm.lvModules.Count());
    bool sawHandle = false;
    for (int r = 0; r < frm.lvModules.Count(); ++r)
        if (frm.lvModules.Caption(r) == "worker.exe")
            sawHandle = frm.lvModules.SubItem(r, kSubHandle) == "00400000";
    EXPECT_TRUE(sawHandle);
    frm.lvModules.SetFocus();
    EXPECT_EQ("17 Modules, Size: " + FormatThousands(4218880, UserThousandsSeparator()),
              frm.StatusBar.PanelText(2));

    // A thread more: the row keeps its place, the focused process's threads are listed again.
    frm.lvProcesses.SetFocus();
    const int changes = static_cast<int>(frm.Processes().RowChanges());
    source.processes[2].threads = 13;
    source.threads.push_back({504, kWorker, 0});
    frm.TimerEvent();
    EXPECT_EQ(worker, RowOf(kWorker));
    EXPECT_EQ("13", frm.lvProcesses.SubItem(worker, kSubThreads));
    EXPECT_EQ(3, frm.lvThreads.Count());
    EXPECT_EQ(changes + 1, static_cast<int>(frm.Processes().RowChanges()));
    EXPECT_EQ("Processes: 42, Threads: 501", frm.StatusBar.PanelText(2));
    // Nothing changed: one snapshot, no row touched.
    const int snaps = source.snapshots;
    frm.TimerEvent();
    EXPECT_EQ(snaps + 1, source.snapshots);
    EXPECT_EQ(changes + 1, static_cast<int>(frm.Processes().RowChanges()));

    // No menu on the idle process; the others have "End Process".
    frm.lvProcesses.SetSelected(RowOf(0));
    EXPECT_EQ(nullptr, frm.lvProcesses.GetPopupMenu());
    frm.lvProcesses.SetSelected(RowOf(kWorker));
    EXPECT_EQ(&frm.mnProcesses, frm.lvProcesses.GetPopupMenu());

    // The version of the selected file: none for a file without one, Wine's own for explorer.
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string explorer = std::string(windows) + "\\explorer.exe";
    source.processes.push_back(P(3001, 1, explorer.c_str()));
    frm.TimerEvent();
    frm.lvProcesses.SetFocus();
    frm.lvProcesses.SetSelected(RowOf(3001));
    EXPECT_FALSE(frm.StatusBar.PanelText(0).empty());
    EXPECT_FALSE(frm.StatusBar.PanelText(1).empty());
    frm.lvProcesses.SetSelected(RowOf(kWorker));
    EXPECT_EQ("", frm.StatusBar.PanelText(0));
    EXPECT_EQ("", frm.StatusBar.PanelText(1));
    source.processes.pop_back();
    frm.TimerEvent();

    // F5 rebuilds the list from scratch.
    const int types = source.typeQueries;
    MSG f5{frm.lvProcesses.Handle(), WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(frm.ShortCut(f5));  // as the message loop hands keys to the form
    EXPECT_EQ(types + 42, source.typeQueries);
    EXPECT_EQ(42, frm.lvProcesses.Count());
}

namespace {
struct CountingTerminator : Terminator {
    int confirms = 0;
    bool Confirm() override {
        ++confirms;
        return false;
    }
    bool Open(uint32_t) override { return false; }
    void Terminate() override {}
    bool WaitEnded(uint32_t) override { return false; }
    void Close() override {}
    void Message(const char*, bool) override {}
};
// Ctrl held down as far as this thread's key state goes.
struct CtrlDown {
    BYTE keys[256];
    CtrlDown() {
        GetKeyboardState(keys);
        BYTE down[256];
        std::memcpy(down, keys, sizeof down);
        down[VK_CONTROL] = down[VK_LCONTROL] = 0x80;
        SetKeyboardState(down);
    }
    ~CtrlDown() { SetKeyboardState(keys); }
};
}  // namespace

TEST_F(Window, CtrlTOnlyWithTheProcessListFocusedOnARow) {
    Show();
    CountingTerminator t;
    frm.TerminatorForTesting = &t;
    frm.pgMain.SetActivePageIndex(TfrmTask::kPageProcesses);
    CtrlDown ctrl;
    MSG key{frm.lvProcesses.Handle(), WM_KEYDOWN, 'T', 0, 0, {0, 0}};
    frm.lvThreads.SetFocus();
    EXPECT_FALSE(frm.ShortCut(key));
    EXPECT_EQ(0, t.confirms);
    frm.lvProcesses.SetFocus();
    frm.lvProcesses.SetSelected(-1);
    frm.lvProcesses.Clear();  // no rows: no focused row
    EXPECT_FALSE(frm.ShortCut(key));
    EXPECT_EQ(0, t.confirms);
    frm.RefreshProcesses(true);
    ASSERT_GE(frm.lvProcesses.FocusedItem(), 0);
    EXPECT_TRUE(frm.ShortCut(key));
    EXPECT_EQ(1, t.confirms);
    EXPECT_EQ(42, frm.lvProcesses.Count());  // answered No: nothing happened
}

namespace {
// Answers the message boxes this thread shows, one step per box, from a thread timer that
// runs inside the boxes' own modal loops.
struct BoxScript {
    struct Seen {
        std::string caption, text;
        bool ownerEnabled;
        int defaultId;
    };
    std::vector<std::function<int(HWND box)>> steps;  // each returns the button to press
    std::vector<Seen> seen;
    HWND owner = nullptr;
    HWND last = nullptr;
};
BoxScript* g_script = nullptr;

BOOL CALLBACK FindBox(HWND w, LPARAM lp) {
    char cls[16];
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(w) && w != g_script->last) {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}
BOOL CALLBACK LongestText(HWND w, LPARAM lp) {
    char text[512] = "", cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    auto* best = reinterpret_cast<std::string*>(lp);
    if (_stricmp(cls, "Static") == 0 && std::strlen(text) > best->size()) *best = text;
    return TRUE;
}
void CALLBACK BoxTimer(HWND, UINT, UINT_PTR, DWORD) {
    BoxScript& s = *g_script;
    if (s.seen.size() >= s.steps.size()) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    s.last = box;
    BoxScript::Seen seen;
    char caption[128] = "";
    GetWindowTextA(box, caption, sizeof caption);
    seen.caption = caption;
    EnumChildWindows(box, LongestText, reinterpret_cast<LPARAM>(&seen.text));
    seen.ownerEnabled = IsWindowEnabled(s.owner) != FALSE;
    seen.defaultId = 0;
    for (int id : {IDOK, IDYES, IDNO, IDCANCEL})
        if (HWND b = GetDlgItem(box, id))
            if ((GetWindowLongA(b, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) seen.defaultId = id;
    s.seen.push_back(seen);
    const int button = s.steps[s.seen.size() - 1](box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}
struct ScriptRun {
    UINT_PTR timer;
    explicit ScriptRun(BoxScript& s) {
        g_script = &s;
        timer = SetTimer(nullptr, 0, 30, BoxTimer);
    }
    ~ScriptRun() {
        KillTimer(nullptr, timer);
        g_script = nullptr;
    }
};
}  // namespace

TEST_F(Window, EndProcessAnsweredNoDoesNothingAndSuspendsRefreshesMeanwhile) {
    Show();
    frm.pgMain.SetActivePageIndex(TfrmTask::kPageProcesses);
    frm.lvProcesses.SetFocus();
    frm.lvProcesses.SetSelected(RowOf(kWorker));
    BoxScript script;
    script.owner = frm.Handle();
    int snapsInside = -1, snapsBefore = source.snapshots;
    script.steps.push_back([&](HWND) {
        // A tick while the box is up: the window is disabled, so the process list stays.
        source.processes.push_back(P(7777, 1, "late.exe"));
        frm.TimerEvent();
        snapsInside = source.snapshots;
        return IDNO;
    });
    {
        ScriptRun run(script);
        frm.mniEndProcessClick(frm.mniEndProcess);
    }
    ASSERT_EQ(1u, script.seen.size());
    EXPECT_EQ("Warning", script.seen[0].caption);
    EXPECT_EQ(kEndProcessWarning, script.seen[0].text);
    EXPECT_FALSE(script.seen[0].ownerEnabled);
    EXPECT_EQ(IDNO, script.seen[0].defaultId);
    EXPECT_EQ(snapsBefore, snapsInside);
    EXPECT_EQ(42, frm.lvProcesses.Count());
    EXPECT_GE(RowOf(kWorker), 0);
    frm.TimerEvent();
    EXPECT_EQ(43, frm.lvProcesses.Count());
}

TEST_F(Window, EndProcessOnAProcessThatCannotBeOpened) {
    source.processes.push_back(P(0xFFFFFFF0u, 1, "ghost.exe"));
    Show();
    frm.lvProcesses.SetSelected(RowOf(0xFFFFFFF0u));
    BoxScript script;
    script.owner = frm.Handle();
    script.steps.push_back([](HWND) { return IDYES; });
    script.steps.push_back([](HWND) { return IDOK; });
    const int snaps = source.snapshots;
    {
        ScriptRun run(script);
        frm.mniEndProcessClick(frm.mniEndProcess);
    }
    ASSERT_EQ(2u, script.seen.size());
    EXPECT_EQ("Can't open this process for terminate.", script.seen[1].text);
    EXPECT_EQ("Corvane Statwell", script.seen[1].caption);
    EXPECT_EQ(snaps, source.snapshots);  // no refresh
    EXPECT_EQ(43, frm.lvProcesses.Count());
}

// Started as a child by the next test: waits to be ended.
TEST(DetailsChild, WaitsToBeEnded) {
    if (!std::getenv("DETAILS_CHILD")) GTEST_SKIP();
    Sleep(60000);
}

TEST(RealProcesses, EndProcessEndsAProcessAndItsRowGoes) {
    FakeLink link;
    TfrmTask frm{link};
    frm.FormCreate();
    frm.SetVisible(true);
    SetEnvironmentVariableA("DETAILS_CHILD", "1");
    e2e::Process child;
    ASSERT_TRUE(child.Start(e2e::ExePath(), "--gtest_filter=DetailsChild.*"));
    SetEnvironmentVariableA("DETAILS_CHILD", nullptr);
    const LPARAM pid = static_cast<LPARAM>(child.Pid());
    ASSERT_TRUE(e2e::PumpUntil(
        [&] {
            frm.TimerEvent();
            return frm.lvProcesses.FindData(pid) >= 0;
        },
        5000));
    EXPECT_EQ("details_window_test.exe", LowerCase(frm.lvProcesses.Caption(frm.lvProcesses.FindData(pid))));
    frm.lvProcesses.SetSelected(frm.lvProcesses.FindData(pid));
    BoxScript script;
    script.owner = frm.Handle();
    script.steps.push_back([](HWND) { return IDYES; });
    {
        ScriptRun run(script);
        frm.mniEndProcessClick(frm.mniEndProcess);
    }
    ASSERT_EQ(1u, script.seen.size());
    EXPECT_FALSE(child.Running());
    EXPECT_EQ(-1, frm.lvProcesses.FindData(pid));
}

TEST_F(Window, EnterAndEscapeRunNoMenuCommand) {
    // The dialog keys reach the window as the commands IDOK and IDCANCEL; they must not be
    // taken for the menu bar's items (Escape once switched Always On Top off).
    ui::Application app(GetModuleHandleA(nullptr), "Corvane Statwell");
    Show();
    frm.pgMain.SetActivePageIndex(5);
    frm.Info.lvAdapters.SetFocus();
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        MSG m{GetFocus(), WM_KEYDOWN, key, 0, 0, {0, 0}};
        app.ProcessMessage(m);
        e2e::Pump();
        EXPECT_TRUE(GetMenuState(GetSubMenu(GetMenu(frm.Handle()), 0), 0, MF_BYPOSITION) & MF_CHECKED) << key;
        EXPECT_TRUE(Topmost(frm.Handle())) << key;
        EXPECT_EQ(0, link.options + link.help + link.about) << key;
    }
    // The menu bar's own commands still arrive.
    ChooseMenu(frm, 0, 2);
    EXPECT_EQ(1, link.options);
}
