// kbtrap: gathers what the decision needs to know about the foreground window.
#pragma once
#include <windows.h>

#include "kbtrap/rules.h"

namespace kbtrap {

// The seam between the rules and the system: every fact about the foreground window is
// read here. Used on the filter thread only.
//
// Gather runs inside the keyboard hook, which the system drops when it answers slowly: it
// makes a few window queries and nothing more. Looking at a process's modules and asking
// the shell about Direct3D are left to Refresh, which the filter calls when the
// foreground changes and on its timer; Gather uses what Refresh found last.
class ForegroundProbe {
public:
    // Facts about the current foreground window for a logo key under mode.
    ForegroundFacts Gather(int mode) const;
    // Brings the slow facts that mode needs up to date for wnd (the foreground window):
    // the Direct3D full-screen report and, for a window that covers its monitor, whether
    // its process is a game (the verdict cache decides when modules are looked at again).
    void Refresh(HWND wnd, int mode);

private:
    // The window facts that are cheap to read, without the slow ones.
    static ForegroundFacts WindowFacts(HWND wnd);
    GameVerdictCache cache_;
    bool d3dFullScreen_ = false;
};

// True when the process has loaded a graphics runtime module (IsGraphicsModuleName).
bool ProcessHasGraphicsModule(DWORD pid);
// True when the shell reports a Direct3D full-screen application (Windows Vista and later;
// false where the query does not exist).
bool ShellReportsD3DFullScreen();

}  // namespace kbtrap
