// End to end: "Help" and "About" of the real statwell.exe. Help asks the shell to open the
// help page beside the program (a stand-in browser, registered for .htm pages, records what it
// was given) or says the file is missing; About shows its modal window and opens the maker's
// page from its links.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/app/statwell_run.h"
#include "tests/support/e2e.h"

namespace {

using e2e::WaitUntil;

class Commands : public ::testing::Test {
protected:
    std::string Opened() const { return e2e::ReadText(log_); }

    std::string log_ = [] {
        const std::string log = e2e::ExeFolder() + "\\statwell_commands_urls.log";
        DeleteFileA(log.c_str());
        SetEnvironmentVariableA("E2E_URL_LOG", log.c_str());
        return log;
    }();
    std::string recorder_ = "\"" + e2e::ExeFolder() + "\\urlrecorder.exe\" \"%1\"";
    e2e::ScopedDefaultValue htm_{HKEY_LOCAL_MACHINE, "Software\\Classes\\.htm", "StatwellTest.htm"};
    e2e::ScopedDefaultValue page_{HKEY_LOCAL_MACHINE,
                                  "Software\\Classes\\StatwellTest.htm\\shell\\open\\command", recorder_};
    e2e::ScopedDefaultValue http_{HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command",
                                  recorder_};
};

// The shown About window of process `pid`.
HWND AboutWindow(DWORD pid, DWORD ms) {
    e2e::WindowMatch m;
    m.pid = pid;
    m.cls = "TfrmAbout";
    m.visible = true;
    return e2e::WaitForWindow(m, ms);
}

void ClickAt(HWND w, int x, int y) {
    PostMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace

TEST_F(Commands, HelpOpensThePageBesideTheProgramOrSaysItIsMissing) {
    e2e::Statwell app(true);
    ASSERT_NE(app.Gadget(), nullptr);
    ASSERT_TRUE(app.Choose(3));
    // Wine's shell turns the file:// address into the file's path before it starts the
    // browser registered for the page.
    ASSERT_TRUE(WaitUntil([&] { return !Opened().empty(); }, 8000));
    EXPECT_EQ(Opened(), app.Folder() + "help\\help.htm\n");
    EXPECT_EQ(app.Box("Error", 0), nullptr);

    ASSERT_TRUE(MoveFileA((app.Folder() + "help").c_str(), (app.Folder() + "help.off").c_str()));
    ASSERT_TRUE(app.Choose(3));
    const HWND box = app.Box("Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::BoxText(box), "Cannot find Help File");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    EXPECT_EQ(Opened(), app.Folder() + "help\\help.htm\n");  // nothing further was opened
    MoveFileA((app.Folder() + "help.off").c_str(), (app.Folder() + "help").c_str());
}

TEST_F(Commands, AboutIsAModalTopMostWindowWhoseLinksOpenTheMakersPage) {
    e2e::Statwell app;
    ASSERT_NE(app.Gadget(), nullptr);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(app.Choose(2));
        const HWND about = AboutWindow(app.Pid(), 8000);
        ASSERT_NE(about, nullptr);
        char caption[64] = "";
        GetWindowTextA(about, caption, sizeof caption);
        EXPECT_STREQ(caption, "About Corvane Statwell");
        RECT c{}, w{};
        GetClientRect(about, &c);
        GetWindowRect(about, &w);
        EXPECT_EQ(c.right, 308);
        EXPECT_EQ(c.bottom, 325);
        EXPECT_TRUE(GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(GetWindowLongA(about, GWL_STYLE) & WS_THICKFRAME);
        EXPECT_NE(GetWindow(about, GW_OWNER), app.Gadget());
        EXPECT_LE(std::abs((w.left + w.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
        EXPECT_LE(std::abs((w.top + w.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
        // Modal: the gadget takes no input meanwhile.
        EXPECT_FALSE(IsWindowEnabled(app.Gadget()));

        if (round == 0) {
            // Both links open the maker's page; a click beside them opens nothing.
            ClickAt(about, 280, 96 + 80);  // beside the first link
            ClickAt(about, 30, 96 + 80);   // "Corvane Software"
            ClickAt(about, 30, 96 + 98);   // the address
            ASSERT_TRUE(WaitUntil([&] { return Opened().size() >= 2 * 29; }, 8000)) << Opened();
            EXPECT_EQ(Opened(), "http://www.corvane-soft.com/\nhttp://www.corvane-soft.com/\n");
        }

        const HWND ok = FindWindowExA(about, nullptr, "Button", "OK");
        ASSERT_NE(ok, nullptr);
        if (round == 0)
            PostMessageA(ok, BM_CLICK, 0, 0);
        else
            PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 5000));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Gadget()) != FALSE; }, 5000))
            << "round " << round << ", about shown " << IsWindowVisible(about) << ", a menu open "
            << (FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr)))
            << ", gadget answers "
            << SendMessageTimeoutA(app.Gadget(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
    }
}
