// kbtrap: the Windows-logo-key hook library. Its two exports carry undecorated names.
//
// How a program drives it (the messages are registered window messages, sent or posted to
// the taskbar window, class "Shell_TrayWnd", with wParam and lParam 0):
//   SetHook(); PostMessage(taskbar, "770CD077-2238-4cf6-BE50-43BD5468FC9E")   arm and start
//   write HKCU\Software\Velmora\KQeL WhenToBlock, then
//   SendMessage(taskbar, "3B12F922-89F9-4ca5-A973-B82AEE495AE9")              take up the mode
//   SendMessage(taskbar, "3C3EE5F0-1D01-4915-91F7-606C6FF172FB"); UnsetHook();
//   SendMessage(HWND_BROADCAST, WM_NULL)                                     stop and disarm
// After the shell restarts, call SetHook() again (it hooks the new taskbar) and post the
// start message to the new taskbar window. The filter also ends by itself when the thread
// that armed it (and so its process) ends, whatever has been written into the shared block:
// call SetHook and UnsetHook on the same thread, which must live while the hook is armed.
#pragma once
#include <windows.h>

#ifdef KBTRAP_BUILD
#define KBTRAP_API extern "C" __declspec(dllexport)
#else
#define KBTRAP_API extern "C" __declspec(dllimport)
#endif

// Arms the hooks on the current taskbar's thread; TRUE on success. May be called again.
// FALSE as well while another program has the hook armed.
KBTRAP_API BOOL SetHook(void);
// Ends the filter (if the stop message has not done so) and disarms the hooks.
KBTRAP_API BOOL UnsetHook(void);
