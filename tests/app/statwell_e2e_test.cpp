// statwell end to end: the real program started beside this test, under the bench's shell.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string Folder() {
    char p[MAX_PATH];
    GetModuleFileNameA(nullptr, p, MAX_PATH);
    std::string s = p;
    return s.substr(0, s.find_last_of('\\') + 1);
}

struct Process {
    PROCESS_INFORMATION pi{};
    bool Start(const std::string& exe) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + exe + "\"";
        return CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != 0;
    }
    bool Running() const { return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }
    // Waits for the end; returns the exit code or -1 on time-out.
    long WaitExit(DWORD ms) const {
        if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        return static_cast<long>(code);
    }
    ~Process() {
        if (pi.hProcess) {
            if (Running()) TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
};

struct Find {
    DWORD pid;
    const char* cls;
    HWND wnd;
};

BOOL CALLBACK FindProc(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Find*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (pid == f->pid && lstrcmpA(cls, f->cls) == 0) {
        f->wnd = w;
        return FALSE;
    }
    return TRUE;
}

HWND WindowOf(DWORD pid, const char* cls) {
    Find f{pid, cls, nullptr};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
    return f.wnd;
}

// Polls until `pid` has a top-level window of class `cls` (at most 5 s).
HWND WaitForWindow(DWORD pid, const char* cls) {
    for (int i = 0; i < 100; ++i) {
        if (HWND w = WindowOf(pid, cls)) return w;
        Sleep(50);
    }
    return nullptr;
}

DWORD ForegroundProcess() {
    DWORD pid = 0;
    if (HWND fg = GetForegroundWindow()) GetWindowThreadProcessId(fg, &pid);
    return pid;
}

// Polls until the gadget of `pid` is visible (at most 15 s).
HWND WaitForGadget(DWORD pid) {
    for (int i = 0; i < 150; ++i) {
        HWND w = WindowOf(pid, "TfrmMain");
        if (w && IsWindowVisible(w)) return w;
        Sleep(100);
    }
    return nullptr;
}

void Quit(Process& p) {
    if (HWND w = WindowOf(p.pi.dwProcessId, "TfrmMain")) PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(10000), 0);
}

TEST(Statwell, GadgetAppearsOnceFromOneFolderAndRunsAgainFromAnother) {
    const std::string exe = Folder() + "statwell.exe";
    Process first;
    ASSERT_TRUE(first.Start(exe));
    HWND gadget = WaitForGadget(first.pi.dwProcessId);
    ASSERT_NE(gadget, nullptr) << "the gadget appears";

    // A borderless tool window on top; the hidden application window carries the title.
    const LONG ex = GetWindowLongA(gadget, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(gadget, GWL_STYLE) & WS_CAPTION);
    HWND app = WindowOf(first.pi.dwProcessId, "TApplication");
    ASSERT_NE(app, nullptr);
    char title[64] = "";
    GetWindowTextA(app, title, sizeof title);
    EXPECT_STREQ(title, "Corvane Statwell");
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_TRUE(GetWindowLongA(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    // No taskbar button: the gadget is owned by the hidden application window (a shell that
    // ignores the tool-window style still skips owned windows).
    EXPECT_EQ(GetWindow(gadget, GW_OWNER), app);
    for (const char* cls : {"TfrmOptions", "TfrmCPU1", "TfrmSwap", "TfrmCPU2", "TfrmInternet", "TfrmRAM",
                            "TfrmTask", "TfrmStopWatch", "TfrmAbout"})
        EXPECT_NE(WaitForWindow(first.pi.dwProcessId, cls), nullptr) << cls;

    // A second copy from the same folder ends with code 0, leaves the first running and brings
    // it forward (here from behind a window of this test).
    {
        HWND other = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 10, 10, 60, 20,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(other, nullptr);
        SetForegroundWindow(other);
        ASSERT_EQ(ForegroundProcess(), GetCurrentProcessId());
        Process second;
        ASSERT_TRUE(second.Start(exe));
        EXPECT_EQ(second.WaitExit(15000), 0);
        EXPECT_TRUE(first.Running());
        for (int i = 0; i < 40 && GetForegroundWindow() != gadget; ++i) Sleep(50);
        EXPECT_EQ(ForegroundProcess(), first.pi.dwProcessId) << "the first copy comes forward";
        EXPECT_EQ(GetForegroundWindow(), gadget) << "its gadget is the active window";
        DestroyWindow(other);
    }

    // A copy in another folder is a monitor of its own.
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string dir = std::string(tmp) + "statwell_e2e_copy\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string copy = dir + "statwell.exe";
    ASSERT_TRUE(CopyFileA(exe.c_str(), copy.c_str(), FALSE));
    {
        Process other;
        ASSERT_TRUE(other.Start(copy));
        EXPECT_NE(WaitForGadget(other.pi.dwProcessId), nullptr);
        EXPECT_TRUE(other.Running());
        EXPECT_TRUE(first.Running());
        Quit(other);
    }
    DeleteFileA(copy.c_str());
    DeleteFileA((dir + "Statwell.ini").c_str());
    RemoveDirectoryA(dir.c_str());

    Quit(first);
}

}  // namespace
