// Driving real controls inside the test process through their own messages, and reading them
// back: clicks, keys as the message loop sees them, list-view rows, status-bar texts, track-bar
// positions, and the standard error box.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace uitest {

// Handles every waiting message the way the program's loop does (shortcuts, dialog keys).
void Pump();
// Pumps until `done` holds or `ms` have passed; true when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000);
// A round trip through the queue: everything posted before it has been handled on return
// (the sentinel for "this did not happen").
void RoundTrip(HWND wnd);

std::string Text(HWND wnd);
// Presses a button, check box or radio button as a click does (BM_CLICK).
void Click(HWND button);
// A key as the focused window receives it, through the program's loop: WM_KEYDOWN/WM_KEYUP,
// with Shift or Ctrl held in the thread's key state while it is handled.
void PressKey(UINT vk, bool shift = false, bool ctrl = false);
// Alt+letter (a mnemonic) as the focused window receives it.
void PressAltLetter(char letter);
// A left click at client point (x, y) of a window (down, up), through the loop.
void ClickAt(HWND wnd, int x, int y);

// Saves what the screen shows of a window (frame included) as a 24-bit BMP file.
bool SaveWindowPicture(HWND wnd, const char* path);

// Watches this process for the standard error box from another thread, records each box's
// text and closes it with OK.
class ErrorBoxWatcher {
public:
    ErrorBoxWatcher();
    ~ErrorBoxWatcher();
    ErrorBoxWatcher(const ErrorBoxWatcher&) = delete;
    ErrorBoxWatcher& operator=(const ErrorBoxWatcher&) = delete;
    // The texts of the boxes closed so far.
    std::vector<std::string> Texts();

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
    CRITICAL_SECTION lock_;
    std::vector<std::string> texts_;
};

}  // namespace uitest
