// End to end: the real statwell.exe, copied into a fresh folder so that its settings file
// starts out missing, started, inspected through its windows and quit.
#include <windows.h>
#include <shellapi.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/settings/profile_store.h"
#include "tests/settings/expected_keys.h"
#include "tests/support/e2e.h"

namespace {

using e2e::WaitUntil;
using expected::KeysOf;
using expected::SectionsOf;

// A private copy of the program in a new temporary folder, removed again at the end.
class ProgramCopy {
public:
    ProgramCopy() {
        copied_ = CopyFileA((e2e::ExeFolder() + "\\statwell.exe").c_str(), Exe().c_str(), FALSE) != 0;
    }
    bool Copied() const { return copied_; }
    std::string Exe() const { return folder_.Path() + "statwell.exe"; }
    std::string Ini() const { return folder_.Path() + "Statwell.ini"; }
    const std::string& Folder() const { return folder_.Path(); }

    void WriteIni(const std::string& text) const { e2e::WriteBytes(Ini(), text); }
    std::string ReadIni() const { return e2e::ReadBytes(Ini()); }

private:
    e2e::TempFolder folder_{"statwell-settings"};
    bool copied_ = false;
};

// A visible balloon tip of the shell (the welcome message).
BOOL CALLBACK FindBalloon(HWND w, LPARAM lp) {
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "tooltips_class32") == 0 && IsWindowVisible(w) &&
        (GetWindowLongA(w, GWL_STYLE) & 0x40 /* TTS_BALLOON */)) {
        *reinterpret_cast<bool*>(lp) = true;
        return FALSE;
    }
    return TRUE;
}

bool BalloonVisible() {
    bool found = false;
    EnumWindows(FindBalloon, reinterpret_cast<LPARAM>(&found));
    return found;
}

// One run of the program.
class ProgramRun {
public:
    explicit ProgramRun(const ProgramCopy& copy) {
        if (!process_.Start(copy.Exe(), "", copy.Folder().c_str())) return;
        e2e::WindowMatch gadget;
        gadget.pid = process_.Pid();
        gadget.cls = "TfrmMain";
        gadget.visible = true;
        main_ = e2e::WaitForWindow(gadget, 15000);
    }
    HWND Main() const { return main_; }
    DWORD Pid() const { return process_.Pid(); }
    // Closes the gadget (as "Quit" does) and waits for the program to end; its exit code.
    DWORD Quit() {
        PostMessageA(main_, WM_CLOSE, 0, 0);
        if (!process_.WaitExit(15000)) return 0xFFFFFFFF;
        return process_.ExitCode();
    }

private:
    e2e::Process process_;
    HWND main_ = nullptr;
};

RECT WindowBounds(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

RECT WorkArea() {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

void MoveTo(HWND w, int x, int y) {
    SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// How many of the program's tray icons the shell holds: each tray icon has a hidden window
// of its own; a change that changes nothing succeeds only for an icon the shell knows.
int TrayIconsOf(DWORD pid) {
    e2e::WindowMatch handler;
    handler.pid = pid;
    handler.cls = "TTrayIconHandler";
    int icons = 0;
    for (HWND w : e2e::FindWindows(handler))
        for (UINT id = 1; id <= 4; ++id) {
            NOTIFYICONDATAA n{};
            n.cbSize = sizeof n;
            n.hWnd = w;
            n.uID = id;
            if (Shell_NotifyIconA(NIM_MODIFY, &n)) ++icons;
        }
    return icons;
}

}  // namespace

TEST(SettingsEndToEnd, FreshStartQuitAndSecondStart) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.Copied());
    {
        ProgramRun run(copy);
        ASSERT_NE(run.Main(), nullptr) << "the gadget did not appear";
        const HWND w = run.Main();
        const RECT r = WindowBounds(w);
        EXPECT_EQ(r.left, 388);
        EXPECT_EQ(r.top, 173);
        EXPECT_EQ(r.right - r.left, 150);
        EXPECT_EQ(r.bottom - r.top, 75);
        const LONG ex = GetWindowLongA(w, GWL_EXSTYLE);
        EXPECT_TRUE(ex & WS_EX_TOPMOST);
        EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
        EXPECT_FALSE(ex & WS_EX_LAYERED);
        EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
        EXPECT_TRUE(WaitUntil(BalloonVisible, 5000)) << "no welcome balloon";

        // Snapping: near the left edge of the work area the gadget lands flush on it, and near
        // the bottom flush on the bottom.
        const RECT work = WorkArea();
        MoveTo(w, work.left + 6, 300);
        EXPECT_EQ(WindowBounds(w).left, work.left);
        EXPECT_EQ(WindowBounds(w).top, 300);
        MoveTo(w, 400, work.bottom - 75 - 8);
        EXPECT_EQ(WindowBounds(w).top, work.bottom - 75);
        MoveTo(w, 388, 173);
        EXPECT_EQ(WindowBounds(w).left, 388);

        EXPECT_EQ(run.Quit(), 0u);
    }

    settings::MemoryProfileStore saved;
    saved.Parse(copy.ReadIni());
    EXPECT_EQ(SectionsOf(saved), expected::SectionOrder());
    EXPECT_EQ(KeysOf(saved, "Main"), expected::MainKeys());
    EXPECT_EQ(KeysOf(saved, "Network"), expected::NetworkKeys());
    for (const char* m : {"CPU1", "CPU2", "RAM", "Swap"})
        EXPECT_EQ(KeysOf(saved, m), expected::MeterKeys()) << m;
    EXPECT_EQ(saved.Read("Main", "Left", ""), "388");
    EXPECT_EQ(saved.Read("Main", "Top", ""), "173");
    EXPECT_EQ(saved.Read("Main", "Width", ""), "150");
    EXPECT_EQ(saved.Read("Main", "Height", ""), "75");
    EXPECT_EQ(saved.Read("Main", "NetworkDisplay", ""), "Small");
    EXPECT_EQ(saved.Read("Main", "Orientation", ""), "1");
    EXPECT_EQ(saved.Read("Main", "GraphBorders", ""), "1");
    EXPECT_EQ(saved.Read("Main", "AlwaysOnTop", ""), "1");
    EXPECT_EQ(saved.Read("Main", "Snap", ""), "1");
    EXPECT_EQ(saved.Read("Main", "AlphaBlend", ""), "0");
    EXPECT_EQ(saved.Read("Main", "AlphaBlendValue", ""), "180");
    EXPECT_EQ(saved.Read("Main", "TrayIconImage", ""), "1");
    EXPECT_EQ(saved.Read("Main", "FirstTime", ""), "0");
    EXPECT_EQ(saved.Read("CPU1", "Left", ""), "460");

    // The balloon of the first run has gone by now or goes within its 10 seconds; the second
    // start must not bring a new one.
    WaitUntil([] { return !BalloonVisible(); }, 12000);
    {
        ProgramRun run(copy);
        ASSERT_NE(run.Main(), nullptr);
        EXPECT_FALSE(WaitUntil(BalloonVisible, 2500)) << "the balloon came again";
        EXPECT_EQ(run.Quit(), 0u);
    }
}

TEST(SettingsEndToEnd, FirstRunWithTheTextTrayIconShowsOneIconWithTheBalloon) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.Copied());
    copy.WriteIni("[Main]\r\nTrayIconImage=0\r\n");
    {
        ProgramRun run(copy);
        ASSERT_NE(run.Main(), nullptr);
        EXPECT_TRUE(WaitUntil(BalloonVisible, 5000));
        // The balloon goes to the text icon; the image icon stays out of the tray.
        EXPECT_EQ(TrayIconsOf(run.Pid()), 1);
        EXPECT_EQ(run.Quit(), 0u);
    }
}

TEST(SettingsEndToEnd, PreparedFileComesUpAsStored) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.Copied());
    copy.WriteIni(
        "[Main]\r\nCPU1=0\r\nNetwork=0\r\nStatus=0\r\nNetworkDisplay=Tiny\r\nAlphaBlend=1\r\n"
        "AlphaBlendValue=300\r\nSnap=0\r\nLeft=5\r\nTop=150\r\nWidth=170\r\nHeight=60\r\n"
        "FirstTime=0\r\n");
    {
        ProgramRun run(copy);
        ASSERT_NE(run.Main(), nullptr);
        const HWND w = run.Main();
        const RECT r = WindowBounds(w);
        EXPECT_EQ(r.left, 5);  // as stored: Snap is off
        EXPECT_EQ(r.top, 150);
        EXPECT_EQ(r.right - r.left, 170);
        EXPECT_EQ(r.bottom - r.top, 60);
        EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED);
        BYTE alpha = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(w, &key, &alpha, &flags));
        EXPECT_EQ(alpha, 44);  // 300 modulo 256
        EXPECT_TRUE(flags & LWA_ALPHA);
        EXPECT_FALSE(flags & LWA_COLORKEY);
        EXPECT_FALSE(BalloonVisible());

        // Snap off: a move near the edge stays where it was put.
        const RECT work = WorkArea();
        MoveTo(w, work.left + 6, 150);
        EXPECT_EQ(WindowBounds(w).left, work.left + 6);

        EXPECT_EQ(run.Quit(), 0u);
    }
    settings::MemoryProfileStore saved;
    saved.Parse(copy.ReadIni());
    EXPECT_EQ(saved.Read("Main", "CPU1", ""), "0");
    EXPECT_EQ(saved.Read("Main", "Network", ""), "0");
    EXPECT_EQ(saved.Read("Main", "Status", ""), "0");
    EXPECT_EQ(saved.Read("Main", "NetworkDisplay", ""), "Small");
    EXPECT_EQ(saved.Read("Main", "AlphaBlend", ""), "1");
    EXPECT_EQ(saved.Read("Main", "AlphaBlendValue", ""), "44");
    EXPECT_EQ(saved.Read("Main", "Snap", ""), "0");
    EXPECT_EQ(saved.Read("Main", "Left", ""), std::to_string(WorkArea().left + 6));
    // Keys already in the file keep their place; the rest follow in writing order.
    EXPECT_EQ(KeysOf(saved, "Main").front(), "CPU1");
    EXPECT_EQ(KeysOf(saved, "Main").size(), expected::MainKeys().size());
}

// The program's private memory once the gadget has painted.
SIZE_T PrivateBytesAfterPaint(const ProgramRun& run) {
    UpdateWindow(run.Main());  // sent to the program's thread: returns once it has painted
    const HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, run.Pid());
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    const bool read = p && GetProcessMemoryInfo(p, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    if (p) CloseHandle(p);
    if (!read) return 0;
    return m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage;
}

TEST(SettingsEndToEnd, AbsurdStoredGeometryComesUpOnScreenAtTheCostOfANormalStart) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.Copied());
    copy.WriteIni("[Main]\r\nFirstTime=0\r\n");
    SIZE_T normal = 0;
    {
        ProgramRun run(copy);
        ASSERT_NE(run.Main(), nullptr);
        normal = PrivateBytesAfterPaint(run);
        ASSERT_GT(normal, 0u);
        EXPECT_EQ(run.Quit(), 0u);
    }
    // A hand-edited file: far larger than any screen, and far above every monitor.
    copy.WriteIni("[Main]\r\nFirstTime=0\r\nWidth=100000\r\nHeight=100000\r\nTop=-2147483648\r\n");
    {
        ProgramRun run(copy);
        ASSERT_NE(run.Main(), nullptr);
        const RECT r = WindowBounds(run.Main());
        const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
        EXPECT_GE(r.left, vx);
        EXPECT_GE(r.top, vy);
        EXPECT_LE(r.right, vx + GetSystemMetrics(SM_CXVIRTUALSCREEN));
        EXPECT_LE(r.bottom, vy + GetSystemMetrics(SM_CYVIRTUALSCREEN));
        EXPECT_NE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr) << "on a monitor";
        const RECT work = WorkArea();
        EXPECT_EQ(r.top, work.top) << "brought into the work area";
        const SIZE_T absurd = PrivateBytesAfterPaint(run);
        EXPECT_LT(absurd, normal + 16u * 1024 * 1024)
            << "private bytes " << absurd << " against " << normal << " for a normal start";
        EXPECT_EQ(run.Quit(), 0u);
    }
}
