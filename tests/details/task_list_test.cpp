#include <gtest/gtest.h>

#include <algorithm>

#include "monitor/details/task_list.h"

using namespace details;

namespace {

// A list view's rows in memory, counting what was done to them.
class FakeTaskRows : public TaskRows {
public:
    struct Row {
        std::string caption;
        uintptr_t handle;
    };
    std::vector<Row> rows;
    int adds = 0, deletes = 0, renames = 0, clears = 0, sorts = 0, icons = 0;
    bool redraw = true;
    int redrawOffs = 0;

    int Count() const override { return static_cast<int>(rows.size()); }
    uintptr_t Handle(int i) const override { return rows.at(i).handle; }
    std::string Caption(int i) const override { return rows.at(i).caption; }
    void Add(const std::string& c, uintptr_t h) override {
        rows.push_back({c, h});
        ++adds;
    }
    void SetCaption(int i, const std::string& c) override {
        rows.at(i).caption = c;
        ++renames;
    }
    void Delete(int i) override {
        rows.erase(rows.begin() + i);
        ++deletes;
    }
    void Clear() override {
        rows.clear();
        ++clears;
    }
    void SetRedraw(bool on) override {
        redraw = on;
        if (!on) ++redrawOffs;
    }
    void Sort() override {
        // Sorted by caption, as the list's first column.
        std::stable_sort(rows.begin(), rows.end(),
                         [](const Row& a, const Row& b) { return a.caption < b.caption; });
        ++sorts;
    }
    void UpdateIcons() override { ++icons; }
    void ResetCounts() { adds = deletes = renames = clears = sorts = icons = redrawOffs = 0; }
    std::string Text() const {
        std::string s;
        for (const Row& r : rows) s += r.caption + "#" + std::to_string(r.handle) + " ";
        return s;
    }
};

TaskList Tasks(std::initializer_list<TaskEntry> e) { return TaskList(e); }

}  // namespace

TEST(TaskWindows, TheTaskListRule) {
    WindowFacts w;
    w.visible = true;
    w.ownerIsNoneOrDesktop = true;
    w.title = "Notepad";
    EXPECT_TRUE(IsTaskWindow(w));
    WindowFacts hidden = w;
    hidden.visible = false;
    EXPECT_FALSE(IsTaskWindow(hidden));
    WindowFacts owned = w;
    owned.ownerIsNoneOrDesktop = false;
    EXPECT_FALSE(IsTaskWindow(owned));
    WindowFacts tool = w;
    tool.exStyle = kExToolWindow;
    EXPECT_FALSE(IsTaskWindow(tool));
    tool.exStyle = kExToolWindow | kExAppWindow;  // an application window after all
    EXPECT_TRUE(IsTaskWindow(tool));
    WindowFacts untitled = w;
    untitled.title = "";
    EXPECT_FALSE(IsTaskWindow(untitled));
    untitled.title = nullptr;
    EXPECT_FALSE(IsTaskWindow(untitled));
}

TEST(TaskWindows, ListsCompareSortedByTitleAndHandle) {
    TaskList a = Tasks({{"b", 2}, {"a", 9}, {"a", 1}});
    SortTaskList(a);
    EXPECT_EQ("a", a[0].title);
    EXPECT_EQ(1u, a[0].handle);
    EXPECT_EQ(9u, a[1].handle);
    TaskList b = a;
    EXPECT_FALSE(TaskListsDiffer(a, b));
    b[2].title = "c";
    EXPECT_TRUE(TaskListsDiffer(a, b));
    b = a;
    b[1].handle = 10;  // a window closed and another of the same title opened
    EXPECT_TRUE(TaskListsDiffer(a, b));
    b.pop_back();
    EXPECT_TRUE(TaskListsDiffer(a, b));
}

TEST(TaskTracker, FullThenIncrementalUpdatesTouchOnlyWhatChanged) {
    FakeTaskRows rows;
    TaskTracker t;
    t.Refresh(rows, Tasks({{"Notepad", 10}, {"Calculator", 20}, {"Paint", 30}}), true);
    EXPECT_EQ("Calculator#20 Notepad#10 Paint#30 ", rows.Text());
    EXPECT_EQ(1, rows.clears);
    EXPECT_EQ(3, rows.adds);
    EXPECT_EQ(1, rows.icons);
    EXPECT_EQ(0, rows.redrawOffs);

    // Nothing changed (in another enumeration order): no row is touched.
    rows.ResetCounts();
    TaskList same = Tasks({{"Paint", 30}, {"Notepad", 10}, {"Calculator", 20}});
    EXPECT_FALSE(t.Tick(rows, same));
    EXPECT_EQ(0, rows.adds + rows.deletes + rows.renames + rows.sorts + rows.icons + rows.redrawOffs);

    // Paint renamed, Calculator closed, Explorer opened.
    rows.ResetCounts();
    TaskList next = Tasks({{"Explorer", 40}, {"Notepad", 10}, {"untitled - Paint", 30}});
    EXPECT_TRUE(t.Tick(rows, next));
    EXPECT_EQ("Explorer#40 Notepad#10 untitled - Paint#30 ", rows.Text());
    EXPECT_EQ(1, rows.adds);
    EXPECT_EQ(1, rows.deletes);
    EXPECT_EQ(1, rows.renames);
    EXPECT_EQ(0, rows.clears);
    EXPECT_EQ(1, rows.redrawOffs);
    EXPECT_TRUE(rows.redraw);
    EXPECT_EQ(1, rows.sorts);
    EXPECT_EQ(1, rows.icons);
    EXPECT_FALSE(TaskListsDiffer(t.Stored(), next));

    // Everything closes.
    TaskList none;
    EXPECT_TRUE(t.Tick(rows, none));
    EXPECT_EQ("", rows.Text());
}

TEST(TaskTracker, SameTitleTwiceAndAReplacedWindow) {
    FakeTaskRows rows;
    TaskTracker t;
    t.Refresh(rows, Tasks({{"Untitled", 1}, {"Untitled", 2}}), true);
    EXPECT_EQ(2, rows.Count());
    // Window 1 closes while window 3 of the same title opens: the row of 1 goes, 3 gets one.
    TaskList next = Tasks({{"Untitled", 3}, {"Untitled", 2}});
    EXPECT_TRUE(t.Tick(rows, next));
    EXPECT_EQ("Untitled#2 Untitled#3 ", rows.Text());
}

TEST(TaskTracker, RedrawComesBackWhenTheListThrows) {
    struct Throwing : FakeTaskRows {
        void Add(const std::string&, uintptr_t) override { throw std::runtime_error("no memory"); }
    } rows;
    TaskTracker t;
    TaskList next = Tasks({{"A", 1}});
    EXPECT_THROW(t.Tick(rows, next), std::runtime_error);
    EXPECT_TRUE(rows.redraw);
}
