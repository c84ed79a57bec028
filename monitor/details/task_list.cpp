#include "monitor/details/task_list.h"

#include <algorithm>

namespace details {

bool IsTaskWindow(const WindowFacts& w) {
    if (!w.visible || !w.ownerIsNoneOrDesktop) return false;
    if ((w.exStyle & kExToolWindow) && !(w.exStyle & kExAppWindow)) return false;
    return w.title && w.title[0] != '\0';
}

void SortTaskList(TaskList& list) {
    std::sort(list.begin(), list.end(), [](const TaskEntry& a, const TaskEntry& b) {
        const int c = a.title.compare(b.title);
        return c != 0 ? c < 0 : a.handle < b.handle;
    });
}

bool TaskListsDiffer(const TaskList& a, const TaskList& b) {
    if (a.size() != b.size()) return true;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].handle != b[i].handle || a[i].title != b[i].title) return true;
    return false;
}

namespace {
bool HasHandle(const TaskList& list, uintptr_t h) {
    for (const TaskEntry& e : list)
        if (e.handle == h) return true;
    return false;
}
int RowOf(const TaskRows& rows, uintptr_t h) {
    for (int i = 0, n = rows.Count(); i < n; ++i)
        if (rows.Handle(i) == h) return i;
    return -1;
}
}  // namespace

void TaskTracker::Refresh(TaskRows& rows, const TaskList& current, bool full) {
    if (full) {
        rows.Clear();
        for (const TaskEntry& e : current) rows.Add(e.title, e.handle);
    } else {
        struct Redraw {
            TaskRows& r;
            explicit Redraw(TaskRows& rr) : r(rr) { r.SetRedraw(false); }
            ~Redraw() { r.SetRedraw(true); }
        } redraw(rows);
        // New windows: handles that no row carries yet.
        const int before = rows.Count();
        for (const TaskEntry& e : current) {
            bool known = false;
            for (int i = 0; i < before && !known; ++i) known = rows.Handle(i) == e.handle;
            if (!known) rows.Add(e.title, e.handle);
        }
        for (int i = rows.Count() - 1; i >= 0; --i)
            if (!HasHandle(current, rows.Handle(i))) rows.Delete(i);
        for (const TaskEntry& e : current) {
            const int row = RowOf(rows, e.handle);
            if (row >= 0 && rows.Caption(row) != e.title) rows.SetCaption(row, e.title);
        }
    }
    stored_ = current;
    SortTaskList(stored_);
    rows.Sort();
    rows.UpdateIcons();
}

bool TaskTracker::Tick(TaskRows& rows, TaskList& current) {
    SortTaskList(current);
    if (!TaskListsDiffer(current, stored_)) return false;
    Refresh(rows, current, false);
    return true;
}

}  // namespace details
