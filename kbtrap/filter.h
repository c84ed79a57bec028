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
    bool running = false;
};

// Starts the filter thread and returns once its keyboard hook is installed (or failed).
// The thread ends when stopEvent is set or ownerProcess ends; both handles, and status
// (may be null), must stay valid until it has ended.
FilterThread StartFilter(HANDLE stopEvent, HANDLE ownerProcess, ShellStatus* status);

}  // namespace kbtrap
