// The real kqel.exe on a desktop of its own, with a stand-in shell that records what the
// program tells the taskbar and the tray: a second copy, the Exit command, the settings sheet.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/keyblocker/fake_shell.h"
#include "tests/support/e2e.h"

using kqtest::Count;
using kqtest::FakeShell;
using kqtest::FindTray;
using kqtest::ShellEvent;

namespace {

constexpr const char* kSettingsKey = "Software\\Velmora\\KQeL";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr UINT kSecondCopyNotice = 0x8064;

using e2e::Process;
using e2e::WaitUntil;

std::string KqelPath() { return e2e::ExeFolder() + "\\kqel.exe"; }

// Registry helpers over the user's hive, which the program shares with the test.
void SetDword(const char* key, const char* name, DWORD v) {
    HKEY k;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), 0);
    RegSetValueExA(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
    RegCloseKey(k);
}
void SetLastUpdate(long long secondsAgo) {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const long long t =
        ((static_cast<long long>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) - 116444736000000000LL) /
            10000000LL -
        secondsAgo;
    HKEY k;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
    RegSetValueExA(k, "LastUpdate", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&t), 8);
    RegCloseKey(k);
}
bool ReadValue(const char* key, const char* name, DWORD& type, std::string& data) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != 0) return false;
    char buf[1024];
    DWORD size = sizeof(buf);
    const bool ok = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) == 0;
    RegCloseKey(k);
    if (ok) data.assign(buf, size);
    return ok;
}
void DeleteValue(const char* key, const char* name) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_WRITE, &k) != 0) return;
    RegDeleteValueA(k, name);
    RegCloseKey(k);
}

// The program is up: the hook start was posted and the tray icon added (in either order).
bool Started(const std::vector<ShellEvent>& ev) {
    return Count(ev, ShellEvent::HookStart) >= 1 && FindTray(ev, NIM_ADD, L"Keyquell") != nullptr;
}

class KqelEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string name = "kqel-e2e-" + std::to_string(GetCurrentProcessId());
        s_shell = new FakeShell(name.c_str());
        // This thread looks for the program's windows on that desktop.
        SetThreadDesktop(s_shell->Desktop());
    }
    static void TearDownTestSuite() {
        delete s_shell;
        s_shell = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(s_shell->Taskbar(), nullptr);
        SetDword(kSettingsKey, "WhenToBlock", 0);
        SetLastUpdate(0);  // no update dialog in the way
        s_shell->ClearEvents();
    }

    std::unique_ptr<Process> Start() {
        auto p = std::make_unique<Process>();
        EXPECT_TRUE(p->Start(KqelPath(), "", e2e::ExeFolder().c_str(), s_shell->DesktopName().c_str()));
        return p;
    }

    // The program's top-level windows on the shell's desktop (pid 0: of any process).
    std::vector<HWND> Windows(DWORD pid, const char* cls, const char* title) {
        e2e::WindowMatch m;
        m.pid = pid;
        m.cls = cls;
        m.title = title;
        return e2e::FindWindows(m, s_shell->Desktop());
    }

    HWND TrayWindow(const Process& p) {
        e2e::WindowMatch m;
        m.pid = p.Pid();
        m.title = "KeyquellWnd";
        return e2e::WaitForWindow(m, 10000, s_shell->Desktop());
    }

    // Posts a second copy's notice to the tray window and waits for its balloon: a round trip
    // through the window's queue.
    static bool NoticeAnswered(HWND tray) {
        s_shell->ClearEvents();
        PostMessageA(tray, RegisterWindowMessageA("599A6A10-A91F-4dd3-B7E8-6F25E148826D"), 0,
                     kSecondCopyNotice);
        return s_shell->WaitFor(
            [](auto& ev) { return FindTray(ev, NIM_MODIFY, L"already running") != nullptr; }, 5000);
    }

    // Ends the program through its Exit command and checks that it is gone.
    void Exit(const Process& p, HWND tray) {
        PostMessageA(tray, WM_COMMAND, 153, 0);
        ASSERT_TRUE(p.WaitExit(10000));
        EXPECT_EQ(p.ExitCode(), 0u);
    }

    static FakeShell* s_shell;
};
FakeShell* KqelEndToEnd::s_shell = nullptr;

TEST_F(KqelEndToEnd, StartsWithTrayIconAndHookStart) {
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(IsWindowVisible(tray));
    ASSERT_TRUE(s_shell->WaitFor(Started, 5000));
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::HookStart), 1u);
    Exit(*p, tray);
}

TEST_F(KqelEndToEnd, SecondCopyEndsAtOnceAndTheFirstShowsTheBalloon) {
    auto first = Start();
    HWND tray = TrayWindow(*first);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(s_shell->WaitFor(Started, 5000));

    auto second = Start();
    ASSERT_TRUE(second->WaitExit(10000));
    EXPECT_EQ(second->ExitCode(), 1u);  // start-up refused
    EXPECT_EQ(Windows(0, nullptr, "KeyquellWnd").size(), 1u);
    EXPECT_TRUE(Windows(second->Pid(), nullptr, nullptr).empty());
    ASSERT_TRUE(s_shell->WaitFor(
        [](auto& ev) {
            return FindTray(ev, NIM_MODIFY,
                            L"The program is already running and can be configured using this icon.") !=
                   nullptr;
        },
        5000));
    // Only the first copy armed the hook.
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::HookStart), 1u);
    Exit(*first, tray);
}

TEST_F(KqelEndToEnd, ExitStopsTheHookInOrderThenRemovesTheIcon) {
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(s_shell->WaitFor(Started, 5000));
    s_shell->ClearEvents();
    Exit(*p, tray);
    ASSERT_TRUE(s_shell->WaitFor([](auto& ev) { return FindTray(ev, NIM_DELETE, L"") != nullptr; }, 5000));
    const auto ev = s_shell->Events();
    // The hook stop reaches the taskbar first, then the one WM_NULL broadcast, then after the
    // 100 ms pause the window closes and takes its icon away.
    ASSERT_GE(ev.size(), 3u);
    EXPECT_EQ(ev[0].kind, ShellEvent::HookStop);
    EXPECT_EQ(Count(ev, ShellEvent::NullBroadcast), 1u);
    size_t nul = 0, del = 0;
    for (size_t i = 0; i < ev.size(); ++i) {
        if (ev[i].kind == ShellEvent::NullBroadcast) nul = i;
        if (ev[i].kind == ShellEvent::TrayData && ev[i].trayCommand == NIM_DELETE) del = i;
    }
    EXPECT_LT(nul, del);
    EXPECT_GE(ev[del].tick - ev[nul].tick, 90u);
    EXPECT_EQ(Count(ev, ShellEvent::HookStart), 0u);
    EXPECT_TRUE(Windows(0, nullptr, "KeyquellWnd").empty());
}

// A right click on the icon opens the menu; Escape closes it and leaves the program running;
// its Exit item (E&xit, chosen by its letter) stops the hook and ends the program.
TEST_F(KqelEndToEnd, RightClickMenuClosesAndExits) {
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(s_shell->WaitFor(Started, 5000));
    const UINT notify = RegisterWindowMessageA("599A6A10-A91F-4dd3-B7E8-6F25E148826D");
    auto openMenu = [&] {
        PostMessageA(tray, notify, 0, WM_RBUTTONDOWN);
        HWND menu = nullptr;
        WaitUntil(
            [&] {
                auto w = Windows(p->Pid(), "#32768", nullptr);
                for (HWND h : w)
                    if (IsWindowVisible(h)) menu = h;
                return menu != nullptr;
            },
            5000);
        return menu;
    };
    HWND menu = openMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, 5000));
    EXPECT_TRUE(NoticeAnswered(tray)) << "the program stopped answering after the menu closed";
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::HookStop), 0u);

    menu = openMenu();
    ASSERT_NE(menu, nullptr);
    s_shell->ClearEvents();
    PostMessageA(menu, WM_CHAR, 'x', 0);
    ASSERT_TRUE(p->WaitExit(10000));
    EXPECT_EQ(p->ExitCode(), 0u);
    const auto ev = s_shell->Events();
    ASSERT_FALSE(ev.empty());
    EXPECT_EQ(ev[0].kind, ShellEvent::HookStop);
    EXPECT_EQ(Count(ev, ShellEvent::NullBroadcast), 1u);
}

// A window on the desktop whose thread has stopped answering is passed over by the stop
// sequence's broadcast: Exit still ends the program.
TEST_F(KqelEndToEnd, ExitDoesNotWaitForAWindowThatHangs) {
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(s_shell->WaitFor(Started, 5000));
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND hung = nullptr;
    std::thread hanging([&] {
        SetThreadDesktop(s_shell->Desktop());
        hung =
            CreateWindowExA(0, "STATIC", "hangs", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetEvent(created);
        WaitForSingleObject(release, INFINITE);  // answers nothing meanwhile
        if (hung) DestroyWindow(hung);
    });
    WaitForSingleObject(created, 5000);
    EXPECT_NE(hung, nullptr);
    s_shell->ClearEvents();
    PostMessageA(tray, WM_COMMAND, 153, 0);
    const bool exited = p->WaitExit(10000);
    SetEvent(release);
    hanging.join();
    CloseHandle(release);
    CloseHandle(created);
    EXPECT_TRUE(exited) << "Exit waits for the window that hangs";
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::NullBroadcast), 1u);
}

// A restarted shell announces its new taskbar: the icon comes back and the hook side, which
// lived in the old shell's process, is told to start again.
TEST_F(KqelEndToEnd, NewTaskbarGetsTheIconAndTheHookStartAgain) {
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(s_shell->WaitFor(Started, 5000));
    s_shell->ClearEvents();
    PostMessageA(tray, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_TRUE(s_shell->WaitFor(Started, 5000));
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::HookStart), 1u);
    Exit(*p, tray);
}

// The end of the Windows session: the program agrees, stops the hook and closes.
TEST_F(KqelEndToEnd, EndOfSessionStopsTheHookAndCloses) {
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(s_shell->WaitFor(Started, 5000));
    s_shell->ClearEvents();
    EXPECT_EQ(SendMessageA(tray, WM_QUERYENDSESSION, 0, 0), 1);
    ASSERT_TRUE(p->WaitExit(10000));
    const auto ev = s_shell->Events();
    ASSERT_FALSE(ev.empty());
    EXPECT_EQ(ev[0].kind, ShellEvent::HookStop);
    EXPECT_EQ(Count(ev, ShellEvent::NullBroadcast), 1u);
}

// The update dialog comes up right after start once 30 days have passed since the last
// completed check, and not a moment before.
TEST_F(KqelEndToEnd, UpdateCheckIsOfferedAfterThirtyDays) {
    auto updateDialog = [&](const Process& p) {
        auto w = Windows(p.Pid(), "#32770", "Update Keyquell");
        return w.empty() ? nullptr : w[0];
    };
    SetLastUpdate(29 * 86400 + 23 * 3600);
    {
        auto p = Start();
        HWND tray = TrayWindow(*p);
        ASSERT_NE(tray, nullptr);
        ASSERT_TRUE(s_shell->WaitFor(Started, 5000));
        // The check would be posted while the window is created; two notices handled one after
        // the other come after it: the first is handled once creation is over, the second after
        // whatever creation posted, and a shown update dialog would drop it.
        ASSERT_TRUE(NoticeAnswered(tray));
        ASSERT_TRUE(NoticeAnswered(tray));
        EXPECT_EQ(updateDialog(*p), nullptr);
        Exit(*p, tray);
    }
    SetLastUpdate(30 * 86400);
    {
        auto p = Start();
        HWND tray = TrayWindow(*p);
        ASSERT_NE(tray, nullptr);
        HWND dlg = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (dlg = updateDialog(*p)) != nullptr; }, 10000));
        if (dlg) {
            // "No, check later".
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(1009, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dlg, 1009)));
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, 5000));
        }
        Exit(*p, tray);
    }
}

RECT ClientRectIn(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The control that has the keyboard focus in the thread of `wnd` (another process's window).
HWND FocusOf(HWND wnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Posts a key to the focused control of `wnd`'s thread, as the keyboard would deliver it, and
// waits until the focus has moved away from that control (when `moves`).
HWND PostKey(HWND wnd, UINT msg, WPARAM key, bool moves = true) {
    HWND from = FocusOf(wnd);
    PostMessageA(from, msg, key, msg == WM_SYSCHAR ? (1 << 29) : 0);
    if (!moves) return from;
    HWND to = nullptr;
    WaitUntil([&] { return (to = FocusOf(wnd)) != from; }, 5000);
    return to;
}

// The settings sheet of a running copy, opened by a double click on the tray icon.
class KqelSheet : public KqelEndToEnd {
protected:
    HWND OpenSheet(const Process& p, HWND tray) {
        const UINT notify = RegisterWindowMessageA("599A6A10-A91F-4dd3-B7E8-6F25E148826D");
        PostMessageA(tray, notify, 0, WM_LBUTTONDBLCLK);
        e2e::WindowMatch sheet;
        sheet.pid = p.Pid();
        sheet.cls = "#32770";
        sheet.visible = true;
        return e2e::WaitForWindow(sheet, 10000, s_shell->Desktop());
    }
    // Posted like a real click: the sheet's modal loop looks for its end after each
    // posted message.
    static void Press(HWND sheet, int id) {
        PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(sheet, id)));
    }
    static HWND Page(HWND sheet) {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
};

TEST_F(KqelSheet, ApplyStoresTheModeAndTellsTheTaskbarAtOnce) {
    SetDword(kSettingsKey, "WhenToBlock", 1);
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    HWND sheet = OpenSheet(*p, tray);
    ASSERT_NE(sheet, nullptr);
    HWND page = Page(sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(page, 1002), BM_GETCHECK, 0, 0), BST_CHECKED);  // mode 1
    // The help button: left under the tabs' left edge, level with OK, 33 x 25, an owner-drawn
    // tab stop; the sheet has a taskbar button and the title-bar help button.
    HWND help = GetDlgItem(sheet, 140);
    ASSERT_NE(help, nullptr);
    const RECT helpRect = ClientRectIn(help, sheet);
    const RECT tabs =
        ClientRectIn(reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)), sheet);
    const RECT ok = ClientRectIn(GetDlgItem(sheet, IDOK), sheet);
    EXPECT_EQ(helpRect.left, tabs.left);
    EXPECT_EQ(helpRect.top, ok.top);
    EXPECT_EQ(helpRect.right - helpRect.left, 33);
    EXPECT_EQ(helpRect.bottom - helpRect.top, 25);
    const LONG helpStyle = GetWindowLongA(help, GWL_STYLE);
    EXPECT_TRUE(helpStyle & WS_VISIBLE);
    EXPECT_TRUE(helpStyle & WS_TABSTOP);
    EXPECT_EQ(helpStyle & BS_TYPEMASK, BS_OWNERDRAW);
    const LONG sheetExStyle = GetWindowLongA(sheet, GWL_EXSTYLE);
    EXPECT_TRUE(sheetExStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(sheetExStyle & WS_EX_CONTEXTHELP);

    // "Always" is the fourth button of the group, though its id is 1001.
    SendMessageA(GetDlgItem(page, 1001), BM_CLICK, 0, 0);
    s_shell->ClearEvents();
    SendMessageA(sheet, PSM_APPLY, 0, 0);
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::ConfigChanged), 1u);
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadValue(kSettingsKey, "WhenToBlock", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, std::string("\x03\0\0\0", 4));

    // Start with Windows: checking it writes the program's path, unchecking removes it.
    HWND run = GetDlgItem(page, 1000);
    if (SendMessageA(run, BM_GETCHECK, 0, 0) == BST_CHECKED) SendMessageA(run, BM_CLICK, 0, 0);
    SendMessageA(run, BM_CLICK, 0, 0);
    SendMessageA(sheet, PSM_APPLY, 0, 0);
    ASSERT_TRUE(ReadValue(kRunKey, "Keyquell", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(lstrcmpiA(data.c_str(), KqelPath().c_str()), 0) << data;
    SendMessageA(run, BM_CLICK, 0, 0);
    SendMessageA(sheet, PSM_APPLY, 0, 0);
    EXPECT_FALSE(ReadValue(kRunKey, "Keyquell", type, data));

    // While the sheet is open a second copy's notice is dropped: no balloon.
    s_shell->ClearEvents();
    auto second = Start();
    ASSERT_TRUE(second->WaitExit(10000));
    // A page switch posted to the sheet now is handled after the notice the second copy posted.
    PostMessageA(sheet, PSM_SETCURSEL, 1, 0);
    ASSERT_TRUE(WaitUntil([&] { return Page(sheet) != page; }, 5000));
    SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
    EXPECT_EQ(FindTray(s_shell->Events(), NIM_MODIFY, L"already running"), nullptr);

    // OK without a change still writes and tells the taskbar, once.
    DeleteValue(kSettingsKey, "WhenToBlock");
    s_shell->ClearEvents();
    Press(sheet, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 5000));
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::ConfigChanged), 1u);
    ASSERT_TRUE(ReadValue(kSettingsKey, "WhenToBlock", type, data));
    EXPECT_EQ(data, std::string("\x03\0\0\0", 4));

    Exit(*p, tray);
}

TEST_F(KqelSheet, CancelChangesNothing) {
    SetDword(kSettingsKey, "WhenToBlock", 2);
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    HWND sheet = OpenSheet(*p, tray);
    ASSERT_NE(sheet, nullptr);
    HWND page = Page(sheet);
    EXPECT_EQ(SendMessageA(GetDlgItem(page, 1003), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(GetDlgItem(page, 1004), BM_CLICK, 0, 0);
    s_shell->ClearEvents();
    Press(sheet, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 5000));
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::ConfigChanged), 0u);
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadValue(kSettingsKey, "WhenToBlock", type, data));
    EXPECT_EQ(data, std::string("\x02\0\0\0", 4));
    Exit(*p, tray);
}

// The page as the keyboard sees it: its controls in their order with their texts; Tab from
// the chosen mode to the check box and round the sheet without touching the mode; the arrow
// keys choosing the mode and enabling Apply; Alt+R; Enter saving both and telling the taskbar.
TEST_F(KqelSheet, KeyboardWalksThePageInItsOrder) {
    SetDword(kSettingsKey, "WhenToBlock", 3);
    DeleteValue(kRunKey, "Keyquell");
    auto p = Start();
    HWND tray = TrayWindow(*p);
    ASSERT_NE(tray, nullptr);
    HWND sheet = OpenSheet(*p, tray);
    ASSERT_NE(sheet, nullptr);
    HWND page = Page(sheet);
    ASSERT_NE(page, nullptr);
    char text[256] = "";
    GetWindowTextA(sheet, text, sizeof text);
    EXPECT_NE(std::string(text).find("Keyquell"), std::string::npos) << text;
    EXPECT_NE(std::string(text).find("Properties"), std::string::npos) << text;
    std::vector<std::string> controls;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        GetWindowTextA(c, text, sizeof text);
        controls.push_back(std::to_string(GetDlgCtrlID(c)) + " " + text);
    }
    const std::vector<std::string> expected = {
        "-1 &Block Windows logo key:",
        "1004 &Never",
        "1002 In full-screen ga&mes only",
        "1003 In all &full-screen games and applications (like Internet Explorer in theatre mode or "
        "Terminal Services Client)",
        "1001 Al&ways (you will not be able to access Start menu from keyboard)",
        "-1 ",
        "1000 &Run this program when Windows starts",
    };
    EXPECT_EQ(controls, expected);

    auto checked = [&](int id) {
        return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    HWND apply = GetDlgItem(sheet, 0x3021);
    HWND always = GetDlgItem(page, 1001);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(sheet) == always; }, 5000)) << "the chosen mode has no focus";
    std::vector<int> order;
    for (HWND to = nullptr; order.size() < 10 && (to = PostKey(sheet, WM_KEYDOWN, VK_TAB)) != always;)
        order.push_back(to ? GetDlgCtrlID(to) : 0);
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[0], 1000);
    EXPECT_EQ(order[1], IDOK);
    EXPECT_NE(std::find(order.begin(), order.end(), 140), order.end()) << "the help button is no tab stop";
    for (int id : {1002, 1003, 1004}) EXPECT_EQ(std::find(order.begin(), order.end(), id), order.end()) << id;
    EXPECT_TRUE(checked(1001));
    EXPECT_FALSE(IsWindowEnabled(apply));

    // Up from "Always" is the button above it, the full-screen one: mode 2.
    EXPECT_EQ(PostKey(sheet, WM_KEYDOWN, VK_UP), GetDlgItem(page, 1003));
    EXPECT_TRUE(checked(1003));
    EXPECT_FALSE(checked(1001));
    EXPECT_TRUE(IsWindowEnabled(apply));
    EXPECT_EQ(PostKey(sheet, WM_SYSCHAR, 'r'), GetDlgItem(page, 1000));
    EXPECT_TRUE(checked(1000));
    // Alt+B, the label's letter, goes back to the chosen mode and leaves it chosen.
    EXPECT_EQ(PostKey(sheet, WM_SYSCHAR, 'b'), GetDlgItem(page, 1003));
    EXPECT_TRUE(checked(1003));

    s_shell->ClearEvents();
    PostKey(sheet, WM_KEYDOWN, VK_RETURN, false);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 5000));
    EXPECT_EQ(Count(s_shell->Events(), ShellEvent::ConfigChanged), 1u);
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadValue(kSettingsKey, "WhenToBlock", type, data));
    EXPECT_EQ(data, std::string("\x02\0\0\0", 4));
    ASSERT_TRUE(ReadValue(kRunKey, "Keyquell", type, data));
    EXPECT_EQ(lstrcmpiA(data.c_str(), KqelPath().c_str()), 0) << data;
    Exit(*p, tray);
}

// The end of the session while the settings sheet or the update dialog is open: the program
// still stops the hook and ends, leaving no copy without a tray window behind, and the
// unanswered update check stays due.
TEST_F(KqelSheet, EndOfSessionWithADialogOpenEndsTheProgram) {
    for (bool sheetOpen : {true, false}) {
        SetLastUpdate(sheetOpen ? 0 : 31 * 86400);
        DWORD type = 0;
        std::string before, after;
        ReadValue(kSettingsKey, "LastUpdate", type, before);
        auto p = Start();
        HWND tray = TrayWindow(*p);
        ASSERT_NE(tray, nullptr);
        e2e::WindowMatch dialog;
        dialog.pid = p->Pid();
        dialog.cls = "#32770";
        dialog.visible = true;
        HWND shown = sheetOpen ? OpenSheet(*p, tray) : e2e::WaitForWindow(dialog, 10000, s_shell->Desktop());
        ASSERT_NE(shown, nullptr) << sheetOpen;
        s_shell->ClearEvents();
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutA(tray, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer));
        EXPECT_EQ(answer, 1u);
        EXPECT_TRUE(p->WaitExit(10000)) << "the program stayed without its tray window, " << sheetOpen;
        EXPECT_EQ(Count(s_shell->Events(), ShellEvent::NullBroadcast), 1u);
        ASSERT_TRUE(ReadValue(kSettingsKey, "LastUpdate", type, after));
        EXPECT_EQ(after, before);
    }
}

// The text of the message shown when there is no Explorer shell, as the program carries it.
TEST(KqelResources, MissingShellMessage) {
    HMODULE exe = LoadLibraryExA(KqelPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    char text[256] = "";
    LoadStringA(exe, 101, text, sizeof(text));
    EXPECT_STREQ(text, "This program requires Explorer as a shell to work properly.");
    FreeLibrary(exe);
}

}  // namespace
