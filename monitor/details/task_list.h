// The Tasks tab's decisions: which top-level windows count as tasks, when the list changed,
// and the incremental update of the rows (keyed by window handle).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace details {

// What the window manager says of one top-level window.
struct WindowFacts {
    bool visible = false;
    bool ownerIsNoneOrDesktop = false;  // no owner, or the desktop window
    uint32_t exStyle = 0;
    const char* title = "";  // as read with a 1025-character buffer
};

constexpr uint32_t kExToolWindow = 0x80;
constexpr uint32_t kExAppWindow = 0x40000;
constexpr int kTitleBuffer = 1025;

// A task: visible, not owned (or owned by the desktop), not a tool window unless it is marked
// as an application window, and with a title.
bool IsTaskWindow(const WindowFacts& w);

struct TaskEntry {
    std::string title;
    uintptr_t handle = 0;
};
using TaskList = std::vector<TaskEntry>;

// Sorts by title, then by handle (so equal titles compare in a fixed order).
void SortTaskList(TaskList& list);
// Two sorted lists differ when their counts, titles or handles differ. Comparing the handles
// too lets a window that closed while another of the same title opened replace its row, so no
// row is left pointing at a window that is gone.
bool TaskListsDiffer(const TaskList& a, const TaskList& b);

// The rows of the tasks list view: caption and row data (the window handle).
class TaskRows {
public:
    virtual int Count() const = 0;
    virtual uintptr_t Handle(int row) const = 0;
    virtual std::string Caption(int row) const = 0;
    virtual void Add(const std::string& caption, uintptr_t handle) = 0;
    virtual void SetCaption(int row, const std::string& caption) = 0;
    virtual void Delete(int row) = 0;
    virtual void Clear() = 0;
    // Redrawing off / on around an incremental update.
    virtual void SetRedraw(bool on) = 0;
    // Sorts by the list's current sort column.
    virtual void Sort() = 0;
    // Gives every row its window's icon (after the rows are final).
    virtual void UpdateIcons() = 0;

protected:
    ~TaskRows() = default;
};

// Keeps the last task list read and brings the rows in line with a new reading.
class TaskTracker {
public:
    // Full: clears the rows and adds one per entry. Otherwise adds the new windows, deletes
    // rows whose window is gone (last to first) and renames rows whose title changed.
    // Then sorts and sets the icons. `current` becomes the stored list.
    void Refresh(TaskRows& rows, const TaskList& current, bool full);
    // The tick: sorts `current` (in place) and refreshes incrementally when it differs from
    // the stored list. True when the rows were refreshed.
    bool Tick(TaskRows& rows, TaskList& current);
    const TaskList& Stored() const { return stored_; }

private:
    TaskList stored_;  // kept sorted
};

}  // namespace details
