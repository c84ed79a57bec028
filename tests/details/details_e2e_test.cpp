// statwell end to end: System Details opened from the tray icon of the real program.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "tests/support/e2e.h"

namespace {

BOOL CALLBACK TrayHandlers(HWND w, LPARAM lp) {
    auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (pid == found->first && std::string(cls) == "TTrayIconHandler") found->second.push_back(w);
    return TRUE;
}

}  // namespace

TEST(DetailsE2E, OpensFromATrayDoubleClickCentredOnTheGeneralPage) {
    e2e::Process sw;
    ASSERT_TRUE(sw.Start(e2e::ExeFolder() + "\\statwell.exe"));
    e2e::WindowMatch gadget;
    gadget.pid = sw.Pid();
    gadget.cls = "TfrmMain";
    gadget.visible = true;
    ASSERT_NE(nullptr, e2e::WaitForWindow(gadget, 15000));
    e2e::WindowMatch details;
    details.pid = sw.Pid();
    details.cls = "TfrmTask";
    HWND w = e2e::WaitForWindow(details, 5000);
    ASSERT_NE(nullptr, w);
    EXPECT_FALSE(IsWindowVisible(w));

    // The tray icon's double click (its callback message, as the shell sends it).
    std::pair<DWORD, std::vector<HWND>> handlers{sw.Pid(), {}};
    EnumWindows(TrayHandlers, reinterpret_cast<LPARAM>(&handlers));
    ASSERT_FALSE(handlers.second.empty());
    PostMessageA(handlers.second.front(), WM_APP + 1, 0, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, 5000));

    char caption[128] = "";
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ("Corvane Statwell - System Details", caption);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(448, r.right - r.left);
    EXPECT_EQ(448, r.bottom - r.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 448) / 2, r.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 448) / 2, r.top);
    EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    const HWND owner = GetWindow(w, GW_OWNER);
    EXPECT_TRUE(owner == nullptr || owner == GetDesktopWindow()) << "a taskbar button of its own";
    HWND tabs = FindWindowExA(w, nullptr, WC_TABCONTROLA, nullptr);
    ASSERT_NE(nullptr, tabs);
    EXPECT_EQ(6, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    EXPECT_EQ(w, GetForegroundWindow());

    // Closing hides it; the program goes on.
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(w); }, 5000));
    EXPECT_TRUE(IsWindow(w));
    EXPECT_TRUE(sw.Running());

    if (HWND g = e2e::FindWindowOfProcess(sw.Pid(), "TfrmMain")) PostMessageA(g, WM_CLOSE, 0, 0);
    EXPECT_TRUE(sw.WaitExit(10000));
}
