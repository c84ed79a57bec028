// The real kqel.exe with the real hook library and Wine's explorer as the shell: with
// "Always" stored, a logo key sent to a window of this test is swallowed while "A" gets
// through; after Exit the logo key passes again and no kqel is left.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace {

using e2e::PumpUntil;

constexpr const char* kSettingsKey = "Software\\Velmora\\KQeL";
constexpr WORD kSentinel = 'Z';  // sent last: once its release arrives, all before it has

std::vector<std::pair<UINT, WPARAM>> g_keys;

LRESULT CALLBACK TestWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) {
        g_keys.emplace_back(msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN ? WM_KEYDOWN : WM_KEYUP, wp);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

struct Seen {
    bool logo = false;
    bool a = false;
    bool arrived = false;
};

// Taps the left logo key and "A" into the window and reports what reached it.
Seen Press(HWND wnd) {
    e2e::BringToFront(wnd, 3000);
    g_keys.clear();
    for (WORD vk : {WORD(VK_LWIN), WORD('A'), kSentinel}) e2e::Tap(vk);
    Seen s;
    s.arrived = PumpUntil(
        [] {
            for (auto& k : g_keys)
                if (k.first == WM_KEYUP && k.second == kSentinel) return true;
            return false;
        },
        3000);
    for (auto& k : g_keys) {
        s.logo |= k.second == VK_LWIN;
        s.a |= k.second == 'A';
    }
    return s;
}

// Keeps the stored settings this test overwrites and puts them back.
class StoredValues {
public:
    StoredValues() {
        for (const char* name : {"WhenToBlock", "LastUpdate"}) {
            Value v{name};
            HKEY k;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &k) == 0) {
                DWORD size = sizeof(v.data);
                v.present = RegQueryValueExA(k, name, nullptr, &v.type, v.data, &size) == 0;
                v.size = size;
                RegCloseKey(k);
            }
            m_values.push_back(v);
        }
    }
    ~StoredValues() {
        HKEY k;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr))
            return;
        for (const Value& v : m_values) {
            if (v.present)
                RegSetValueExA(k, v.name, 0, v.type, v.data, v.size);
            else
                RegDeleteValueA(k, v.name);
        }
        RegCloseKey(k);
    }

private:
    struct Value {
        const char* name;
        bool present = false;
        DWORD type = 0, size = 0;
        BYTE data[64] = {};
    };
    std::vector<Value> m_values;
};

// Opens the settings sheet the way a double click on the tray icon does.
HWND OpenSheet(HWND tray, DWORD pid) {
    PostMessageA(tray, RegisterWindowMessageA("599A6A10-A91F-4dd3-B7E8-6F25E148826D"), 0, WM_LBUTTONDBLCLK);
    e2e::WindowMatch m;
    m.pid = pid;
    m.cls = "#32770";
    m.visible = true;
    HWND sheet = nullptr;
    PumpUntil([&] { return (sheet = e2e::FindWindowOf(m)) != nullptr; }, 10000);
    return sheet;
}

TEST(KqelKeys, AlwaysBlocksTheLogoKeyUntilExit) {
    ASSERT_TRUE(PumpUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 10000))
        << "no shell taskbar in the bench";
    StoredValues keep;
    HKEY k;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), 0);
    const DWORD always = 3;
    RegSetValueExA(k, "WhenToBlock", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&always), 4);
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const long long now =
        ((static_cast<long long>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) - 116444736000000000LL) /
        10000000LL;
    RegSetValueExA(k, "LastUpdate", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&now),
                   8);  // no update dialog
    RegCloseKey(k);

    WNDCLASSA wc{};
    wc.lpfnWndProc = TestWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KqelKeysTestWnd";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "kqel keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                               320, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);

    const std::string dir = e2e::ExeFolder();
    e2e::Process kqel;
    ASSERT_TRUE(kqel.Start(dir + "\\kqel.exe", "", dir.c_str()));

    HWND tray = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return (tray = FindWindowA(nullptr, "KeyquellWnd")) != nullptr; }, 10000));
    // The hook side starts in the shell's process once it has the posted start: poll.
    Seen armed;
    const DWORD start = GetTickCount();
    do {
        armed = Press(wnd);
    } while (armed.logo && GetTickCount() - start < 5000);
    EXPECT_TRUE(armed.arrived);
    EXPECT_FALSE(armed.logo) << "the logo key reached the window with \"Always\" stored";
    EXPECT_TRUE(armed.a);

    // The settings page: choosing "Never" and pressing Apply lets the key through at once,
    // choosing "Always" again blocks it at once; no restart, no waiting.
    HWND sheet = tray ? OpenSheet(tray, kqel.Pid()) : nullptr;
    EXPECT_NE(sheet, nullptr) << "the settings sheet did not open";
    if (sheet) {
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        ASSERT_NE(page, nullptr);
        SendMessageA(GetDlgItem(page, 1004), BM_CLICK, 0, 0);  // "&Never"
        SendMessageA(sheet, PSM_APPLY, 0, 0);
        const Seen never = Press(wnd);
        EXPECT_TRUE(never.arrived);
        EXPECT_TRUE(never.logo) << "\"Never\" applied, yet the logo key was blocked";
        EXPECT_TRUE(never.a);
        SendMessageA(GetDlgItem(page, 1001), BM_CLICK, 0, 0);  // "Al&ways"
        SendMessageA(sheet, PSM_APPLY, 0, 0);
        const Seen always = Press(wnd);
        EXPECT_FALSE(always.logo) << "\"Always\" applied, yet the logo key passed";
        EXPECT_TRUE(always.a);
        PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDCANCEL)));
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(sheet); }, 5000));
    }

    if (tray) PostMessageA(tray, WM_COMMAND, 153, 0);
    // Pumped: the program's stop sequence waits for every top-level window, ours too.
    const bool ended = PumpUntil([&] { return kqel.WaitExit(0); }, 10000);
    EXPECT_TRUE(ended);
    if (!ended) kqel.Kill();
    EXPECT_EQ(FindWindowA(nullptr, "KeyquellWnd"), nullptr);

    const Seen after = Press(wnd);
    EXPECT_TRUE(after.arrived);
    EXPECT_TRUE(after.logo) << "the logo key is still blocked after Exit";
    EXPECT_TRUE(after.a);
    DestroyWindow(wnd);
}

}  // namespace
