// The form layer's real controls in-process: a test form with buttons, check box, radio
// buttons in a group box, a clickable label and windowless panels, driven through the
// controls' own messages and the program's message loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/ui/buttons.h"
#include "monitor/ui/form.h"
#include "monitor/ui/theme.h"
#include "tests/support/ui_driver.h"

namespace {

class TfrmControlsTest : public ui::Form {
public:
    TfrmControlsTest() : ui::Form("TfrmControlsTest") {}

    ui::Panel pnlTop;
    ui::Button btnApply, btnOK, btnCancel;
    ui::CheckBox cbBorder;
    ui::GroupBox gbMode;
    ui::RadioButton rbNever, rbGames, rbAlways;
    ui::Label lblLink;

    std::vector<std::string> log;
    int applyThrows = 0;

    void Build() {
        ui::FormStyle fs;
        fs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        fs.exStyle = WS_EX_CONTROLPARENT;
        CreateHandle(fs, 320, 240, "Controls");
        pnlTop.SetParent(this);
        pnlTop.SetBounds(0, 0, 320, 120);
        btnApply.SetParent(&pnlTop);
        btnApply.SetBounds(10, 10, 75, 23);
        btnApply.SetText("&Apply");
        cbBorder.SetParent(&pnlTop);
        cbBorder.SetBounds(10, 40, 120, 17);
        cbBorder.SetText("Windows &Border");
        gbMode.SetParent(&pnlTop);
        gbMode.SetBounds(150, 5, 160, 100);
        gbMode.SetText("Block");
        for (ui::RadioButton* r : {&rbNever, &rbGames, &rbAlways}) r->SetParent(&gbMode);
        rbNever.SetBounds(0, 0, 140, 17);
        rbNever.SetText("&Never");
        rbGames.SetBounds(0, 20, 140, 17);
        rbGames.SetText("&Games");
        rbAlways.SetBounds(0, 40, 140, 17);
        rbAlways.SetText("Al&ways");
        rbGames.SetChecked(true);
        lblLink.SetParent(this);
        lblLink.SetLeft(10);
        lblLink.SetTop(130);
        lblLink.SetCaption("www.example.test");
        lblLink.SetCursor(LoadCursor(nullptr, IDC_HAND));
        btnOK.SetParent(this);
        btnOK.SetBounds(150, 200, 75, 23);
        btnOK.SetText("OK");
        btnOK.SetDefault(true);
        btnOK.SetModalResult(ui::mrOk);
        btnCancel.SetParent(this);
        btnCancel.SetBounds(235, 200, 75, 23);
        btnCancel.SetText("Cancel");
        btnCancel.SetCancel(true);
        btnCancel.SetModalResult(ui::mrCancel);

        btnApply.OnClick = ui::Bind(this, &TfrmControlsTest::btnApplyClick);
        cbBorder.OnClick = ui::Bind(this, &TfrmControlsTest::cbBorderClick);
        rbAlways.OnClick = ui::Bind(this, &TfrmControlsTest::rbAlwaysClick);
        lblLink.OnClick = ui::Bind(this, &TfrmControlsTest::lblLinkClick);
        lblLink.OnMouseEnter = ui::Bind(this, &TfrmControlsTest::lblLinkMouseEnter);
        lblLink.OnMouseLeave = ui::Bind(this, &TfrmControlsTest::lblLinkMouseLeave);
    }

    void btnApplyClick(ui::Control&) {
        if (applyThrows > 0) {
            --applyThrows;
            throw std::runtime_error("Apply failed");
        }
        log.push_back("apply");
    }
    void cbBorderClick(ui::Control&) { log.push_back(cbBorder.Checked() ? "border on" : "border off"); }
    void rbAlwaysClick(ui::Control&) { log.push_back("always"); }
    void lblLinkClick(ui::Control&) { log.push_back("link"); }
    void lblLinkMouseEnter(ui::Control&) { log.push_back("enter"); }
    void lblLinkMouseLeave(ui::Control&) { log.push_back("leave"); }
};

BOOL CALLBACK CollectId(HWND w, LPARAM lp) {
    if (const int id = GetDlgCtrlID(w)) reinterpret_cast<std::vector<int>*>(lp)->push_back(id);
    return TRUE;
}

struct Controls : ::testing::Test {
    ui::Application application{GetModuleHandleA(nullptr), "Controls test"};
    TfrmControlsTest frm;

    void SetUp() override {
        frm.Build();
        // Away from the real mouse pointer, which stays out of the form.
        SetCursorPos(1010, 750);
        SetWindowPos(frm.Handle(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        frm.SetVisible(true);
        SetForegroundWindow(frm.Handle());
        uitest::Pump();
    }
    RECT ChildRect(HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, frm.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(Controls, ChildWindowsSitWhereTheirControlsAreAndFollowThem) {
    ui::WinControl* const all[] = {&frm.btnApply, &frm.cbBorder, &frm.btnOK};
    for (ui::WinControl* c : all) {
        ASSERT_NE(c->Handle(), nullptr);
        EXPECT_EQ(GetParent(c->Handle()), frm.Handle());
    }
    // The group box carries its radio buttons in its own window; their ids are still their
    // own in the whole form (the dialog keys look the default button up among all windows).
    EXPECT_EQ(GetParent(frm.rbNever.Handle()), frm.gbMode.Handle());
    std::vector<int> ids;
    EnumChildWindows(frm.Handle(), &CollectId, reinterpret_cast<LPARAM>(&ids));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    EXPECT_GE(ids.size(), 7u);
    EXPECT_EQ(GetParent(frm.gbMode.Handle()), frm.Handle());
    char cls[32];
    GetClassNameA(frm.btnApply.Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "Button");
    EXPECT_EQ(uitest::Text(frm.cbBorder.Handle()), "Windows &Border");
    // A radio button inside the group box: the box's bounds plus its client offset.
    const ui::Rect cr = frm.gbMode.ClientRect();
    RECT r = ChildRect(frm.rbGames.Handle());
    EXPECT_EQ(r.left, 150 + cr.left);
    EXPECT_EQ(r.top, 5 + cr.top + 20);
    EXPECT_EQ(frm.rbGames.HostRect().left, cr.left);
    EXPECT_EQ(r.right - r.left, 140);
    // Moving the windowless panel moves every window inside it.
    frm.pnlTop.SetTop(30);
    r = ChildRect(frm.btnApply.Handle());
    EXPECT_EQ(r.top, 40);
    r = ChildRect(frm.rbGames.Handle());
    EXPECT_EQ(r.top, 35 + cr.top + 20);
    // Hiding it hides them; showing it brings back those that are visible themselves.
    frm.rbAlways.Hide();
    frm.pnlTop.Hide();
    EXPECT_FALSE(IsWindowVisible(frm.btnApply.Handle()));
    EXPECT_FALSE(IsWindowVisible(frm.rbGames.Handle()));
    frm.pnlTop.Show();
    EXPECT_TRUE(IsWindowVisible(frm.btnApply.Handle()));
    EXPECT_TRUE(IsWindowVisible(frm.rbGames.Handle()));
    EXPECT_FALSE(IsWindowVisible(frm.rbAlways.Handle()));
    // A control placed after the window exists gets its window at once, last in tab order.
    ui::Button late;
    late.SetParent(&frm);
    late.SetBounds(10, 200, 60, 20);
    ASSERT_NE(late.Handle(), nullptr);
    EXPECT_EQ(GetWindow(frm.Handle(), GW_CHILD) != late.Handle(), true);
    EXPECT_EQ(GetNextWindow(frm.btnCancel.Handle(), GW_HWNDNEXT), late.Handle());
    late.SetParent(nullptr);
    EXPECT_EQ(late.Handle(), nullptr);
}

TEST_F(Controls, NotificationsReachMemberHandlers) {
    uitest::Click(frm.btnApply.Handle());
    uitest::Click(frm.cbBorder.Handle());
    uitest::Click(frm.cbBorder.Handle());
    uitest::Click(frm.rbAlways.Handle());
    EXPECT_EQ(frm.log, (std::vector<std::string>{"apply", "border on", "border off", "always"}));
    // The radio group is the three buttons of the box: the old choice is cleared.
    EXPECT_TRUE(frm.rbAlways.Checked());
    EXPECT_FALSE(frm.rbGames.Checked());
    // A change by the program is no click.
    frm.log.clear();
    frm.cbBorder.SetChecked(true);
    frm.rbNever.SetChecked(true);
    EXPECT_TRUE(frm.cbBorder.Checked());
    EXPECT_FALSE(frm.rbAlways.Checked());
    EXPECT_TRUE(frm.log.empty());
    // A disabled button takes no click.
    frm.btnApply.SetEnabled(false);
    uitest::Click(frm.btnApply.Handle());
    EXPECT_TRUE(frm.log.empty());
}

TEST_F(Controls, AFailingHandlerShowsOneErrorBoxAndTheNextClickWorks) {
    uitest::ErrorBoxWatcher boxes;
    frm.applyThrows = 1;
    uitest::Click(frm.btnApply.Handle());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Apply failed"});
    uitest::Click(frm.btnApply.Handle());
    uitest::RoundTrip(frm.Handle());
    EXPECT_EQ(frm.log, std::vector<std::string>{"apply"});
    EXPECT_EQ(boxes.Texts().size(), 1u);
}

TEST_F(Controls, TabShiftTabAndAltLetterMoveTheFocus) {
    frm.btnApply.SetFocus();
    uitest::PressKey(VK_TAB);
    EXPECT_TRUE(frm.cbBorder.Focused());
    // The radio group is one stop: its checked button.
    uitest::PressKey(VK_TAB);
    EXPECT_TRUE(frm.rbGames.Focused());
    uitest::PressKey(VK_TAB);
    EXPECT_TRUE(frm.btnOK.Focused());
    uitest::PressKey(VK_TAB, true);
    EXPECT_TRUE(frm.rbGames.Focused());
    uitest::PressKey(VK_TAB, true);
    EXPECT_TRUE(frm.cbBorder.Focused());
    // Alt+B flips the check box; Alt+W picks "Always".
    uitest::PressAltLetter('b');
    EXPECT_TRUE(frm.cbBorder.Checked());
    uitest::PressAltLetter('w');
    EXPECT_TRUE(frm.rbAlways.Focused());
    EXPECT_TRUE(frm.rbAlways.Checked());
    EXPECT_EQ(frm.log, (std::vector<std::string>{"border on", "always"}));
}

TEST_F(Controls, LabelsTakeClicksHoverAndCursor) {
    const ui::Rect r = frm.lblLink.HostRect();
    uitest::ClickAt(frm.Handle(), r.left + 2, r.top + 2);
    PostMessageA(frm.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 180));
    uitest::RoundTrip(frm.Handle());
    EXPECT_EQ(frm.log, (std::vector<std::string>{"enter", "link", "leave"}));
    // Pressed on the label, let go elsewhere: no click.
    frm.log.clear();
    PostMessageA(frm.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
    PostMessageA(frm.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 180));
    uitest::RoundTrip(frm.Handle());
    EXPECT_EQ(std::count(frm.log.begin(), frm.log.end(), "link"), 0);
    // A quick second click arrives as a double click: it is a click all the same, and a right
    // double click a second right press.
    frm.log.clear();
    int rightPresses = 0;
    frm.lblLink.OnMouseDown = [&](ui::Control&, ui::MouseButton b, int, int) {
        if (b == ui::MouseButton::Right) ++rightPresses;
    };
    const LPARAM at = MAKELPARAM(r.left + 2, r.top + 2);
    PostMessageA(frm.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(frm.Handle(), WM_LBUTTONUP, 0, at);
    PostMessageA(frm.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(frm.Handle(), WM_LBUTTONUP, 0, at);
    PostMessageA(frm.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(frm.Handle(), WM_RBUTTONDBLCLK, MK_RBUTTON, at);
    uitest::RoundTrip(frm.Handle());
    EXPECT_EQ(std::count(frm.log.begin(), frm.log.end(), "link"), 2);
    EXPECT_EQ(rightPresses, 2);
    // The hand over the label, the class cursor elsewhere.
    POINT p{r.left + 2, r.top + 2};
    ClientToScreen(frm.Handle(), &p);
    SetCursorPos(p.x, p.y);
    // Wine moves the pointer through the X server: wait until the system reports it there.
    ASSERT_TRUE(uitest::PumpUntil([&] {
        POINT now;
        return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
    }));
    SetCursor(nullptr);
    SendMessageA(frm.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(frm.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    SetCursorPos(1010, 750);
}

TEST_F(Controls, TheFocusGoesToAControlOnShowAndComesBackToItsOwn) {
    // Shown and activated: the first tab stop.
    EXPECT_TRUE(frm.btnApply.Focused());
    ui::Form other("TfrmOther");
    other.CreateHandle({WS_OVERLAPPEDWINDOW, 0, nullptr}, 100, 100);
    frm.cbBorder.SetFocus();
    other.SetVisible(true);
    SetForegroundWindow(other.Handle());
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetForegroundWindow() == other.Handle(); }));
    EXPECT_FALSE(frm.cbBorder.Focused());
    SetForegroundWindow(frm.Handle());
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetForegroundWindow() == frm.Handle(); }));
    EXPECT_TRUE(frm.cbBorder.Focused());
    // A control gone out of sight meanwhile: the first tab stop instead.
    SetForegroundWindow(other.Handle());
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetForegroundWindow() == other.Handle(); }));
    frm.cbBorder.Hide();
    SetForegroundWindow(frm.Handle());
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetForegroundWindow() == frm.Handle(); }));
    EXPECT_TRUE(frm.btnApply.Focused());
}

TEST_F(Controls, EnterPressesTheFocusedPushButtonElseTheDefaultOne) {
    frm.btnOK.OnClick = [&](ui::Control&) { frm.log.push_back("ok"); };
    auto heavy = [](const ui::Button& b) {
        return (GetWindowLongA(b.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    };
    // The first tab stop, focused on activation, is a push button: it has the heavy border.
    ASSERT_TRUE(frm.btnApply.Focused());
    EXPECT_FALSE(heavy(frm.btnOK));
    frm.cbBorder.SetFocus();
    EXPECT_TRUE(heavy(frm.btnOK));
    EXPECT_FALSE(heavy(frm.btnApply));
    // The focused push button takes over the heavy border and Enter.
    frm.btnApply.SetFocus();
    EXPECT_TRUE(heavy(frm.btnApply));
    EXPECT_FALSE(heavy(frm.btnOK));
    uitest::PressKey(VK_RETURN);
    frm.btnCancel.SetFocus();
    EXPECT_FALSE(heavy(frm.btnApply));
    EXPECT_TRUE(heavy(frm.btnCancel));
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(frm.log, (std::vector<std::string>{"apply"}));
    EXPECT_EQ(frm.GetModalResult(), ui::mrCancel);
    // Anywhere else the default button has them back.
    frm.cbBorder.SetFocus();
    EXPECT_FALSE(heavy(frm.btnCancel));
    EXPECT_TRUE(heavy(frm.btnOK));
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(frm.log, (std::vector<std::string>{"apply", "ok"}));
}

TEST_F(Controls, GroupBoxFrameIsEtchedWithoutAVisualStyleAndThemedWithOne) {
    const int w = frm.gbMode.Width(), h = frm.gbMode.Height();
    ui::MemoryDc dc(CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    ui::Bitmap bmp(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bmp);
    ui::Selected sel(dc.get(), bmp.get());
    const COLORREF face = RGB(1, 2, 3);
    auto clear = [&] {
        ui::Brush b(CreateSolidBrush(face));
        RECT all{0, 0, w, h};
        FillRect(dc.get(), &all, b.get());
    };
    // Classic: a shadow line with a light one inside it, light outside at the bottom right.
    clear();
    ui::DrawClassicGroupFrame(dc.get(), {0, 10, w, h});
    GdiFlush();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(GetPixel(dc.get(), 0, 30), shadow);
    EXPECT_EQ(GetPixel(dc.get(), 1, 30), light);
    EXPECT_EQ(GetPixel(dc.get(), 20, 10), shadow);
    EXPECT_EQ(GetPixel(dc.get(), 20, 11), light);
    EXPECT_EQ(GetPixel(dc.get(), w / 2, h - 2), shadow);
    EXPECT_EQ(GetPixel(dc.get(), w / 2, h - 1), light);
    EXPECT_EQ(GetPixel(dc.get(), w - 2, 30), shadow);
    EXPECT_EQ(GetPixel(dc.get(), w - 1, 30), light);
    EXPECT_EQ(GetPixel(dc.get(), w / 2, 30), face);
    EXPECT_EQ(GetPixel(dc.get(), 20, 9), face);

    // The box itself, in whatever style this desktop has: a frame on the left edge and the
    // caption cutting the top line, its text another colour while the box is disabled.
    auto paint = [&] {
        clear();
        frm.gbMode.PaintSelf(dc.get(), {0, 0, w, h});
        GdiFlush();
    };
    auto caption = [&] {
        std::vector<COLORREF> px;
        for (int y = 0; y < 16; ++y)
            for (int x = 8; x < 48; ++x) px.push_back(GetPixel(dc.get(), x, y));
        return px;
    };
    paint();
    const int line = ui::MeasureText(frm.gbMode.GetFont(), "Ag", 2).cy / 2;
    const COLORREF back = GetPixel(dc.get(), w / 2, h / 2);
    EXPECT_NE(GetPixel(dc.get(), 0, h / 2), back);
    EXPECT_NE(GetPixel(dc.get(), w - 12, line), back);
    EXPECT_EQ(GetPixel(dc.get(), 7, line), back);
    const std::vector<COLORREF> enabled = caption();
    EXPECT_NE(std::count(enabled.begin(), enabled.end(), back), static_cast<long>(enabled.size()));
    EnableWindow(frm.gbMode.Handle(), FALSE);
    paint();
    EXPECT_NE(caption(), enabled);
    EnableWindow(frm.gbMode.Handle(), TRUE);
}

TEST_F(Controls, ShowModalEndsWithTheButtonsResultAndDisablesTheOthers) {
    ui::Form other("TfrmOther");
    other.CreateHandle({WS_OVERLAPPEDWINDOW, 0, nullptr}, 100, 100);
    other.SetVisible(true);
    frm.SetVisible(false);
    bool otherDisabled = false;
    frm.btnApply.OnClick = [&](ui::Control&) {
        otherDisabled = !IsWindowEnabled(other.Handle());
        frm.btnOK.Click();
    };
    PostMessageA(frm.btnApply.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(frm.ShowModal(), ui::mrOk);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
    EXPECT_FALSE(IsWindowVisible(frm.Handle()));
    // Escape presses Cancel, Enter the default button; the close box ends it as Cancel.
    frm.btnApply.OnClick = nullptr;
    const UINT scanEsc = MapVirtualKeyA(VK_ESCAPE, 0), scanRet = MapVirtualKeyA(VK_RETURN, 0);
    PostMessageA(frm.cbBorder.Handle(), WM_KEYDOWN, VK_ESCAPE, 1 | (scanEsc << 16));
    PostMessageA(frm.btnOK.Handle(), BM_CLICK, 0, 0);  // ends it as OK should Escape fail
    EXPECT_EQ(frm.ShowModal(), ui::mrCancel);
    uitest::Pump();
    // (The default button's id is its own in the whole form: the dialog keys find it by id
    // among the windows of every group box and page.)
    PostMessageA(frm.cbBorder.Handle(), WM_KEYDOWN, VK_RETURN, 1 | (scanRet << 16));
    PostMessageA(frm.btnCancel.Handle(), BM_CLICK, 0, 0);  // ends it as Cancel should Enter fail
    EXPECT_EQ(frm.ShowModal(), ui::mrOk);
    uitest::Pump();
    EXPECT_FALSE(frm.rbAlways.Checked());
    frm.btnCancel.SetModalResult(ui::mrNone);
    PostMessageA(frm.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(frm.ShowModal(), ui::mrCancel);
    EXPECT_TRUE(IsWindow(frm.Handle()));
}

TEST_F(Controls, ShortcutsComeBeforeTheFocusedControlAndMinimumSizeHolds) {
    int refreshed = 0;
    frm.OnShortCut = [&](const MSG& m) {
        if (m.message == WM_KEYDOWN && m.wParam == VK_F5) return ++refreshed, true;
        return false;
    };
    frm.btnApply.SetFocus();
    uitest::PressKey(VK_F5);
    uitest::PressKey(VK_SPACE);
    EXPECT_EQ(refreshed, 1);
    frm.SetMinSize(300, 200);
    SetWindowPos(frm.Handle(), nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(frm.Handle(), &r);
    EXPECT_GE(r.right - r.left, 300);
    EXPECT_GE(r.bottom - r.top, 200);
}

}  // namespace
