// A stand-in for the shell on a desktop of its own: a window of class "Shell_TrayWnd" that
// records what kqel sends to the taskbar (hook messages, the WM_NULL broadcast) and what the
// shell's tray is told (Wine's Shell_NotifyIcon passes the icon data as WM_COPYDATA).
#pragma once
#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kqtest {

struct ShellEvent {
    enum Kind { HookStart, ConfigChanged, HookStop, NullBroadcast, TrayData } kind;
    DWORD tick = 0;
    DWORD trayCommand = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE for TrayData
    std::wstring payload;   // the tray data as UTF-16 text, for looking up strings
};

class FakeShell {
public:
    // Creates the desktop and the taskbar window on a thread of its own.
    explicit FakeShell(const char* desktopName);
    ~FakeShell();

    HDESK Desktop() const { return m_desktop; }
    const std::string& DesktopName() const { return m_name; }
    HWND Taskbar() const { return m_taskbar; }

    std::vector<ShellEvent> Events();
    void ClearEvents();
    // Waits until pred holds over the events, or the time-out passes.
    bool WaitFor(const std::function<bool(const std::vector<ShellEvent>&)>& pred, DWORD ms);

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    void Run();
    void Record(ShellEvent e);

    std::string m_name;
    HDESK m_desktop = nullptr;
    HWND m_taskbar = nullptr;
    DWORD m_threadId = 0;
    std::thread m_thread;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<ShellEvent> m_events;
    bool m_ready = false;
};

size_t Count(const std::vector<ShellEvent>& events, ShellEvent::Kind kind);
// The first tray-data event of the given command whose text contains needle; null if none.
const ShellEvent* FindTray(const std::vector<ShellEvent>& events, DWORD command, const wchar_t* needle);

}  // namespace kqtest
