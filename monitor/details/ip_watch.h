#pragma once
// IdIPWatch: the address watcher of System Details. While active it reads the machine's local
// IPv4 address once every WatchInterval milliseconds on a thread of its own; when the online
// state flips, OnStatusChanged runs on the thread that activated the watcher (the
// user-interface thread), through a message-only window of that thread. Deactivating (or
// destroying) the watcher ends its thread and waits for it; a change still on its way is
// dropped with the window.
//
//   IdIPWatch watch;
//   watch.OnStatusChanged = [this] { RefreshAdapters(); };
//   watch.SetActive(true);
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "monitor/details/online_state.h"
#include "monitor/ui/handles.h"

namespace details {

class IdIPWatch {
public:
    // Reads the local address; called on the watcher's thread. The default reads the address
    // table (LocalAddress over it), an error of the table reader counting as no address.
    using Probe = std::function<std::string()>;
    static std::string SystemLocalAddress();

    explicit IdIPWatch(Probe probe = &IdIPWatch::SystemLocalAddress);
    ~IdIPWatch();
    IdIPWatch(const IdIPWatch&) = delete;
    IdIPWatch& operator=(const IdIPWatch&) = delete;

    // Starts or ends the watcher thread. Call on the user-interface thread.
    void SetActive(bool on);
    bool Active() const { return thread_.get() != nullptr; }

    // The last reading (any thread).
    bool IsOnline() const { return online_.load(); }
    std::string CurrentIP() const;

    // Milliseconds between two readings; takes effect at the next activation.
    DWORD WatchInterval = 1000;
    // The address history is not kept; the file it would go to.
    const bool HistoryEnabled = false;
    const char* const HistoryFilename = "iphist.dat";

    // Runs on the user-interface thread when the online state flipped.
    std::function<void()> OnStatusChanged;

    // The thread's id while it runs (tests), else 0.
    DWORD ThreadId() const { return threadId_; }

private:
    static DWORD WINAPI ThreadMain(void* self);
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    void Watch();

    Probe probe_;
    ui::Handle<HWND, ui::WindowTraits> window_;
    ui::KernelHandle stop_, thread_;
    DWORD threadId_ = 0;
    DWORD interval_ = 1000;
    OnlineState state_;  // the watcher thread's own
    std::atomic<bool> online_{false};
    mutable std::mutex ipLock_;
    std::string currentIP_;
};

}  // namespace details
