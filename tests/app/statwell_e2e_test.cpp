// statwell end to end: the real program started beside this test, under the bench's shell.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace {

using e2e::FindWindowOfProcess;
using e2e::ForegroundProcess;
using e2e::Process;

// Polls until `pid` has a top-level window of class `cls` (at most 5 s).
HWND WaitForWindow(DWORD pid, const char* cls) {
    e2e::WindowMatch m;
    m.pid = pid;
    m.cls = cls;
    return e2e::WaitForWindow(m, 5000);
}

// Polls until the gadget of `pid` is visible (at most 15 s).
HWND WaitForGadget(DWORD pid) {
    e2e::WindowMatch m;
    m.pid = pid;
    m.cls = "TfrmMain";
    m.visible = true;
    return e2e::WaitForWindow(m, 15000);
}

void Quit(Process& p) {
    if (HWND w = FindWindowOfProcess(p.Pid(), "TfrmMain")) PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.WaitExit(10000));
    EXPECT_EQ(p.ExitCode(), 0u);
}

TEST(Statwell, GadgetAppearsOnceFromOneFolderAndRunsAgainFromAnother) {
    const std::string exe = e2e::ExeFolder() + "\\statwell.exe";
    Process first;
    ASSERT_TRUE(first.Start(exe));
    HWND gadget = WaitForGadget(first.Pid());
    ASSERT_NE(gadget, nullptr) << "the gadget appears";

    // A borderless tool window on top; the hidden application window carries the title.
    const LONG ex = GetWindowLongA(gadget, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(gadget, GWL_STYLE) & WS_CAPTION);
    HWND app = FindWindowOfProcess(first.Pid(), "TApplication");
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
        EXPECT_NE(WaitForWindow(first.Pid(), cls), nullptr) << cls;

    // A second copy from the same folder ends with code 0, leaves the first running and brings
    // it forward (here from behind a window of this test).
    {
        HWND other = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 10, 10, 60, 20, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(other, nullptr);
        SetForegroundWindow(other);
        ASSERT_EQ(ForegroundProcess(), GetCurrentProcessId());
        Process second;
        ASSERT_TRUE(second.Start(exe));
        // This thread's window was in front, so the first copy's activation sends it messages
        // (WM_ACTIVATEAPP, WM_NCACTIVATE, WM_KILLFOCUS) and waits for the answers: wait the way
        // a running program does, dispatching them, or the first copy hangs in its activation.
        EXPECT_TRUE(e2e::PumpUntil([&] { return second.WaitExit(0); }, 15000));
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_TRUE(first.Running());
        e2e::PumpUntil([&] { return GetForegroundWindow() == gadget; }, 6000);
        EXPECT_EQ(ForegroundProcess(), first.Pid()) << "the first copy comes forward";
        char fg[64] = "";
        GetClassNameA(GetForegroundWindow(), fg, sizeof fg);
        EXPECT_EQ(GetForegroundWindow(), gadget) << "its gadget is the active window, not a " << fg;
        DestroyWindow(other);
    }

    // A copy in another folder is a monitor of its own.
    {
        e2e::TempFolder dir("statwell_e2e_copy");
        const std::string copy = dir.Path() + "statwell.exe";
        ASSERT_TRUE(CopyFileA(exe.c_str(), copy.c_str(), FALSE));
        Process other;
        ASSERT_TRUE(other.Start(copy));
        EXPECT_NE(WaitForGadget(other.Pid()), nullptr);
        EXPECT_TRUE(other.Running());
        EXPECT_TRUE(first.Running());
        Quit(other);
    }

    Quit(first);
}

// The floating windows of the real program: stored ones open where and as they were kept, the
// others wait hidden at their design places, and quitting writes them back.
TEST(Statwell, StoredFloatingWindowsOpenAsKeptAndAreSavedOnQuit) {
    e2e::TempFolder dir("statwell_e2e_meters");
    const std::string exe = dir.Path() + "statwell.exe";
    ASSERT_TRUE(CopyFileA((e2e::ExeFolder() + "\\statwell.exe").c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(e2e::WriteBytes(dir.Path() + "Statwell.ini",
                                "[Main]\r\nFirstTime=0\r\n[CPU1]\r\nShow=1\r\nEnhanced=1\r\nWidth=300\r\n"
                                "Height=90\r\nLeft=40\r\nTop=50\r\n[Network]\r\nShow=1\r\n"));
    Process p;
    ASSERT_TRUE(p.Start(exe, "", dir.Path().c_str()));
    ASSERT_NE(WaitForGadget(p.Pid()), nullptr);
    e2e::WindowMatch m;
    m.pid = p.Pid();
    m.visible = true;
    m.cls = "TfrmCPU1";
    HWND cpu1 = e2e::WaitForWindow(m, 5000);
    m.cls = "TfrmInternet";
    HWND net = e2e::WaitForWindow(m, 5000);
    ASSERT_NE(cpu1, nullptr);
    ASSERT_NE(net, nullptr);
    HWND app = FindWindowOfProcess(p.Pid(), "TApplication");
    for (HWND w : {cpu1, net}) {
        EXPECT_EQ(GetWindow(w, GW_OWNER), app);
        EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
    RECT r;
    GetWindowRect(cpu1, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    GetClientRect(cpu1, &r);
    EXPECT_EQ(r.right, 125);  // Enhanced: 125 x 40 whatever the stored size says
    EXPECT_EQ(r.bottom, 40);
    GetWindowRect(net, &r);
    EXPECT_EQ(r.left, 387);
    EXPECT_EQ(r.top, 175);
    EXPECT_EQ(r.right - r.left, 155);
    EXPECT_EQ(r.bottom - r.top, 50);
    HWND ram = WaitForWindow(p.Pid(), "TfrmRAM");
    ASSERT_NE(ram, nullptr);
    EXPECT_FALSE(IsWindowVisible(ram));
    // The window exists before it has loaded its section: wait for its place.
    e2e::WaitUntil([&] { return GetWindowRect(ram, &r) && r.left == 345; }, 5000);
    EXPECT_EQ(r.left, 345);
    EXPECT_EQ(r.top, 134);
    EXPECT_EQ(r.right - r.left, 143);
    EXPECT_EQ(r.bottom - r.top, 23);

    Quit(p);
    const std::string saved = e2e::ReadText(dir.Path() + "Statwell.ini");
    const std::size_t cpu = saved.find("[CPU1]");
    ASSERT_NE(cpu, std::string::npos);
    const std::string section = saved.substr(cpu, saved.find("[CPU2]") - cpu);
    for (const char* line : {"Show=1\n", "Width=125\n", "Height=40\n", "Left=40\n", "Enhanced=1\n"})
        EXPECT_NE(section.find(line), std::string::npos) << line << " in " << section;
}

}  // namespace
