// kbtrap: gathers what the decision needs to know about the foreground window.
#pragma once
#include <windows.h>

#include "kbtrap/rules.h"

namespace kbtrap {

// The seam between the rules and the system: every fact about the foreground window is
// read here. Used on the filter thread only.
class ForegroundProbe {
public:
    // Facts about the current foreground window for a logo key under mode. Cheap: a few
    // window queries; the loaded modules of a process are looked at only when the game
    // verdict cache asks for it (a new foreground process, or a recheck that is due).
    ForegroundFacts Gather(int mode);
    // Called when the foreground changes, so the module check is usually done before a
    // key arrives.
    void OnForegroundChanged(HWND wnd, int mode);

private:
    bool GameVerdict(HWND wnd);
    GameVerdictCache cache_;
};

// True when the process has loaded a graphics runtime module (IsGraphicsModuleName).
bool ProcessHasGraphicsModule(DWORD pid);
// True when the shell reports a Direct3D full-screen application (Windows Vista and later;
// false where the query does not exist).
bool ShellReportsD3DFullScreen();

}  // namespace kbtrap
