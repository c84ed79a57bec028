// kbtrap: the filter thread inside the shell's process. It owns the low-level keyboard hook
// and follows the foreground window; nothing else runs on it.
#pragma once
#include <windows.h>

#include "kbtrap/shared_state.h"

namespace kbtrap {

// The mode the filter applies; set by the shell side, read per key. Takes effect on the
// next key.
void SetFilterMode(int mode);
int FilterMode();

struct FilterThread {
    HANDLE thread = nullptr;  // owned by the caller
    DWORD id = 0;
    bool running = false;
};

// Starts the filter thread and returns once its keyboard hook is installed (or failed).
// The thread ends when stopEvent is set or when it can take ownerLock (a mutex opened with
// SYNCHRONIZE | MUTEX_MODIFY_STATE that the arming thread owns until it disarms or dies);
// both handles, refreshedEvent (an auto-reset event) and status (may be null) must stay
// valid until it has ended. It puts its keyboard hook in again on resume, on unlock and
// every few minutes.
FilterThread StartFilter(HANDLE stopEvent, HANDLE ownerLock, HANDLE refreshedEvent, ShellStatus* status);

// Has the filter bring what it knows about the foreground window up to date now (after a
// mode change) and waits, at most timeoutMs, until it has.
void RefreshFilter(const FilterThread& filter, HANDLE refreshedEvent, DWORD timeoutMs);

}  // namespace kbtrap
