// kbtrap: the part that runs on the taskbar's thread inside the shell's process. The thread
// hooks that SetHook installs bring the library there and pass every message of that
// thread through these procedures.
#pragma once
#include <windows.h>

namespace kbtrap {

// The registered messages of the hook protocol (0 where registration failed).
struct HookMessages {
    UINT start;
    UINT configChanged;
    UINT stop;
};
const HookMessages& Messages();

LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp);
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp);

// Reads WhenToBlock from the program's registry key (kDefaultMode when unusable).
int ReadStoredMode();

// Releases what the shell side holds when the library leaves the process.
void ReleaseShellSide();

}  // namespace kbtrap
