// The real kqel.exe: the update dialog it opens when a check is due, what it stores for each
// result, the product page it opens, and the help topics of the tray menu and the sheet.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "fake_proxy.h"
#include "keyblocker/update/update_res.h"

using kqtest::FakeProxy;

namespace {

const char kKey[] = "Software\\Velmora\\KQeL";
const char kHtmlHelpControl[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.rfind('\\'));
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

bool ReadLastUpdate(int64_t& t) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = sizeof t;
    const bool ok = RegQueryValueExA(key, "LastUpdate", nullptr, &type, reinterpret_cast<BYTE*>(&t), &size) ==
                        ERROR_SUCCESS && type == REG_BINARY && size == 8;
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

class ScopedDefaultValue {
public:
    ScopedDefaultValue(HKEY root, const char* path, const std::string& value) : m_root(root), m_path(path) {
        HKEY key;
        if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        char old[1024] = {};
        DWORD size = sizeof old - 1;
        m_had = RegQueryValueExA(key, nullptr, nullptr, &m_type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        m_old = old;
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    ~ScopedDefaultValue() {
        HKEY key;
        if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        if (m_had)
            RegSetValueExA(key, nullptr, 0, m_type, reinterpret_cast<const BYTE*>(m_old.c_str()),
                           static_cast<DWORD>(m_old.size() + 1));
        else
            RegDeleteValueA(key, nullptr);
        RegCloseKey(key);
    }

private:
    HKEY m_root;
    std::string m_path, m_old;
    bool m_had = false;
    DWORD m_type = REG_SZ;
};

struct WindowQuery {
    DWORD pid;
    const char* cls;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM lp) {
    auto* q = reinterpret_cast<WindowQuery*>(lp);
    DWORD p = 0;
    GetWindowThreadProcessId(w, &p);
    char text[256] = {}, cls[256] = {};
    GetWindowTextA(w, text, sizeof text);
    GetClassNameA(w, cls, sizeof cls);
    if (p == q->pid && IsWindowVisible(w) && strstr(text, q->caption) != nullptr && (!q->cls || strcmp(cls, q->cls) == 0)) {
        q->found = w;
        return FALSE;
    }
    return TRUE;
}

// A shown top-level window of process `pid` with this caption (and class, when given).
HWND WaitForWindow(DWORD pid, const char* cls, const char* caption, int ms = 8000) {
    WindowQuery q{pid, cls, caption, nullptr};
    for (int waited = 0; waited < ms; waited += 20) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
        if (q.found) return q.found;
        Sleep(20);
    }
    return nullptr;
}

// kqel.exe started for one case, ended with its Exit command.
class Kqel {
public:
    Kqel() {
        std::string cmd = "\"" + ExeFolder() + "\\kqel.exe\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, ExeFolder().c_str(), &si, &m_pi))
            CloseHandle(m_pi.hThread);
    }
    ~Kqel() {
        if (!m_pi.hProcess) return;
        if (HWND tray = Tray()) PostMessageA(tray, WM_COMMAND, 153, 0);
        if (WaitForSingleObject(m_pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(m_pi.hProcess, 1);
        CloseHandle(m_pi.hProcess);
    }
    Kqel(const Kqel&) = delete;
    Kqel& operator=(const Kqel&) = delete;
    DWORD Pid() const { return m_pi.dwProcessId; }
    HWND Tray() const { return WaitForWindowAny("KeyquellWnd"); }
    bool WaitExit() {
        if (HWND tray = Tray()) PostMessageA(tray, WM_COMMAND, 153, 0);
        const bool ok = WaitForSingleObject(m_pi.hProcess, 10000) == WAIT_OBJECT_0;
        CloseHandle(m_pi.hProcess);
        m_pi.hProcess = nullptr;
        return ok;
    }

private:
    HWND WaitForWindowAny(const char* caption) const {
        for (int i = 0; i < 400; ++i) {
            HWND w = FindWindowA(nullptr, caption);
            if (w) return w;
            Sleep(20);
        }
        return nullptr;
    }
    PROCESS_INFORMATION m_pi{};
};

class KqelUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(m_urlLog.c_str());
        SetEnvironmentVariableA("KQ_URL_LOG", m_urlLog.c_str());
    }
    FakeProxy proxy;
    kqtest::ProxySetting setting{proxy.Port()};
    std::string m_urlLog = ExeFolder() + "\\kqabout_kqel_urls.log";
    ScopedDefaultValue browser{HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command",
                               "\"" + ExeFolder() + "\\kqabout_urlrecorder.exe\" \"%1\""};
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
    for (int i = 0; i < 300 && IsWindow(dlg); ++i) Sleep(20);
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
    for (int i = 0; i < 300 && IsWindow(dlg); ++i) Sleep(20);
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
    EXPECT_EQ(ReadFile(m_urlLog), "");
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
    EXPECT_EQ(ReadFile(m_urlLog), "");

    // 1.2 and "Download now": the time is stored and the product page opens.
    StoreSettings(old);
    proxy.Answer(FakeProxy::Kind::Body, "1.2");
    RunCheck(IDOK);
    ASSERT_TRUE(ReadLastUpdate(stored));
    EXPECT_GT(stored, static_cast<int64_t>(time(nullptr)) - 60);
    for (int i = 0; i < 200 && ReadFile(m_urlLog).empty(); ++i) Sleep(20);
    EXPECT_EQ(ReadFile(m_urlLog), "http://www.velmora-soft.com/keyquell.shtml\n");
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
        for (int i = 0; i < 200 && IsWindow(sheet); ++i) Sleep(20);
        EXPECT_TRUE(kqel.WaitExit());
    }
    const std::string chm = ExeFolder() + "\\kqel.chm";
    EXPECT_EQ(ReadFile(log), chm + "::/intro.htm|0\n" + chm + "::/HOWTOuse.htm|0\n(null)|18\n");
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
