#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>

#include "monitor/details/process_tab.h"
#include "tests/details/fake_source.h"

using namespace details;

namespace {

struct FakeReplace : RowsReplace {
    std::vector<ListRow> rows;
    int replaced = 0;
    void Replace(const std::vector<ListRow>& r) override {
        rows = r;
        ++replaced;
    }
};

// The process list view: rows in order, one focused and one selected row; selecting raises
// the tab's selection handling as the real list does.
struct FakeProcessRows : ProcessRows {
    ProcessTab* tab = nullptr;
    std::vector<ListRow> rows;
    int focused = -1, selected = -1;
    int touches = 0, sorts = 0, begins = 0, ends = 0;
    bool fullRefresh = false;
    std::function<void()> onSort;

    int IndexOf(uint32_t pid) const {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].data == pid) return static_cast<int>(i);
        return -1;
    }
    void BeginRefresh(bool full) override {
        ++begins;
        fullRefresh = full;
        if (full) {
            rows.clear();
            focused = selected = -1;
        }
    }
    void EndRefresh(bool) override { ++ends; }
    void Add(const ListRow& r) override {
        rows.push_back(r);
        ++touches;
    }
    void SetSubItem(uint32_t pid, int sub, const std::string& text) override {
        rows.at(IndexOf(pid)).subItems.at(sub) = text;
        ++touches;
    }
    void Delete(uint32_t pid) override {
        const int i = IndexOf(pid);
        rows.erase(rows.begin() + i);
        if (focused == i)
            focused = -1;
        else if (focused > i)
            --focused;
        if (selected == i)
            selected = -1;
        else if (selected > i)
            --selected;
        ++touches;
    }
    void Sort() override {
        const uint32_t f = focused >= 0 ? static_cast<uint32_t>(rows[focused].data) : 0;
        const uint32_t s = selected >= 0 ? static_cast<uint32_t>(rows[selected].data) : 0;
        std::stable_sort(rows.begin(), rows.end(),
                         [](const ListRow& a, const ListRow& b) { return a.caption < b.caption; });
        if (focused >= 0) focused = IndexOf(f);
        if (selected >= 0) selected = IndexOf(s);
        ++sorts;
        if (onSort) onSort();
    }
    bool AnySelected() const override { return selected >= 0; }
    bool Focused(uint32_t& pid) const override {
        if (focused < 0) return false;
        pid = static_cast<uint32_t>(rows[focused].data);
        return true;
    }
    void FocusFirst() override { focused = rows.empty() ? -1 : 0; }
    void SelectFocused() override { Select(focused); }
    void Select(int i) {
        if (i < 0 || i == selected) return;
        if (selected >= 0)
            tab->ProcessSelectItem(static_cast<uint32_t>(rows[selected].data), rows[selected].caption, false,
                                   true);
        selected = focused = i;
        tab->ProcessSelectItem(static_cast<uint32_t>(rows[i].data), rows[i].caption, true, true);
    }
    std::string Captions() const {
        std::string s;
        for (const ListRow& r : rows) s += r.caption + " ";
        return s;
    }
};

struct FakeStatus : ProcessStatusBar {
    ActiveList active = ActiveList::Processes;
    std::string file, versionOf, count;
    int versions = 0;
    bool menu = true;
    int menuCalls = 0;
    ActiveList Active() const override { return active; }
    std::string SelectedFile() const override { return file; }
    void ShowVersionOf(const std::string& f) override {
        versionOf = f;
        ++versions;
    }
    void SetCountText(const std::string& t) override { count = t; }
    void SetProcessMenu(bool on) override {
        menu = on;
        ++menuCalls;
    }
};

struct Fixture : ::testing::Test {
    FakeSource source;
    FakeProcessRows rows;
    FakeReplace threads, modules;
    FakeStatus status;
    ProcessTab tab{source, rows, threads, modules, status};

    void SetUp() override {
        rows.tab = &tab;
        source.processes = {P(0, 1, "[System Process]", 0), P(8, 3, "explorer.exe"),
                            P(12, 2, "csrss.exe", 13)};
        source.threads = {{100, 8, 0}, {101, 12, 2}, {102, 8, -2}, {103, 8, 1}};
        source.modules[0] = {};
        source.modules[8] = {M("EXPLORER.EXE", 0x400000, 1000), M("ntdll.dll", 0x7C900000, 2000)};
    }
    const ListRow& Row(uint32_t pid) { return rows.rows.at(rows.IndexOf(pid)); }
};

}  // namespace

TEST_F(Fixture, FirstRefreshListsEveryProcessAndSelectsTheFirstRow) {
    tab.RefreshProcesses(false);
    EXPECT_EQ("System Idle Process csrss.exe explorer.exe ", rows.Captions());
    EXPECT_EQ(3, tab.ProcessCount());
    EXPECT_EQ(6, tab.ThreadCount());
    const ListRow& csrss = Row(12);
    EXPECT_EQ((std::vector<std::string>{"12", "13", "2", "PE 4.0", "csrss.exe"}), csrss.subItems);
    EXPECT_EQ(1, rows.sorts);
    EXPECT_EQ(1, rows.begins);
    EXPECT_EQ(1, rows.ends);
    EXPECT_FALSE(rows.fullRefresh);
    // The first row is focused and selected: its threads and (no) modules are listed.
    EXPECT_EQ(0, rows.selected);
    ASSERT_EQ(0u, threads.rows.size());  // the idle process has no thread in the snapshot
    EXPECT_EQ(1, threads.replaced);
    EXPECT_EQ(1, modules.replaced);
    EXPECT_FALSE(status.menu);  // no menu on the idle process
    EXPECT_EQ("Processes: 3, Threads: 6", status.count);
    EXPECT_FALSE(tab.Refreshing());
}

TEST_F(Fixture, NothingChangedCostsOneSnapshotAndTouchesNoRow) {
    tab.RefreshProcesses(false);
    const int snaps = source.snapshots, touches = rows.touches;
    EXPECT_FALSE(tab.Tick(false, true));
    EXPECT_EQ(snaps + 1, source.snapshots);
    EXPECT_EQ(touches, rows.touches);
    EXPECT_EQ(static_cast<unsigned>(touches), tab.RowChanges());
    EXPECT_EQ(1, rows.begins);
    // Nor does a tick while a modal box of the window is up or the program is ending.
    source.processes.push_back(P(40, 1, "new.exe"));
    EXPECT_FALSE(tab.Tick(false, false));
    EXPECT_FALSE(tab.Tick(true, true));
    EXPECT_EQ(snaps + 1, source.snapshots);
    EXPECT_TRUE(tab.Tick(false, true));
    EXPECT_EQ(4, tab.ProcessCount());
}

TEST_F(Fixture, ChangesThatCallForARefresh) {
    tab.RefreshProcesses(false);
    EXPECT_FALSE(tab.ProcessesChanged());
    source.processes[1].priority = 10;
    EXPECT_TRUE(tab.ProcessesChanged());
    tab.RefreshProcesses(false);
    source.processes[2].threads = 9;
    EXPECT_TRUE(tab.ProcessesChanged());
    tab.RefreshProcesses(false);
    source.processes.pop_back();  // ended
    EXPECT_TRUE(tab.ProcessesChanged());
    tab.RefreshProcesses(false);
    std::reverse(source.processes.begin(), source.processes.end());  // another order only
    EXPECT_FALSE(tab.ProcessesChanged());
    source.processes.push_back(P(99, 1, "b.exe"));
    EXPECT_TRUE(tab.ProcessesChanged());
}

TEST_F(Fixture, AThreadCountChangeKeepsTheRowAndRebuildsThreadsOnlyWhenFocused) {
    tab.RefreshProcesses(false);
    rows.Select(rows.IndexOf(8));  // explorer
    ASSERT_EQ(3u, threads.rows.size());
    EXPECT_EQ("100", threads.rows[0].caption);
    EXPECT_EQ("-2", threads.rows[1].subItems[0]);
    const int replaced = threads.replaced, position = rows.IndexOf(8), touches = rows.touches;

    source.processes[1].threads = 4;
    source.threads.push_back({104, 8, 0});
    tab.RefreshProcesses(false);
    EXPECT_EQ(position, rows.IndexOf(8));
    EXPECT_EQ("4", Row(8).subItems[kSubThreads]);
    EXPECT_EQ(7, tab.ThreadCount());
    EXPECT_EQ(touches + 1, rows.touches);  // one text set; no row added or deleted
    EXPECT_EQ(1, rows.sorts);              // nothing added: no second sort
    EXPECT_EQ(replaced + 1, threads.replaced);
    EXPECT_EQ(4u, threads.rows.size());

    // Another process's count changes: the focused process's threads stay as they are.
    source.processes[2].threads = 5;
    tab.RefreshProcesses(false);
    EXPECT_EQ(replaced + 1, threads.replaced);
    EXPECT_EQ(10, tab.ThreadCount());
    EXPECT_EQ("Processes: 3, Threads: 10", status.count);

    // A priority change sets only that text.
    source.processes[2].priority = 4;
    tab.RefreshProcesses(false);
    EXPECT_EQ("4", Row(12).subItems[kSubPriority]);
}

TEST_F(Fixture, EndedProcessesLoseTheirRowsAndCounts) {
    tab.RefreshProcesses(false);
    rows.Select(rows.IndexOf(12));
    source.processes.erase(source.processes.begin() + 2);  // csrss ends, it was selected
    source.processes.push_back(P(50, 7, "C:\\apps\\b.exe"));
    tab.RefreshProcesses(false);
    EXPECT_EQ("System Idle Process b.exe explorer.exe ", rows.Captions());
    EXPECT_EQ(3, tab.ProcessCount());
    EXPECT_EQ(11, tab.ThreadCount());
    // No row selected any more: the first row is focused and selected again.
    EXPECT_EQ(0, rows.selected);
    source.processes.clear();
    tab.RefreshProcesses(false);
    EXPECT_EQ(0, tab.ProcessCount());
    EXPECT_EQ(0, tab.ThreadCount());
    EXPECT_EQ("Processes: 0, Threads: 0", status.count);
}

TEST_F(Fixture, AnIdTakenOverByAnotherProgramGetsARowOfItsOwn) {
    tab.RefreshProcesses(false);
    // csrss.exe ends and notepad.exe gets its id, with the same thread count and priority.
    std::strcpy(source.processes[2].exeFile, "C:\\apps\\notepad.exe");
    EXPECT_TRUE(tab.ProcessesChanged());
    const int types = source.typeQueries;
    tab.RefreshProcesses(false);
    ASSERT_EQ(3u, rows.rows.size());
    EXPECT_EQ("notepad.exe", Row(12).caption);
    EXPECT_EQ("C:\\apps\\notepad.exe", Row(12).subItems[kSubPath]);
    EXPECT_EQ(types + 1, source.typeQueries);  // looked up for the new program
    EXPECT_EQ(3, tab.ProcessCount());
    EXPECT_EQ(6, tab.ThreadCount());
    EXPECT_FALSE(tab.ProcessesChanged());
}

TEST_F(Fixture, FullRefreshStartsAfresh) {
    tab.RefreshProcesses(false);
    const int types = source.typeQueries;
    tab.RefreshProcesses(false);
    EXPECT_EQ(types, source.typeQueries);  // the type is looked up only for a new row
    tab.RefreshProcesses(true);
    EXPECT_TRUE(rows.fullRefresh);
    EXPECT_EQ(3, tab.ProcessCount());
    EXPECT_EQ(6, tab.ThreadCount());
    EXPECT_EQ(3u, rows.rows.size());
    EXPECT_EQ(types + 3, source.typeQueries);
}

TEST_F(Fixture, Windows2000ReadsThePathFromTheProcess) {
    source.needsFull = true;
    source.fullPaths[8] = "C:\\WINNT\\explorer.exe";
    tab.RefreshProcesses(false);
    EXPECT_EQ("C:\\WINNT\\explorer.exe", Row(8).subItems[kSubPath]);
    EXPECT_EQ("explorer.exe", Row(8).caption);
    EXPECT_EQ("[Idle]", Row(12).caption);  // cannot be opened
    EXPECT_EQ("[Idle]", Row(0).caption);
}

TEST_F(Fixture, TheRefreshIsNotReenteredAndItsGuardClearsOnFailure) {
    int nested = 0;
    rows.onSort = [&] {
        ++nested;
        tab.RefreshProcesses(true);  // e.g. from a modal loop inside the refresh
    };
    tab.RefreshProcesses(false);
    EXPECT_EQ(1, nested);
    EXPECT_EQ(1, rows.begins);
    EXPECT_EQ(3, tab.ProcessCount());
    rows.onSort = nullptr;

    source.fail = true;
    EXPECT_THROW(tab.RefreshProcesses(false), std::runtime_error);
    EXPECT_FALSE(tab.Refreshing());
    EXPECT_EQ(rows.begins, rows.ends);  // redrawing back on
    source.fail = false;
    source.processes.push_back(P(77, 1, "x.exe"));
    tab.RefreshProcesses(false);
    EXPECT_EQ(4, tab.ProcessCount());
}

TEST_F(Fixture, ModulesStatusAndVersion) {
    tab.RefreshProcesses(false);
    rows.Select(rows.IndexOf(8));
    ASSERT_EQ(2u, modules.rows.size());
    EXPECT_EQ("explorer.exe", modules.rows[0].caption);
    EXPECT_EQ((std::vector<std::string>{"00400000", "1,000", "C:\\WINDOWS\\EXPLORER.EXE"}),
              modules.rows[0].subItems);
    EXPECT_EQ("7C900000", modules.rows[1].subItems[0]);
    EXPECT_EQ(2, tab.ModuleCount());
    EXPECT_EQ(3000u, tab.ModuleBytes());

    // 17 modules of 4,218,880 bytes in all, with the module list active.
    std::vector<ModuleEntry> many;
    for (int i = 0; i < 16; ++i) many.push_back(M("m.dll", 0x10000000 + i * 0x10000, 200000));
    many.push_back(M("last.dll", 0x20000000, 4218880 - 16 * 200000));
    source.modules[8] = many;
    tab.SetThousandsSeparator(".");
    tab.RefreshModules(8);
    status.active = ActiveList::Modules;
    status.file = "C:\\WINDOWS\\last.dll";
    tab.ModuleSelectItem();
    EXPECT_EQ("17 Modules, Size: 4.218.880", status.count);
    EXPECT_EQ("C:\\WINDOWS\\last.dll", status.versionOf);

    // After a process refresh the version panels stay; the count panel follows the counts.
    const int versions = status.versions;
    status.active = ActiveList::Processes;
    source.processes.push_back(P(60, 1, "y.exe"));
    tab.RefreshProcesses(false);
    EXPECT_EQ(versions, status.versions);
    EXPECT_EQ("Processes: 4, Threads: 7", status.count);
    tab.ListEnter();
    EXPECT_EQ(versions + 1, status.versions);
    status.active = ActiveList::Other;
    tab.UpdateProcessStatus(false);
    EXPECT_EQ("", status.count);
    // Selecting a module while the module list lacks the focus leaves the panels.
    const int v = status.versions;
    tab.ModuleSelectItem();
    EXPECT_EQ(v, status.versions);
}

TEST_F(Fixture, ThePopupMenuFollowsTheRowInQuestion) {
    tab.RefreshProcesses(false);
    EXPECT_FALSE(status.menu);
    rows.Select(rows.IndexOf(8));
    EXPECT_TRUE(status.menu);
    tab.ProcessSelectItem(0, "System Idle Process", false, true);
    EXPECT_FALSE(status.menu);
    const int calls = status.menuCalls;
    tab.ProcessSelectItem(8, "explorer.exe", false, false);  // no focused row: left as it is
    EXPECT_EQ(calls, status.menuCalls);
    EXPECT_TRUE(ProcessTab::CanTerminate(ActiveList::Processes, true));
    EXPECT_FALSE(ProcessTab::CanTerminate(ActiveList::Processes, false));
    EXPECT_FALSE(ProcessTab::CanTerminate(ActiveList::Modules, true));
    EXPECT_FALSE(ProcessTab::CanTerminate(ActiveList::Other, true));
}

namespace {
struct FakeTerminator : Terminator {
    bool answer = false, opens = true, ends = true;
    std::vector<std::string> log;
    FakeSource* source = nullptr;
    bool Confirm() override {
        log.push_back("confirm");
        return answer;
    }
    bool Open(uint32_t pid) override {
        log.push_back("open " + std::to_string(pid));
        return opens;
    }
    void Terminate() override {
        log.push_back("terminate");
        if (ends) source->processes.pop_back();
    }
    bool WaitEnded(uint32_t ms) override {
        log.push_back("wait " + std::to_string(ms));
        return ends;
    }
    void Close() override { log.push_back("close"); }
    void Message(const char* text, bool error) override {
        log.push_back(std::string(error ? "error " : "warn ") + text);
    }
};
std::string Join(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& x : v) s += x + "|";
    return s;
}
}  // namespace

TEST_F(Fixture, EndProcessAnswers) {
    tab.RefreshProcesses(false);
    FakeTerminator t;
    t.source = &source;
    const int snaps = source.snapshots;

    EXPECT_FALSE(tab.EndProcess(12, t));  // No
    EXPECT_EQ("confirm|", Join(t.log));
    EXPECT_EQ(snaps, source.snapshots);

    t.log.clear();
    t.answer = true;
    t.opens = false;
    EXPECT_FALSE(tab.EndProcess(12, t));
    EXPECT_EQ("confirm|open 12|error Can't open this process for terminate.|", Join(t.log));
    EXPECT_EQ(3, tab.ProcessCount());
    EXPECT_EQ(snaps, source.snapshots);

    t.log.clear();
    t.opens = true;
    t.ends = false;
    EXPECT_TRUE(tab.EndProcess(12, t));
    EXPECT_EQ("confirm|open 12|terminate|wait 10000|warn Timeout.|close|", Join(t.log));
    EXPECT_EQ(3, tab.ProcessCount());

    t.log.clear();
    t.ends = true;
    EXPECT_TRUE(tab.EndProcess(12, t));
    EXPECT_EQ("confirm|open 12|terminate|wait 10000|close|", Join(t.log));
    EXPECT_EQ(2, tab.ProcessCount());
    EXPECT_EQ(-1, rows.IndexOf(12));
}
