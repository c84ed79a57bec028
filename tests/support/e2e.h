// Helpers of the end-to-end tests: starting and ending the real programs, waiting for their
// windows with a bounded poll, temporary folders, files and input.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The folder of this test executable, without a trailing backslash.
std::string ExeFolder();
// The full path of this test executable.
std::string ExePath();

// Calls `done` until it holds or `ms` milliseconds have passed; true when it held.
bool WaitUntil(const std::function<bool()>& done, DWORD ms);
// The same, dispatching this thread's messages before each call (for tests with windows of
// their own that the other program waits for, or that receive input).
bool PumpUntil(const std::function<bool()>& done, DWORD ms);
// Dispatches the messages waiting for this thread.
void Pump();

// One started program. Ends it (TerminateProcess) when it is still running at destruction.
class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts "exe" args, in `folder` (nullptr: this process's current folder) and on the
    // desktop named `desktop` (nullptr: this process's).
    bool Start(const std::string& exe, const std::string& args = "", const char* folder = nullptr,
               const char* desktop = nullptr);
    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }
    bool Running() const;
    // Waits for the end; false on time-out.
    bool WaitExit(DWORD ms) const;
    // The exit code, or STILL_ACTIVE while running.
    DWORD ExitCode() const;
    // Ends it at once (if still running) and waits up to 5 s for the end.
    void Kill();

private:
    PROCESS_INFORMATION pi_{};
};

// What a top-level window must have to match; an empty field matches anything.
struct WindowMatch {
    DWORD pid = 0;
    const char* cls = nullptr;
    const char* title = nullptr;
    bool titlePart = false;  // the title contains `title` rather than equals it
    bool visible = false;    // only shown windows
};

// The matching top-level windows of this thread's desktop, or of `desktop` when given.
std::vector<HWND> FindWindows(const WindowMatch& match, HDESK desktop = nullptr);
// The first of them, or nullptr.
HWND FindWindowOf(const WindowMatch& match, HDESK desktop = nullptr);
// The top-level window of process `pid` with class `cls`, or nullptr.
HWND FindWindowOfProcess(DWORD pid, const char* cls);
// Polls for the first matching window for at most `ms` milliseconds.
HWND WaitForWindow(const WindowMatch& match, DWORD ms, HDESK desktop = nullptr);

// Brings `wnd` to the foreground, pumping this thread's messages; false after `ms`.
bool BringToFront(HWND wnd, DWORD ms = 3000);
// The process of the foreground window, or 0.
DWORD ForegroundProcess();

// A key press or release through SendInput (the logo keys as extended keys).
void SendKey(WORD vk, bool up);
// A press and a release.
void Tap(WORD vk);

// A new, empty folder under the temporary folder; it goes at the end with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder with a trailing backslash.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The whole file as stored, or "" when it cannot be read.
std::string ReadBytes(const std::string& path);
// The whole file with its line ends as "\n", or "".
std::string ReadText(const std::string& path);
// Replaces the file with `bytes`; false when it cannot be written.
bool WriteBytes(const std::string& path, const std::string& bytes);
// Saves what the screen shows of the window (frame included) as a 24-bit .bmp file.
bool SaveWindowBitmap(HWND wnd, const std::string& path);

// Sets the default value of a registry key to a string for the scope and puts the old one
// (or none) back.
class ScopedDefaultValue {
public:
    ScopedDefaultValue(HKEY root, const char* path, const std::string& value);
    ~ScopedDefaultValue();
    ScopedDefaultValue(const ScopedDefaultValue&) = delete;
    ScopedDefaultValue& operator=(const ScopedDefaultValue&) = delete;

private:
    HKEY root_;
    std::string path_, old_;
    bool had_ = false;
    DWORD type_ = REG_SZ;
};

}  // namespace e2e
