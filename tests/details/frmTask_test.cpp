// The real System Details window in this process, over a fake program link.
#include <gtest/gtest.h>

#include <string>

#include "monitor/details/frmTask.h"
#include "tests/support/e2e.h"

using details::TfrmTask;

namespace {

struct FakeLink : details::ProgramLink {
    int cpu = 37, ram = 40, swap = 12;
    bool terminating = false;
    int trims = 0, options = 0, help = 0, about = 0;
    int CPU1() const override { return cpu; }
    int RAM() const override { return ram; }
    int Swap() const override { return swap; }
    std::string DownloadCaption() const override { return "Download: 2.7 KB/s"; }
    std::string UploadCaption() const override { return "Upload: 0.1 KB/s"; }
    bool Terminating() const override { return terminating; }
    void TrimWorkingSet() override { ++trims; }
    void ProgramOptions() override { ++options; }
    void HelpContents() override { ++help; }
    void About() override { ++about; }
};

std::string MenuText(HMENU m, int pos) {
    char text[128] = "";
    GetMenuStringA(m, pos, text, sizeof text, MF_BYPOSITION);
    return text;
}

// Runs a command of the menu bar as a click on it would.
void ChooseMenu(TfrmTask& f, int menu, int item) {
    HMENU sub = GetSubMenu(GetMenu(f.Handle()), menu);
    SendMessageA(f.Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(sub, item), 0), 0);
}

bool Topmost(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

struct Window : ::testing::Test {
    FakeLink link;
    TfrmTask frm{link};
    void SetUp() override { frm.FormCreate(); }
    void Show() {
        frm.SetVisible(true);
        e2e::PumpUntil([&] { return IsWindowVisible(frm.Handle()) != FALSE; }, 3000);
    }
};

}  // namespace

TEST_F(Window, FrameMenuAndPlace) {
    HWND w = frm.Handle();
    char cls[64], caption[128];
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ("TfrmTask", cls);
    EXPECT_STREQ("Corvane Statwell - System Details", caption);
    EXPECT_FALSE(IsWindowVisible(w));  // created hidden
    // Its own taskbar button: no tool window, owned by nobody but the desktop.
    const HWND owner = GetWindow(w, GW_OWNER);
    EXPECT_TRUE(owner == nullptr || owner == GetDesktopWindow());
    EXPECT_EQ(0, GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(Topmost(w));

    Show();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(448, r.right - r.left);
    EXPECT_EQ(448, r.bottom - r.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 448) / 2, r.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 448) / 2, r.top);
    // Never smaller than 448 x 448.
    SetWindowPos(w, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(w, &r);
    EXPECT_EQ(448, r.right - r.left);
    EXPECT_EQ(448, r.bottom - r.top);
    SetWindowPos(w, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(5, frm.pnlSneaky.Left());
    EXPECT_EQ(frm.ClientWidth() - 10, frm.pnlSneaky.Width());

    // The menu bar: Options (Always On Top checked, separator, Program Options), Help.
    HMENU bar = GetMenu(w);
    ASSERT_TRUE(bar);
    ASSERT_EQ(2, GetMenuItemCount(bar));
    EXPECT_EQ("Options", MenuText(bar, 0));
    EXPECT_EQ("Help", MenuText(bar, 1));
    HMENU options = GetSubMenu(bar, 0), help = GetSubMenu(bar, 1);
    EXPECT_EQ("Always On Top", MenuText(options, 0));
    EXPECT_EQ(MF_SEPARATOR, GetMenuState(options, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ("Program Options", MenuText(options, 2));
    EXPECT_TRUE(GetMenuState(options, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ("Contents", MenuText(help, 0));
    EXPECT_EQ("About", MenuText(help, 2));

    // Always On Top off keeps the place and size, and the check follows.
    GetWindowRect(w, &r);
    ChooseMenu(frm, 0, 0);
    EXPECT_FALSE(Topmost(w));
    EXPECT_FALSE(GetMenuState(GetSubMenu(GetMenu(w), 0), 0, MF_BYPOSITION) & MF_CHECKED);
    RECT after;
    GetWindowRect(w, &after);
    EXPECT_TRUE(EqualRect(&r, &after));
    ChooseMenu(frm, 0, 0);
    EXPECT_TRUE(Topmost(w));

    ChooseMenu(frm, 0, 2);
    ChooseMenu(frm, 1, 0);
    ChooseMenu(frm, 1, 2);
    EXPECT_EQ(1, link.options);
    EXPECT_EQ(1, link.help);
    EXPECT_EQ(1, link.about);

    // Closing only hides the window and trims the working set.
    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(1, link.trims);
    EXPECT_FALSE(frm.ShownNotMinimised());
}

TEST_F(Window, MenuKeyMatchingNothingBringsTheWindowForward) {
    Show();
    // The menu-key rule: an unmatched key posts the private message; it brings the window up.
    const LRESULT r = SendMessageA(frm.Handle(), WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP), 0);
    EXPECT_EQ(0, HIWORD(r));
    MSG m;
    EXPECT_TRUE(PeekMessageA(&m, frm.Handle(), TfrmTask::kBringToFront, TfrmTask::kBringToFront, PM_NOREMOVE));
    e2e::Pump();
}
