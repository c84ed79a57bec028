// The Windows side of System Details' lists: snapshots, the task list, window icons, version
// strings of a file and terminating a process.
#pragma once
#include <windows.h>

#include <string>

#include "monitor/details/process_tab.h"
#include "monitor/details/task_list.h"

namespace details {

// Processes, threads and modules from the tool-help snapshots; paths and types from the
// process and the shell.
class SnapshotSource final : public ProcessSource {
public:
    SnapshotSource();
    void Processes(std::vector<ProcessEntry>& out) override;
    void Threads(std::vector<ThreadEntry>& out) override;
    void Modules(uint32_t pid, std::vector<ModuleEntry>& out) override;
    bool NeedsFullPaths() override { return needsFullPaths_; }
    std::string FullPath(uint32_t pid) override;
    uint32_t ExeType(const std::string& path) override;

private:
    bool needsFullPaths_;
};

// The task list in the window manager's order. Reuses `out`'s entries (and their strings'
// storage), so an unchanged desktop costs no allocation.
void ReadTaskList(TaskList& out);

// The small icon of a top-level window: the class's small icon, else the window's small
// icon, else its big one, copied at the system small-icon size; nullptr when it has none.
// A window that does not answer within a moment gives none rather than stalling the caller.
HICON CopyWindowSmallIcon(HWND wnd);

// The "FileVersion" and "FileDescription" strings of a file. False when the file has no
// version information; a string it lacks is left as it is.
bool ReadFileVersion(const std::string& path, std::string& version, std::string& description);

// The user's thousands separator.
std::string UserThousandsSeparator();

// End Process over the platform: the warning box owned by `owner`, the process opened with
// all access, the messages captioned `title`.
class ProcessTerminator final : public Terminator {
public:
    ProcessTerminator(HWND owner, std::string title) : owner_(owner), title_(std::move(title)) {}
    ~ProcessTerminator();
    bool Confirm() override;
    bool Open(uint32_t pid) override;
    void Terminate() override;
    bool WaitEnded(uint32_t ms) override;
    void Close() override;
    void Message(const char* text, bool error) override;

private:
    HWND owner_;
    std::string title_;
    HANDLE process_ = nullptr;
};

}  // namespace details
