// The Processes tab's decisions: the process rows kept in step with snapshots (keyed by process
// id, updated in place), the threads and modules of the selected process, the counters, the
// status texts and End Process. The lists, the snapshots and the message boxes are seams.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/details/details_text.h"

namespace details {

// One snapshot record each, as the platform gives them.
struct ProcessEntry {
    uint32_t pid = 0;
    int32_t threads = 0;
    int32_t priority = 0;
    char exeFile[260] = {};
};
struct ThreadEntry {
    uint32_t tid = 0;
    uint32_t owner = 0;
    int32_t delta = 0;
};
struct ModuleEntry {
    uint32_t handle = 0;
    uint32_t size = 0;
    char name[256] = {};
    char path[260] = {};
};

// Where the records come from.
class ProcessSource {
public:
    // One process snapshot (an empty list when there is none).
    virtual void Processes(std::vector<ProcessEntry>& out) = 0;
    // One system-wide thread snapshot: the threads of every process.
    virtual void Threads(std::vector<ThreadEntry>& out) = 0;
    virtual void Modules(uint32_t pid, std::vector<ModuleEntry>& out) = 0;
    // The system gives only file names in the process snapshot (Windows 2000).
    virtual bool NeedsFullPaths() = 0;
    // The process's executable read from the process, "[Idle]" when it cannot be read.
    virtual std::string FullPath(uint32_t pid) = 0;
    // The executable-type word of a file (0 when it is none).
    virtual uint32_t ExeType(const std::string& path) = 0;

protected:
    ~ProcessSource() = default;
};

// A list row: caption, sub-item texts (shown columns first, then hidden ones) and row data.
struct ListRow {
    std::string caption;
    std::vector<std::string> subItems;
    uintptr_t data = 0;
};

// Process sub-items: 0 id, 1 base priority, 2 threads, 3 type text (hidden), 4 path (hidden).
enum ProcessSubItem { kSubPid = 0, kSubPriority = 1, kSubThreads = 2, kSubType = 3, kSubPath = 4 };
// Thread sub-item 0 (hidden): priority delta. Module sub-items: 0 handle, 1 size, 2 path.
enum ModuleSubItem { kSubHandle = 0, kSubSize = 1, kSubModulePath = 2 };

// The process list view; its rows carry the process id as data.
class ProcessRows {
public:
    // Full: hourglass, updates suspended, rows cleared. Otherwise redrawing off.
    virtual void BeginRefresh(bool full) = 0;
    virtual void EndRefresh(bool full) = 0;
    virtual void Add(const ListRow& row) = 0;
    virtual void SetSubItem(uint32_t pid, int subItem, const std::string& text) = 0;
    virtual void Delete(uint32_t pid) = 0;
    virtual void Sort() = 0;
    virtual bool AnySelected() const = 0;
    // The focused row's process id; false when no row has the focus.
    virtual bool Focused(uint32_t& pid) const = 0;
    virtual void FocusFirst() = 0;
    // Selects the focused row (which raises the selection handling).
    virtual void SelectFocused() = 0;

protected:
    ~ProcessRows() = default;
};

// The threads or modules list: replaced whole (updates suspended, cleared, filled, sorted).
class RowsReplace {
public:
    virtual void Replace(const std::vector<ListRow>& rows) = 0;

protected:
    ~RowsReplace() = default;
};

// The Processes tab's status bar and what it needs to know about the focus.
class ProcessStatusBar {
public:
    virtual ActiveList Active() const = 0;
    // The path of the focused row of the active list ("" when there is none).
    virtual std::string SelectedFile() const = 0;
    // Panels 0 and 1: the file's version and description (both cleared first).
    virtual void ShowVersionOf(const std::string& file) = 0;
    virtual void SetCountText(const std::string& text) = 0;
    // The process list's pop-up menu on or off.
    virtual void SetProcessMenu(bool on) = 0;

protected:
    ~ProcessStatusBar() = default;
};

// End Process's dialogue with the user and the process.
class Terminator {
public:
    // The warning, system-modal, No the default. True for Yes.
    virtual bool Confirm() = 0;
    virtual bool Open(uint32_t pid) = 0;  // all access
    virtual void Terminate() = 0;         // exit code 0
    virtual bool WaitEnded(uint32_t ms) = 0;
    virtual void Close() = 0;
    virtual void Message(const char* text, bool error) = 0;

protected:
    ~Terminator() = default;
};

class ProcessTab {
public:
    ProcessTab(ProcessSource& source, ProcessRows& processes, RowsReplace& threads, RowsReplace& modules,
               ProcessStatusBar& status);

    // The user's thousands separator (the module size texts).
    void SetThousandsSeparator(const std::string& s) { separator_ = s; }
    const std::string& ThousandsSeparator() const { return separator_; }

    // One snapshot compared with the rows: a new process, a changed priority or thread count,
    // an ended process, or an id that another program has taken over.
    bool ProcessesChanged();
    // Brings the rows in line with a fresh snapshot (Full: from scratch). Not re-entered.
    void RefreshProcesses(bool full);
    // The tick: refreshes when the program goes on, the window is enabled (no modal box of
    // its own is up) and the snapshot changed. True when it refreshed.
    bool Tick(bool terminating, bool windowEnabled);

    void RefreshThreads(uint32_t pid);
    void RefreshModules(uint32_t pid);
    void UpdateProcessStatus(bool keepVersion);

    // A process row's selection changed; `caption` is that row's caption. With a focused row
    // left, the pop-up menu is off for the idle process and on otherwise.
    void ProcessSelectItem(uint32_t pid, const std::string& caption, bool selected, bool listHasFocusedRow);
    // A module row was selected (while the module list has the focus).
    void ModuleSelectItem();
    // Entering the process or module list.
    void ListEnter() { UpdateProcessStatus(false); }

    // Ctrl+T is on while the process list is active and has a focused row.
    static bool CanTerminate(ActiveList active, bool hasFocusedRow) {
        return active == ActiveList::Processes && hasFocusedRow;
    }
    // End Process on `pid`: asks, opens, terminates, waits; refreshes after an opened process
    // was terminated. True when it refreshed.
    bool EndProcess(uint32_t pid, Terminator& t);

    bool Refreshing() const { return refreshing_; }
    int ProcessCount() const { return processCount_; }
    int ThreadCount() const { return threadCount_; }
    int ModuleCount() const { return moduleCount_; }
    uint64_t ModuleBytes() const { return moduleBytes_; }
    // Snapshots taken and process rows added, changed or deleted so far (the benchmark's
    // figures).
    unsigned Snapshots() const { return snapshots_; }
    unsigned RowChanges() const { return rowChanges_; }

    // Row texts.
    static ListRow ProcessRow(const ProcessEntry& p, const std::string& path, uint32_t exeType);
    static ListRow ThreadRow(const ThreadEntry& t);
    ListRow ModuleRow(const ModuleEntry& m) const;

private:
    struct Known {
        uint32_t pid;
        int32_t priority;
        int32_t threads;
        bool seen;
        char exeFile[sizeof(ProcessEntry::exeFile)];  // as the snapshot named it
    };
    // The row of `p`'s id still stands for the program that had the id when the row was made
    // (an id is reused once its process has ended).
    static bool SameProgram(const Known& k, const ProcessEntry& p);
    int Find(uint32_t pid);
    void TakeSnapshot();

    ProcessSource& source_;
    ProcessRows& processes_;
    RowsReplace& threadRows_;
    RowsReplace& moduleRows_;
    ProcessStatusBar& status_;
    std::string separator_ = ",";
    std::vector<Known> known_;  // the rows' ids and the values shown, in insertion order
    std::vector<ProcessEntry> snap_;
    std::vector<ThreadEntry> threadSnap_;
    std::vector<ModuleEntry> moduleSnap_;
    std::vector<ListRow> rows_;
    size_t hint_ = 0;
    bool refreshing_ = false;
    int processCount_ = 0;
    int threadCount_ = 0;
    int moduleCount_ = 0;
    uint64_t moduleBytes_ = 0;
    unsigned snapshots_ = 0;
    unsigned rowChanges_ = 0;
};

}  // namespace details
