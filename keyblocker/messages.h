// The registered window messages of kqel. Registered once, before start-up; every process
// that registers the same names gets the same numbers.
#pragma once
#include <windows.h>

extern UINT g_msgHookStart;       // to the taskbar: the hook is armed, start work
extern UINT g_msgConfigChanged;   // to the taskbar: re-read the stored mode
extern UINT g_msgHookStop;        // to the taskbar: the hook is about to be disarmed
extern UINT g_msgTrayNotify;      // to the tray window: icon events, second-copy notice
extern UINT g_msgCheckUpdates;    // to the tray window: run the update dialog
extern UINT g_msgTaskbarCreated;  // from the shell: the taskbar was (re)created

void RegisterKqelMessages();
