// The single-instance check of statwell over the shared registry (instances.h).
#pragma once
#include <windows.h>

#include "monitor/app/instances.h"
#include "monitor/ui/handles.h"

namespace app {

// Registered window message telling the other copies that an instance was created (wParam
// kInstanceCreated) or destroyed (kInstanceDestroyed); lParam is the process ID.
constexpr WPARAM kInstanceCreated = 0;
constexpr WPARAM kInstanceDestroyed = 1;
UINT InstanceNoticeMessage();

class SingleInstance {
public:
    // Registers this process under the executable's path.
    explicit SingleInstance(const char* exePath);
    // Deregisters and tells the others.
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy runs from the same path; that copy has been brought forward.
    bool Accepted() const { return accepted_; }

private:
    void NotifyOthers(WPARAM code);
    void ActivateFirst(DWORD pid);
    ui::KernelHandle lock_;
    ui::KernelHandle mapping_;
    ui::MappedView table_;  // the mapped view of the shared table
    bool accepted_ = true;
};

// Finds the top-level window of `className` that belongs to process `pid`.
HWND FindProcessWindow(DWORD pid, const char* className);

}  // namespace app
