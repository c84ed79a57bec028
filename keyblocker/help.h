// kqel's help files: the compiled HTML help and the WinHelp context help, both named after
// the program and beside it.
#pragma once
#include <windows.h>

namespace kq {

// Sets the help file names to the program's name with ".chm" and ".hlp", in its folder.
void SetHelpFileDefaults();
// Opens a topic of the compiled HTML help file ("intro.htm").
void ShowHelpTopic(const char* topic);
// WinHelp context help for a control (F1, the title-bar help button) and for a right click.
void ShowControlHelp(HWND control, const DWORD* helpIds);
void ShowContextMenuHelp(HWND window, const DWORD* helpIds);
// Closes help windows the program opened.
void CloseHelp();

}  // namespace kq
