#include "monitor/details/process_tab.h"

#include <cstdio>
#include <cstring>

namespace details {

namespace {
std::string Decimal(long long v) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", v);
    return text;
}
}  // namespace

ProcessTab::ProcessTab(ProcessSource& source, ProcessRows& processes, RowsReplace& threads,
                       RowsReplace& modules, ProcessStatusBar& status)
    : source_(source), processes_(processes), threadRows_(threads), moduleRows_(modules), status_(status) {}

ListRow ProcessTab::ProcessRow(const ProcessEntry& p, const std::string& path, uint32_t exeType) {
    ListRow r;
    r.caption = ProcessCaption(path.c_str());
    r.data = p.pid;
    r.subItems = {Decimal(p.pid), Decimal(p.priority), Decimal(p.threads), ExeTypeText(exeType), path};
    return r;
}

ListRow ProcessTab::ThreadRow(const ThreadEntry& t) {
    ListRow r;
    r.caption = Decimal(t.tid);
    r.data = t.tid;
    r.subItems = {Decimal(t.delta)};
    return r;
}

ListRow ProcessTab::ModuleRow(const ModuleEntry& m) const {
    ListRow r;
    r.caption = LowerCase(m.name);
    r.data = 0;
    r.subItems = {ModuleHandleText(m.handle), FormatThousands(m.size, separator_), m.path};
    return r;
}

void ProcessTab::TakeSnapshot() {
    snap_.clear();  // keeps its storage: no allocation once it is large enough
    source_.Processes(snap_);
    ++snapshots_;
}

// Snapshots list processes in a stable order, so the next row is usually the one after the
// last one found.
int ProcessTab::Find(uint32_t pid) {
    const size_t n = known_.size();
    for (size_t k = 0; k < n; ++k) {
        const size_t i = (hint_ + k) % n;
        if (known_[i].pid == pid) {
            hint_ = i + 1;
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ProcessTab::SameProgram(const Known& k, const ProcessEntry& p) {
    return std::strncmp(k.exeFile, p.exeFile, sizeof k.exeFile) == 0;
}

bool ProcessTab::ProcessesChanged() {
    TakeSnapshot();
    size_t count = 0;
    hint_ = 0;
    for (const ProcessEntry& p : snap_) {
        ++count;
        const int i = Find(p.pid);
        if (i < 0 || known_[i].priority != p.priority || known_[i].threads != p.threads ||
            !SameProgram(known_[i], p))
            return true;
    }
    return count != known_.size();
}

void ProcessTab::RefreshProcesses(bool full) {
    if (refreshing_) return;
    struct Guard {
        ProcessTab& t;
        bool full;
        Guard(ProcessTab& tt, bool f) : t(tt), full(f) {
            t.refreshing_ = true;
            t.processes_.BeginRefresh(full);
        }
        ~Guard() {
            t.processes_.EndRefresh(full);
            t.refreshing_ = false;
        }
    } guard(*this, full);

    if (full) {
        known_.clear();
        processCount_ = 0;
        threadCount_ = 0;
    }
    uint32_t focusedPid = 0;
    const bool hasFocus = processes_.Focused(focusedPid);
    bool focusedThreadsChanged = false, added = false;

    TakeSnapshot();
    for (Known& k : known_) k.seen = false;
    hint_ = 0;
    for (const ProcessEntry& p : snap_) {
        int i = Find(p.pid);
        if (i >= 0 && !SameProgram(known_[i], p)) {
            // The process of the row ended and another one got its id: the old row goes and
            // the new process gets a row of its own (name, path and type of its own).
            ++rowChanges_;
            processes_.Delete(p.pid);
            --processCount_;
            threadCount_ -= known_[i].threads;
            known_.erase(known_.begin() + i);
            i = -1;
        }
        if (i >= 0) {
            Known& k = known_[i];
            k.seen = true;
            if (k.priority != p.priority) {
                k.priority = p.priority;
                ++rowChanges_;
                processes_.SetSubItem(p.pid, kSubPriority, Decimal(p.priority));
            }
            if (k.threads != p.threads) {
                threadCount_ += p.threads - k.threads;
                k.threads = p.threads;
                ++rowChanges_;
                processes_.SetSubItem(p.pid, kSubThreads, Decimal(p.threads));
                if (hasFocus && focusedPid == p.pid) focusedThreadsChanged = true;
            }
            continue;
        }
        added = true;
        std::string path = p.exeFile;
        if (source_.NeedsFullPaths()) path = source_.FullPath(p.pid);
        ++rowChanges_;
        processes_.Add(ProcessRow(p, path, source_.ExeType(path)));
        known_.push_back({p.pid, p.priority, p.threads, true, {}});
        std::memcpy(known_.back().exeFile, p.exeFile, sizeof p.exeFile);
        ++processCount_;
        threadCount_ += p.threads;
    }
    if (added) processes_.Sort();
    for (size_t i = known_.size(); i-- > 0;) {
        if (known_[i].seen) continue;
        ++rowChanges_;
        processes_.Delete(known_[i].pid);
        --processCount_;
        threadCount_ -= known_[i].threads;
        known_.erase(known_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (!processes_.AnySelected()) {
        uint32_t pid = 0;
        if (!processes_.Focused(pid)) processes_.FocusFirst();
        processes_.SelectFocused();
    } else if (focusedThreadsChanged) {
        RefreshThreads(focusedPid);
    }
    UpdateProcessStatus(true);
}

bool ProcessTab::Tick(bool terminating, bool windowEnabled) {
    if (terminating || !windowEnabled) return false;
    if (!ProcessesChanged()) return false;
    RefreshProcesses(false);
    return true;
}

void ProcessTab::RefreshThreads(uint32_t pid) {
    threadSnap_.clear();
    source_.Threads(threadSnap_);
    rows_.clear();
    for (const ThreadEntry& t : threadSnap_)
        if (t.owner == pid) rows_.push_back(ThreadRow(t));
    threadRows_.Replace(rows_);
}

void ProcessTab::RefreshModules(uint32_t pid) {
    moduleSnap_.clear();
    source_.Modules(pid, moduleSnap_);
    rows_.clear();
    moduleCount_ = 0;
    moduleBytes_ = 0;
    for (const ModuleEntry& m : moduleSnap_) {
        rows_.push_back(ModuleRow(m));
        ++moduleCount_;
        moduleBytes_ += m.size;
    }
    moduleRows_.Replace(rows_);
}

void ProcessTab::UpdateProcessStatus(bool keepVersion) {
    const ActiveList active = status_.Active();
    if (!keepVersion) status_.ShowVersionOf(status_.SelectedFile());
    status_.SetCountText(
        ProcessStatusText(active, processCount_, threadCount_, moduleCount_, moduleBytes_, separator_));
}

void ProcessTab::ProcessSelectItem(uint32_t pid, const std::string& caption, bool selected,
                                   bool listHasFocusedRow) {
    if (selected) {
        RefreshThreads(pid);
        RefreshModules(pid);
        UpdateProcessStatus(false);
    }
    if (listHasFocusedRow) status_.SetProcessMenu(caption != kIdleProcessCaption);
}

void ProcessTab::ModuleSelectItem() {
    if (status_.Active() == ActiveList::Modules) UpdateProcessStatus(false);
}

bool ProcessTab::EndProcess(uint32_t pid, Terminator& t) {
    if (!t.Confirm()) return false;
    if (!t.Open(pid)) {
        t.Message(kCantOpenProcess, true);
        return false;
    }
    t.Terminate();
    if (!t.WaitEnded(kTerminateWaitMs)) t.Message(kTerminateTimeout, false);
    t.Close();
    RefreshProcesses(false);
    return true;
}

}  // namespace details
