// The About page, the link labels, the bitmap button and the help launcher under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <string>
#include <vector>

#include "keyblocker/about/AboutPage.h"
#include "keyblocker/about/akBitButton.h"
#include "keyblocker/about/akHelpSupport.h"
#include "keyblocker/about/akTheme.h"
#include "keyblocker/about/about_res.h"
#include "tests/support/e2e.h"

using namespace kq;
using e2e::ExeFolder;
using e2e::Pump;
using e2e::ScopedDefaultValue;

namespace {

constexpr int kTestPicture = 2001;

// What a window shows, counted by colour.
struct Pixels {
    int blue = 0, magenta = 0, shadow = 0, total = 0;
    int firstBlueX = -1;  // leftmost column with a blue pixel
    unsigned long long sum = 0;
};

Pixels Capture(HWND wnd) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    Pixels p;
    RECT rc;
    GetClientRect(wnd, &rc);
    HDC dc = GetDC(wnd);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            ++p.total;
            p.sum = p.sum * 31 + c;
            if (c == RGB(0, 0, 255)) {
                ++p.blue;
                if (p.firstBlueX < 0 || x < p.firstBlueX) p.firstBlueX = x;
            }
            if (c == RGB(255, 0, 255)) ++p.magenta;
            if (c == shadow) ++p.shadow;
        }
    ReleaseDC(wnd, dc);
    return p;
}

// Whether a stand-in browser started by this test still runs.
bool RecorderRunning() {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return true;
    PROCESSENTRY32 pe{};
    pe.dwSize = sizeof pe;
    bool running = false;
    for (BOOL ok = Process32First(snap, &pe); ok && !running; ok = Process32Next(snap, &pe))
        running = pe.th32ParentProcessID == GetCurrentProcessId() &&
                  lstrcmpiA(pe.szExeFile, "urlrecorder.exe") == 0;
    CloseHandle(snap);
    return running;
}

// A modeless sheet with the About page and a help button as the settings sheet has one.
class AboutSheet : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        PROPSHEETPAGEA page = about.Page();
        PROPSHEETHEADERA h{};
        h.dwSize = sizeof h;
        h.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_PROPTITLE;
        h.hInstance = GetModuleHandleA(nullptr);
        h.pszCaption = "Keyquell";
        h.nPages = 1;
        h.ppsp = &page;
        sheet = reinterpret_cast<HWND>(PropertySheetA(&h));
        ASSERT_NE(sheet, nullptr);
        RECT ok;
        GetWindowRect(GetDlgItem(sheet, IDOK), &ok);
        MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&ok), 2);
        RECT r{7, ok.top, 7 + 33, ok.top + 25};
        ASSERT_TRUE(help.Create(sheet, "", WS_VISIBLE | WS_TABSTOP, r, 140));
        help.SetPicturePlacement(16);
        help.SetPicture(kTestPicture);
        SetForegroundWindow(sheet);
        Pump();
    }
    void TearDown() override {
        if (sheet) DestroyWindow(sheet);
        Pump();
    }

    CAboutPage about;
    CakBitButton help;
    HWND sheet = nullptr;
};

}  // namespace

TEST_F(AboutSheet, ShowsVersionAndLinks) {
    HWND page = about.GetHwnd();
    ASSERT_NE(page, nullptr);
    char text[128] = {};
    GetDlgItemTextA(page, IDC_ABOUT_VERSION, text, sizeof text);
    EXPECT_STREQ(text, "Keyquell, Version: 1.1.0.10");
    EXPECT_EQ(about.HomePage().GetTarget(), "http://www.velmora-soft.com/");
    EXPECT_EQ(about.Product1().GetTarget(), "http://www.velmora-soft.com/capsquell.shtml");
    EXPECT_EQ(about.Product2().GetTarget(), "http://www.velmora-soft.com/clipwarden.shtml");
    for (int id : {IDC_ABOUT_HOMEPAGE, IDC_ABOUT_PRODUCT1, IDC_ABOUT_PRODUCT2}) {
        HWND link = GetDlgItem(page, id);
        EXPECT_EQ(GetWindowLongA(link, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
        // The hand cursor over a link.
        SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND)) << id;
    }
}

TEST_F(AboutSheet, LinksAreBlueAndDisabledLinksEmbossed) {
    HWND link = GetDlgItem(about.GetHwnd(), IDC_ABOUT_PRODUCT1);
    const Pixels enabled = Capture(link);
    EXPECT_GT(enabled.blue, 20);
    // The text (and its underline) starts where the base lays text out, 8 pixels in, plus
    // the 2 pixels between focus rectangle and text.
    EXPECT_EQ(enabled.firstBlueX, 10);
    EnableWindow(link, FALSE);
    const Pixels disabled = Capture(link);
    EXPECT_EQ(disabled.blue, 0);
    EXPECT_GT(disabled.shadow, 20);
    EnableWindow(link, TRUE);
    EXPECT_EQ(Capture(link).sum, enabled.sum);
}

TEST_F(AboutSheet, DescriptionsStartWithTheirLinksTextAndUnderlinesEndWithTheLetters) {
    HWND page = about.GetHwnd();
    for (auto ids : {std::pair<int, int>{IDC_ABOUT_PRODUCT1, IDC_ABOUT_PRODUCT1_TEXT},
                     std::pair<int, int>{IDC_ABOUT_PRODUCT2, IDC_ABOUT_PRODUCT2_TEXT}}) {
        SCOPED_TRACE(ids.first);
        HWND link = GetDlgItem(page, ids.first);
        HWND text = GetDlgItem(page, ids.second);
        ASSERT_NE(text, nullptr);
        RECT l{}, t{};
        GetWindowRect(link, &l);
        GetWindowRect(text, &t);
        const Pixels p = Capture(link);
        EXPECT_EQ(t.left, l.left + p.firstBlueX) << "the description does not start under the link's text";
        // The maker's link starts with the version line above it.
        RECT home{}, version{};
        GetWindowRect(GetDlgItem(page, IDC_ABOUT_HOMEPAGE), &home);
        GetWindowRect(GetDlgItem(page, IDC_ABOUT_VERSION), &version);
        EXPECT_EQ(home.left + p.firstBlueX, version.left);

        // The underline is the row with the most blue; it ends where the letters end.
        RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        RECT rc;
        GetClientRect(link, &rc);
        HDC dc = GetDC(link);
        int underlineRow = -1, most = 0;
        std::vector<int> rightmost(rc.bottom, -1);
        // Smoothed letters have few pixels of the pure link colour: count every bluish one.
        const auto bluish = [](COLORREF c) {
            return GetBValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetGValue(c) + 60;
        };
        for (int y = 0; y < rc.bottom; ++y) {
            int count = 0;
            for (int x = 0; x < rc.right; ++x)
                if (bluish(GetPixel(dc, x, y))) {
                    ++count;
                    rightmost[y] = x;
                }
            if (count > most) {
                most = count;
                underlineRow = y;
            }
        }
        int underlineRight = underlineRow >= 0 ? rightmost[underlineRow] : -1, letterRight = -1;
        for (int y = 0; y < rc.bottom; ++y)
            if (y != underlineRow) letterRight = std::max(letterRight, rightmost[y]);
        ReleaseDC(link, dc);
        ASSERT_GT(underlineRow, 0);
        EXPECT_LE(underlineRight, letterRight + 1) << "the underline runs past the last letter";
        EXPECT_GE(underlineRight, letterRight - 1) << "the underline stops short of the last letter";
    }
}

TEST_F(AboutSheet, HelpButtonGoesHotAndBackAndHidesMagenta) {
    HWND button = help.GetHwnd();
    const Pixels normal = Capture(button);
    EXPECT_EQ(normal.magenta, 0) << "the picture's transparent colour shows";
    // A picture is drawn: some dark pixels in the middle.
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    const Pixels hot = Capture(button);
    if (CakTheme::Get().Active()) {
        EXPECT_NE(hot.sum, normal.sum) << "no hot look";
    }
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Capture(button).sum, normal.sum);
}

TEST_F(AboutSheet, ClickingALinkOpensItsPage) {
    const std::string log = ExeFolder() + "\\kqabout_urls.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("E2E_URL_LOG", log.c_str());
    const std::string recorder = "\"" + ExeFolder() + "\\urlrecorder.exe\" \"%1\"";
    {
        ScopedDefaultValue handler(HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command",
                                   recorder);
        // An empty target does nothing.
        about.HomePage().SetTarget("");
        SendMessageA(GetDlgItem(about.GetHwnd(), IDC_ABOUT_HOMEPAGE), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(about.GetHwnd(), IDC_ABOUT_PRODUCT2), BM_CLICK, 0, 0);
        // A click starts its browser before it returns: once every browser this test started
        // has ended, each of them has written its line.
        e2e::WaitUntil([&] { return !e2e::ReadText(log).empty() && !RecorderRunning(); }, 3000);
    }
    EXPECT_EQ(e2e::ReadText(log), "http://www.velmora-soft.com/clipwarden.shtml\n");
}

TEST(HelpSupport, NamesFilesAfterTheProgram) {
    CakHelpSupport help;
    help.SetDefaultFiles();
    EXPECT_EQ(help.Folder(), ExeFolder());
    EXPECT_EQ(help.HtmlHelpPath(), ExeFolder() + "\\kqabout_widgets_test.chm");
    EXPECT_EQ(help.WinHelpPath(), ExeFolder() + "\\kqabout_widgets_test.hlp");
}

TEST(HelpSupport, LoadsTheRegisteredEngineAndAsksForTheTopic) {
    const std::string log = ExeFolder() + "\\kqabout_hh.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("KQ_HH_LOG", log.c_str());
    ScopedDefaultValue control(HKEY_CLASSES_ROOT,
                               "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32",
                               ExeFolder() + "\\kqabout_fakehh.dll");
    CakHelpSupport help;
    help.SetHtmlHelpFile("kqel.chm");
    help.ShowTopic("HOWTOuse.htm");
    help.ShowTopic("intro.htm");
    help.CloseAll();
    EXPECT_EQ(e2e::ReadText(log), ExeFolder() + "\\kqel.chm::/HOWTOuse.htm|0\n" + ExeFolder() +
                                      "\\kqel.chm::/intro.htm|0\n(null)|18\n");
}

TEST(HelpSupport, WithoutAnyEngineHelpDoesNothing) {
    ScopedDefaultValue control(HKEY_CLASSES_ROOT,
                               "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32",
                               ExeFolder() + "\\no-such-engine.ocx");
    CakHelpSupport help;
    help.SetHtmlHelpFile("kqel.chm");
    // hhctrl.ocx by name is the fall-back, and Wine has it.
    EXPECT_NE(help.Engine(), nullptr);
}

namespace {

// What the context help handed to WinHelp.
struct WinHelpCall {
    HWND wnd;
    std::string file;
    UINT command;
    ULONG_PTR data;
};
std::vector<WinHelpCall> g_winHelpCalls;

BOOL WINAPI RecordWinHelp(HWND wnd, LPCSTR file, UINT command, ULONG_PTR data) {
    g_winHelpCalls.push_back({wnd, file ? file : "", command, data});
    return FALSE;  // as WinHelp answers when the file is missing
}

}  // namespace

TEST(HelpSupport, ContextHelpGoesToWinHelpWithItsFileAndToTheEnginesPopupsWithout) {
    const std::string log = ExeFolder() + "\\kqabout_ctx_hh.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("KQ_HH_LOG", log.c_str());
    ScopedDefaultValue engine(HKEY_CLASSES_ROOT,
                              "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32",
                              ExeFolder() + "\\kqabout_fakehh.dll");
    g_winHelpCalls.clear();
    CakHelpSupport help;
    help.SetWinHelp(RecordWinHelp);
    help.SetHtmlHelpFile("kqel.chm");
    help.SetWinHelpFile("kqabout_ctx.hlp");
    const std::string hlp = ExeFolder() + "\\kqabout_ctx.hlp";
    DeleteFileA(hlp.c_str());
    HWND page = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND control = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 5, 5, page, reinterpret_cast<HMENU>(1002),
                                   nullptr, nullptr);
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = control;
    const DWORD ids[] = {1000, 0x806603E8, 1002, 0x806603EA, 0, 0};

    // No WinHelp file: the engine's pop-ups, from the text file in the compiled help.
    help.ContextHelp(&info, ids);
    help.ContextMenuHelp(page, ids);
    EXPECT_TRUE(g_winHelpCalls.empty());
    const std::string popups = ExeFolder() + "\\kqel.chm::/cshelp.txt";
    EXPECT_EQ(help.PopupTextsPath(), popups);
    EXPECT_EQ(e2e::ReadText(log), popups + "|17|1002|1000=806603E8,1002=806603EA,\n" + popups +
                                      "|16|0|1000=806603E8,1002=806603EA,\n");

    // With a WinHelp file beside the program, WinHelp answers the same two requests.
    DeleteFileA(log.c_str());
    ASSERT_TRUE(e2e::WriteBytes(hlp, "?_"));
    EXPECT_FALSE(help.ContextHelp(&info, ids));
    EXPECT_FALSE(help.ContextMenuHelp(page, ids));
    DeleteFileA(hlp.c_str());
    ASSERT_EQ(g_winHelpCalls.size(), 2u);
    EXPECT_EQ(g_winHelpCalls[0].wnd, control);
    EXPECT_EQ(g_winHelpCalls[0].file, hlp);
    EXPECT_EQ(g_winHelpCalls[0].command, static_cast<UINT>(HELP_WM_HELP));
    EXPECT_EQ(g_winHelpCalls[0].data, reinterpret_cast<ULONG_PTR>(ids));
    EXPECT_EQ(g_winHelpCalls[1].wnd, page);
    EXPECT_EQ(g_winHelpCalls[1].command, static_cast<UINT>(HELP_CONTEXTMENU));
    EXPECT_EQ(e2e::ReadText(log), "");
    DestroyWindow(page);
}

TEST(HelpSupport, RealViewerOpensOurHelpFile) {
    CakHelpSupport help;
    help.SetHtmlHelpFile("kqel.chm");
    ASSERT_EQ(GetFileAttributesA(help.HtmlHelpPath().c_str()) == INVALID_FILE_ATTRIBUTES, false)
        << help.HtmlHelpPath();
    HWND viewer = help.ShowTopic("intro.htm");
    Pump();
    ASSERT_NE(viewer, nullptr);
    char title[128] = {};
    GetWindowTextA(viewer, title, sizeof title);
    EXPECT_STREQ(title, "Keyquell Help");
    help.CloseAll();
    Pump();
    EXPECT_FALSE(IsWindow(viewer));
}
