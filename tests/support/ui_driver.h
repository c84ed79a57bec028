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
// A key as the focused window (or `target`) receives it, through the program's loop:
// WM_KEYDOWN/WM_KEYUP, with Shift or Ctrl held in the thread's key state while it is handled.
void PressKey(UINT vk, bool shift = false, bool ctrl = false, HWND target = nullptr);
// Alt+letter (a mnemonic) as the focused window receives it.
void PressAltLetter(char letter);
// A left click at client point (x, y) of a window (down, up), through the loop.
void ClickAt(HWND wnd, int x, int y);

// Saves what the screen shows of a window (frame included) as a 24-bit BMP file.
bool SaveWindowPicture(HWND wnd, const char* path);

// Watches this process from another thread for dialogs (titled `title`; nullptr: any),
// records the first text of each and presses `button` in it (a modal dialog of the test's own
// thread blocks that thread, so another one answers it).
class DialogWatcher {
public:
    DialogWatcher(const char* title, int button);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;
    // The texts of the dialogs answered so far.
    std::vector<std::string> Texts();

private:
    std::string title_;
    bool anyTitle_;
    int button_;
    std::atomic<bool> stop_{false};
    CRITICAL_SECTION lock_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

// The standard error box, closed with OK.
class ErrorBoxWatcher : public DialogWatcher {
public:
    ErrorBoxWatcher() : DialogWatcher("Error", IDOK) {}
};

}  // namespace uitest
