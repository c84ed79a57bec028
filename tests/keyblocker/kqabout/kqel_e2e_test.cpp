// The real kqel.exe: the update dialog it opens when a check is due, what it stores for each
// result, the product page it opens, and the help topics of the tray menu and the sheet.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include "keyblocker/update/update_res.h"
#include "tests/support/e2e.h"
#include "tests/support/fake_proxy.h"

using e2e::ExeFolder;
using e2e::FakeProxy;
using e2e::ScopedDefaultValue;

namespace {

const char kKey[] = "Software\\Velmora\\KQeL";
const char kHtmlHelpControl[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

bool ReadLastUpdate(int64_t& t) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = sizeof t;
    const bool ok = RegQueryValueExA(key, "LastUpdate", nullptr, &type, reinterpret_cast<BYTE*>(&t), &size) ==
                        ERROR_SUCCESS &&
                    type == REG_BINARY && size == 8;
    RegCloseKey(key);
    return ok;
}

void StoreSettings(int64_t lastUpdate) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD mode = 0;
    RegSetValueExA(key, "WhenToBlock", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof mode);
    RegSetValueExA(key, "LastUpdate", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&lastUpdate), 8);
    RegCloseKey(key);
}

// A shown top-level window of process `pid` with this caption (and class, when given).
HWND WaitForWindow(DWORD pid, const char* cls, const char* caption, DWORD ms = 8000) {
    e2e::WindowMatch m;
    m.pid = pid;
    m.cls = cls;
    m.title = caption;
    m.titlePart = true;
    m.visible = true;
    return e2e::WaitForWindow(m, ms);
}

// kqel.exe started for one case, ended with its Exit command.
class Kqel {
public:
    Kqel() { m_process.Start(ExeFolder() + "\\kqel.exe", "", ExeFolder().c_str()); }
    ~Kqel() {
        if (m_process.Started() && !m_exitAsked) WaitExit();
    }
    Kqel(const Kqel&) = delete;
    Kqel& operator=(const Kqel&) = delete;
    DWORD Pid() const { return m_process.Pid(); }
    // The program's hidden main window.
    HWND Tray() const {
        e2e::WindowMatch m;
        m.title = "KeyquellWnd";
        return e2e::WaitForWindow(m, 8000);
    }
    // Exit from the tray menu; true when the program ended within 10 s.
    bool WaitExit() {
        m_exitAsked = true;
        if (HWND tray = Tray()) PostMessageA(tray, WM_COMMAND, 153, 0);
        return m_process.WaitExit(10000);
    }

private:
    e2e::Process m_process;
    bool m_exitAsked = false;
};

class KqelUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(m_urlLog.c_str());
        SetEnvironmentVariableA("E2E_URL_LOG", m_urlLog.c_str());
    }
    FakeProxy proxy;
    e2e::ProxySetting setting{proxy.Port()};
    std::string m_urlLog = ExeFolder() + "\\kqabout_kqel_urls.log";
    ScopedDefaultValue browser{HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command",
                               "\"" + ExeFolder() + "\\urlrecorder.exe\" \"%1\""};
};

// Runs kqel with a check due, presses "Yes", then `finish`; returns the status it showed.
std::string RunCheck(int finish) {
    Kqel kqel;
    HWND dlg = WaitForWindow(kqel.Pid(), "#32770", "Update Keyquell");
    EXPECT_NE(dlg, nullptr);
    if (!dlg) return {};
    SendMessageA(GetDlgItem(dlg, IDC_UPD_YES), BM_CLICK, 0, 0);
    char text[256] = {};
    GetDlgItemTextA(dlg, IDC_UPD_STATUS, text, sizeof text);
    PostMessageA(dlg, WM_COMMAND, finish, 0);
    e2e::WaitUntil([&] { return !IsWindow(dlg); }, 6000);
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_TRUE(kqel.WaitExit());
    return text;
}

// Runs kqel with a check due and answers "No, check later".
void AnswerLater() {
    Kqel kqel;
    HWND dlg = WaitForWindow(kqel.Pid(), "#32770", "Update Keyquell");
    ASSERT_NE(dlg, nullptr);
    SendMessageA(GetDlgItem(dlg, IDC_UPD_NO), BM_CLICK, 0, 0);
    e2e::WaitUntil([&] { return !IsWindow(dlg); }, 6000);
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_TRUE(kqel.WaitExit());
}

}  // namespace

TEST_F(KqelUpdate, CheckLaterOrFailedCheckStoresNothing) {
    const int64_t old = static_cast<int64_t>(time(nullptr)) - 40 * 86400;
    int64_t stored = 0;
    StoreSettings(old);
    proxy.Answer(FakeProxy::Kind::Body, "1.2");
    AnswerLater();
    ASSERT_TRUE(ReadLastUpdate(stored));
    EXPECT_EQ(stored, old);
    EXPECT_TRUE(proxy.Requests().empty());

    proxy.Answer(FakeProxy::Kind::Status, "404 Not Found");
    EXPECT_EQ(RunCheck(IDC_UPD_CLOSE), "Cannot connect to updates server.");
    ASSERT_TRUE(ReadLastUpdate(stored));
    EXPECT_EQ(stored, old);
    EXPECT_EQ(e2e::ReadText(m_urlLog), "");
}

TEST_F(KqelUpdate, ResultsStoreTheTimeAndOpenTheProductPage) {
    const int64_t old = static_cast<int64_t>(time(nullptr)) - 40 * 86400;
    int64_t stored = 0;

    // 1.1: no update; "Close" stores nothing.
    StoreSettings(old);
    proxy.Answer(FakeProxy::Kind::Body, "1.1");
    EXPECT_EQ(RunCheck(IDC_UPD_CLOSE), "Sorry, there are no updates of the program at the moment.");
    ASSERT_TRUE(ReadLastUpdate(stored));
    EXPECT_EQ(stored, old);

    // 2.0 and the "Close" beside "Download now": the time is stored, no page opened.
    proxy.Answer(FakeProxy::Kind::Body, "2.0");
    EXPECT_EQ(RunCheck(IDC_UPD_CLOSE_AFTER_DL),
              "There is a new version of the program available now! Do you want to download it?");
    ASSERT_TRUE(ReadLastUpdate(stored));
    EXPECT_GT(stored, static_cast<int64_t>(time(nullptr)) - 60);
    EXPECT_EQ(e2e::ReadText(m_urlLog), "");

    // 1.2 and "Download now": the time is stored and the product page opens.
    StoreSettings(old);
    proxy.Answer(FakeProxy::Kind::Body, "1.2");
    RunCheck(IDOK);
    ASSERT_TRUE(ReadLastUpdate(stored));
    EXPECT_GT(stored, static_cast<int64_t>(time(nullptr)) - 60);
    e2e::WaitUntil([&] { return !e2e::ReadText(m_urlLog).empty(); }, 4000);
    EXPECT_EQ(e2e::ReadText(m_urlLog), "http://www.velmora-soft.com/keyquell.shtml\n");
}

TEST(KqelHelp, TrayMenuAndSheetHelpButtonOpenTheirTopics) {
    // Recent check: no update dialog in the way.
    StoreSettings(static_cast<int64_t>(time(nullptr)));
    const std::string log = ExeFolder() + "\\kqabout_kqel_hh.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("KQ_HH_LOG", log.c_str());
    ScopedDefaultValue control(HKEY_CLASSES_ROOT, kHtmlHelpControl, ExeFolder() + "\\kqabout_fakehh.dll");
    {
        Kqel kqel;
        HWND tray = kqel.Tray();
        ASSERT_NE(tray, nullptr);
        PostMessageA(tray, WM_COMMAND, 152, 0);  // tray menu "Help"
        PostMessageA(tray, WM_COMMAND, 151, 0);  // "Configuration"
        HWND sheet = WaitForWindow(kqel.Pid(), "#32770", "Properties");
        ASSERT_NE(sheet, nullptr);
        SendMessageA(GetDlgItem(sheet, 140), BM_CLICK, 0, 0);
        PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        e2e::WaitUntil([&] { return !IsWindow(sheet); }, 4000);
        EXPECT_TRUE(kqel.WaitExit());
    }
    const std::string chm = ExeFolder() + "\\kqel.chm";
    EXPECT_EQ(e2e::ReadText(log), chm + "::/intro.htm|0\n" + chm + "::/HOWTOuse.htm|0\n(null)|18\n");
}

TEST(KqelHelp, RealViewerShowsOurHelpAndClosesAtExit) {
    StoreSettings(static_cast<int64_t>(time(nullptr)));
    Kqel kqel;
    HWND tray = kqel.Tray();
    ASSERT_NE(tray, nullptr);
    PostMessageA(tray, WM_COMMAND, 152, 0);
    HWND viewer = WaitForWindow(kqel.Pid(), nullptr, "Keyquell Help");
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(kqel.WaitExit());
    EXPECT_FALSE(IsWindow(viewer));
}

TEST(KqelHelp, SettingsControlsAnswerF1AndRightClickWithThePopupTexts) {
    StoreSettings(static_cast<int64_t>(time(nullptr)));
    const std::string log = ExeFolder() + "\\kqabout_kqel_ctx.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("KQ_HH_LOG", log.c_str());
    ScopedDefaultValue control(HKEY_CLASSES_ROOT, kHtmlHelpControl, ExeFolder() + "\\kqabout_fakehh.dll");
    {
        Kqel kqel;
        HWND tray = kqel.Tray();
        ASSERT_NE(tray, nullptr);
        PostMessageA(tray, WM_COMMAND, 151, 0);
        HWND sheet = WaitForWindow(kqel.Pid(), "#32770", "Properties");
        ASSERT_NE(sheet, nullptr);
        HWND page = FindWindowExA(sheet, nullptr, "#32770", nullptr);
        HWND games = GetDlgItem(page, 1002);
        ASSERT_NE(games, nullptr);
        RECT r{};
        GetWindowRect(games, &r);
        PostMessageA(page, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(games),
                     MAKELPARAM(r.left + 2, r.top + 2));
        const UINT kKeyF1 = 0x004D;  // WM_KEYF1: what F1 on a focused control becomes
        PostMessageA(games, kKeyF1, 0, 0);
        e2e::WaitUntil(
            [&] {
                const std::string text = e2e::ReadText(log);
                return std::count(text.begin(), text.end(), '\n') >= 2;
            },
            4000);
        PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        e2e::WaitUntil([&] { return !IsWindow(sheet); }, 4000);
        EXPECT_TRUE(kqel.WaitExit());
    }
    const std::string popups = ExeFolder() + "\\kqel.chm::/cshelp.txt";
    const std::string table = "1000=806603E8,1001=806603E9,1003=806603EB,1002=806603EA,1004=806603EC,\n";
    EXPECT_EQ(e2e::ReadText(log),
              popups + "|16|1002|" + table + popups + "|17|1002|" + table + "(null)|18\n");
}

TEST(KqelSheet, OpensCentredOnTheWorkAreaOfTheMonitorWithTheCursor) {
    StoreSettings(static_cast<int64_t>(time(nullptr)));
    SetCursorPos(900, 650);
    Kqel kqel;
    HWND tray = kqel.Tray();
    ASSERT_NE(tray, nullptr);
    PostMessageA(tray, WM_COMMAND, 151, 0);
    HWND sheet = WaitForWindow(kqel.Pid(), "#32770", "Properties");
    ASSERT_NE(sheet, nullptr);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoA(MonitorFromPoint(POINT{900, 650}, MONITOR_DEFAULTTONEAREST), &mi);
    RECT r{};
    GetWindowRect(sheet, &r);
    EXPECT_LE(std::abs((r.left + r.right) - (mi.rcWork.left + mi.rcWork.right)), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) - (mi.rcWork.top + mi.rcWork.bottom)), 1);

    // Pictures of both pages for people to look at (KQ_SHOTS names a folder).
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("KQ_SHOTS", folder, sizeof folder)) {
        Sleep(300);
        e2e::SaveWindowBitmap(sheet, std::string(folder) + "\\sheet-configuration.bmp");
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        Sleep(300);
        e2e::SaveWindowBitmap(sheet, std::string(folder) + "\\sheet-about.bmp");
    }
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    e2e::WaitUntil([&] { return !IsWindow(sheet); }, 4000);
    EXPECT_TRUE(kqel.WaitExit());
}

TEST(KqelProgram, CarriesTheCommonControlsSixManifest) {
    HMODULE exe = LoadLibraryExA((ExeFolder() + "\\kqel.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC res = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(res, nullptr) << "no manifest";
    const char* data = static_cast<const char*>(LockResource(LoadResource(exe, res)));
    const std::string manifest(data, SizeofResource(exe, res));
    FreeLibrary(exe);
    const size_t cc = manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"");
    EXPECT_NE(cc, std::string::npos) << manifest;
}
