// Page control, list view, status bar, splitter and bevel on a test form in-process, driven
// through the controls' own messages (tab and header clicks, item states, drags).
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "monitor/ui/buttons.h"
#include "monitor/ui/form.h"
#include "monitor/ui/listview.h"
#include "monitor/ui/menu.h"
#include "monitor/ui/pagecontrol.h"
#include "monitor/ui/splitter.h"
#include "monitor/ui/statusbar.h"
#include "tests/support/ui_driver.h"

#ifndef HDF_SORTUP
#define HDF_SORTUP 0x0400
#define HDF_SORTDOWN 0x0200
#endif

namespace {

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

class TfrmPagesTest : public ui::Form {
public:
    TfrmPagesTest() : ui::Form("TfrmPagesTest") {}

    ui::Bevel Bevel1;
    ui::PageControl pgMain;
    ui::TabSheet tsProcesses, tsGeneral;
    ui::ListView lvProcesses, lvThreads;
    ui::Splitter Splitter3;
    ui::StatusBar sbBar;
    ui::Button btnRefresh;
    ui::PopupMenu mnProcesses;

    std::vector<std::string> log;

    void Build() {
        ui::FormStyle fs;
        fs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        CreateHandle(fs, 440, 400, "Pages");
        Bevel1.SetParent(this);
        Bevel1.SetAlign(ui::Align::Top);
        Bevel1.SetHeight(9);
        Bevel1.SetShape(ui::Bevel::Shape::TopLine);
        sbBar.SetParent(this);
        sbBar.SetPanels({120, 96, 280, 50});
        pgMain.SetParent(this);
        pgMain.SetAlign(ui::Align::Client);
        tsProcesses.SetCaption("Processes");
        tsGeneral.SetCaption("General");
        pgMain.AddPage(tsProcesses);
        pgMain.AddPage(tsGeneral);
        lvThreads.SetParent(&tsProcesses);
        lvThreads.SetAlign(ui::Align::Right);
        lvThreads.SetWidth(85);
        Splitter3.SetParent(&tsProcesses);
        Splitter3.SetAlign(ui::Align::Right);
        lvProcesses.SetParent(&tsProcesses);
        lvProcesses.SetAlign(ui::Align::Client);
        lvProcesses.AddColumn("Process", 110);
        lvProcesses.AddColumn("PID", 65, LVCFMT_RIGHT);
        lvProcesses.AddColumn("Threads", ui::ListView::kAutoSize);
        lvProcesses.SetFullRowSelect(true);
        lvProcesses.SetDoubleBuffered(true);
        lvProcesses.SetPopupMenu(&mnProcesses);
        lvThreads.AddColumn("Thread", ui::ListView::kAutoSize);
        btnRefresh.SetParent(&tsGeneral);
        btnRefresh.SetBounds(10, 10, 75, 23);
        btnRefresh.SetText("Refresh");

        pgMain.OnChange = ui::Bind(this, &TfrmPagesTest::pgMainChange);
        lvProcesses.OnSelectItem = ui::Bind(this, &TfrmPagesTest::lvProcessesSelectItem);
        lvProcesses.OnColumnClick = ui::Bind(this, &TfrmPagesTest::lvProcessesColumnClick);
        lvProcesses.OnDblClick = ui::Bind(this, &TfrmPagesTest::lvProcessesDblClick);
        Splitter3.OnMoved = ui::Bind(this, &TfrmPagesTest::Splitter3Moved);
        mnProcesses.OnPopup = [this] {
            log.push_back("popup");
            // Closes the menu from inside its own loop.
            SetTimer(nullptr, 0, 10, &CloseMenu);
        };
    }

    void pgMainChange(ui::Control&) { log.push_back("page " + std::to_string(pgMain.ActivePageIndex())); }
    void lvProcessesSelectItem(ui::ListView& lv, int row, bool selected) {
        log.push_back((selected ? "select " : "unselect ") + lv.Caption(row));
    }
    void lvProcessesColumnClick(ui::ListView&, int column) {
        log.push_back("column " + std::to_string(column));
    }
    void lvProcessesDblClick(ui::Control&) { log.push_back("dblclick"); }
    void Splitter3Moved(ui::Control&) { log.push_back("moved"); }

    void AddProcesses() {
        const struct {
            const char* name;
            int pid;
            const char* threads;
            const char* path;
        } rows[] = {
            {"svchost.exe", 912, "12", "C:\\Windows\\System32\\svchost.exe"},
            {"explorer.exe", 1200, "31", "C:\\Windows\\explorer.exe"},
            {"System", 4, "98", ""},
            {"winlogon.exe", 88, "3", "C:\\Windows\\System32\\winlogon.exe"},
        };
        lvProcesses.BeginUpdate();
        for (const auto& r : rows) {
            const int i = lvProcesses.AddItem(r.name, r.pid);
            lvProcesses.SetSubItem(i, 0, std::to_string(r.pid).c_str());
            lvProcesses.SetSubItem(i, 1, r.threads);
            lvProcesses.SetSubItem(i, 3, r.path);  // hidden: no column
            lvProcesses.SetSubItemData(i, 1, std::stoi(r.threads));
        }
        lvProcesses.EndUpdate();
    }
};

std::string ItemText(HWND lv, int row, int sub) {
    char buf[256] = "";
    LVITEMA it{};
    it.iSubItem = sub;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(lv, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    return buf;
}

std::vector<std::string> Column(HWND lv, int sub) {
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) out.push_back(ItemText(lv, i, sub));
    return out;
}

struct Pages : ::testing::Test {
    ui::Application application{GetModuleHandleA(nullptr), "Pages test"};
    TfrmPagesTest frm;

    void SetUp() override {
        SetCursorPos(1010, 750);
        frm.Build();
        SetWindowPos(frm.Handle(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        frm.SetVisible(true);
        SetForegroundWindow(frm.Handle());
        uitest::Pump();
    }
    void ClickTab(int tab) {
        RECT r;
        SendMessageA(frm.pgMain.Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab),
                     reinterpret_cast<LPARAM>(&r));
        uitest::ClickAt(frm.pgMain.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void ClickHeader(int column) {
        const HWND header =
            reinterpret_cast<HWND>(SendMessageA(frm.lvProcesses.Handle(), LVM_GETHEADER, 0, 0));
        RECT r;
        SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
        uitest::ClickAt(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    int HeaderFormat(int column) {
        const HWND header =
            reinterpret_cast<HWND>(SendMessageA(frm.lvProcesses.Handle(), LVM_GETHEADER, 0, 0));
        HDITEMA hd{};
        hd.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&hd));
        return hd.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    }
};

TEST_F(Pages, OnlyTheActiveSheetShowsAndTabClicksSwitch) {
    const HWND tab = frm.pgMain.Handle();
    ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    char text[32] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "General");
    // The sheets live in the tab control, over its display area.
    EXPECT_EQ(GetParent(frm.tsProcesses.Handle()), tab);
    EXPECT_EQ(GetParent(frm.lvProcesses.Handle()), frm.tsProcesses.Handle());
    RECT display{0, 0, frm.pgMain.Width(), frm.pgMain.Height()};
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    RECT sheet;
    GetWindowRect(frm.tsProcesses.Handle(), &sheet);
    MapWindowPoints(nullptr, tab, reinterpret_cast<POINT*>(&sheet), 2);
    EXPECT_EQ(sheet.left, display.left);
    EXPECT_EQ(sheet.top, display.top);
    EXPECT_EQ(sheet.right, display.right);
    EXPECT_TRUE(IsWindowVisible(frm.lvProcesses.Handle()));
    EXPECT_FALSE(IsWindowVisible(frm.btnRefresh.Handle()));

    ClickTab(1);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsGeneral);
    EXPECT_EQ(frm.log, std::vector<std::string>{"page 1"});
    EXPECT_FALSE(IsWindowVisible(frm.tsProcesses.Handle()));
    EXPECT_FALSE(IsWindowVisible(frm.lvProcesses.Handle()));
    EXPECT_TRUE(IsWindowVisible(frm.btnRefresh.Handle()));
    // Tab from the tabs goes into the shown sheet.
    SetFocus(tab);
    uitest::PressKey(VK_TAB);
    EXPECT_TRUE(frm.btnRefresh.Focused());

    // A page without its tab: the other page takes over; by the program, no OnChange.
    frm.tsGeneral.SetTabVisible(false);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsProcesses);
    EXPECT_TRUE(IsWindowVisible(frm.lvProcesses.Handle()));
    EXPECT_FALSE(IsWindowVisible(frm.btnRefresh.Handle()));
    frm.pgMain.SetActivePage(&frm.tsGeneral);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsProcesses);
    frm.tsGeneral.SetTabVisible(true);
    frm.pgMain.SetActivePageIndex(1);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(frm.log, std::vector<std::string>{"page 1"});
}

TEST_F(Pages, CtrlTabAndCtrlPageKeysSwitchPagesFromAnywhereInTheForm) {
    const HWND tab = frm.pgMain.Handle();
    // From a list inside the page: the next page, its first control takes the focus.
    frm.lvProcesses.SetFocus();
    uitest::PressKey(VK_TAB, false, true);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsGeneral);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(frm.btnRefresh.Focused());
    EXPECT_FALSE(IsWindowVisible(frm.lvProcesses.Handle()));
    // Round the end, both ways; Ctrl+Shift+Tab goes back.
    uitest::PressKey(VK_TAB, false, true);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsProcesses);
    EXPECT_TRUE(frm.lvThreads.Focused());  // first in the page's tab order
    uitest::PressKey(VK_TAB, true, true);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsGeneral);
    uitest::PressKey(VK_PRIOR, false, true);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsProcesses);
    uitest::PressKey(VK_NEXT, false, true);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsGeneral);
    EXPECT_EQ(frm.log, (std::vector<std::string>{"page 1", "page 0", "page 1", "page 0", "page 1"}));
    // With the focus on the tabs it stays there; PageDown alone is no page key.
    SetFocus(tab);
    uitest::PressKey(VK_NEXT, false, true);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsProcesses);
    EXPECT_EQ(GetFocus(), tab);
    uitest::PressKey(VK_NEXT);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsProcesses);
    // A page without a tab is never reached: with one tab left the keys do nothing.
    frm.log.clear();
    frm.tsGeneral.SetTabVisible(false);
    frm.lvProcesses.SetFocus();
    uitest::PressKey(VK_TAB, false, true);
    EXPECT_EQ(frm.pgMain.ActivePage(), &frm.tsProcesses);
    EXPECT_TRUE(frm.log.empty());
}

TEST_F(Pages, TabGoesFromTheTabsIntoTheShownPageAndShiftTabBack) {
    // A button after the page control in tab order, as a dialog's OK button is.
    ui::Button btnClose;
    btnClose.SetParent(&frm);
    btnClose.SetBounds(10, 300, 75, 23);
    const HWND tab = frm.pgMain.Handle();
    SetFocus(tab);
    uitest::PressKey(VK_TAB);
    EXPECT_TRUE(frm.lvThreads.Focused());
    uitest::PressKey(VK_TAB);
    EXPECT_TRUE(frm.lvProcesses.Focused());
    uitest::PressKey(VK_TAB);
    EXPECT_TRUE(btnClose.Focused());
    // Back: into the page from its end, then from its first control to the tabs.
    uitest::PressKey(VK_TAB, true);
    EXPECT_TRUE(frm.lvProcesses.Focused());
    uitest::PressKey(VK_TAB, true);
    EXPECT_TRUE(frm.lvThreads.Focused());
    uitest::PressKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), tab);
    // The other page the same way.
    frm.pgMain.SetActivePage(&frm.tsGeneral);
    uitest::PressKey(VK_TAB);
    EXPECT_TRUE(frm.btnRefresh.Focused());
    uitest::PressKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), tab);
}

TEST_F(Pages, ListRowsColumnsSortingAndEvents) {
    frm.AddProcesses();
    const HWND lv = frm.lvProcesses.Handle();
    EXPECT_EQ(Column(lv, 0),
              (std::vector<std::string>{"svchost.exe", "explorer.exe", "System", "winlogon.exe"}));
    EXPECT_EQ(ItemText(lv, 1, 1), "1200");
    // Hidden sub-items and objects stay with their row through every sort.
    EXPECT_EQ(frm.lvProcesses.SubItem(1, 3), "C:\\Windows\\explorer.exe");
    // The auto-size column takes the rest of the width.
    RECT cr;
    GetClientRect(lv, &cr);
    EXPECT_EQ(SendMessageA(lv, LVM_GETCOLUMNWIDTH, 2, 0), cr.right - 110 - 65);

    ClickHeader(1);  // PID, ascending, as numbers
    EXPECT_EQ(Column(lv, 1), (std::vector<std::string>{"4", "88", "912", "1200"}));
    EXPECT_EQ(HeaderFormat(1), HDF_SORTUP);
    EXPECT_EQ(HeaderFormat(0), 0);
    ClickHeader(1);
    EXPECT_EQ(Column(lv, 1), (std::vector<std::string>{"1200", "912", "88", "4"}));
    EXPECT_EQ(HeaderFormat(1), HDF_SORTDOWN);
    ClickHeader(0);  // texts without regard to case
    EXPECT_EQ(Column(lv, 0),
              (std::vector<std::string>{"explorer.exe", "svchost.exe", "System", "winlogon.exe"}));
    EXPECT_EQ(HeaderFormat(1), 0);
    EXPECT_EQ(frm.lvProcesses.SubItem(0, 3), "C:\\Windows\\explorer.exe");
    EXPECT_EQ(frm.lvProcesses.SubItemData(3, 1), 3);
    EXPECT_EQ(frm.lvProcesses.Data(2), 4);
    EXPECT_EQ(frm.lvProcesses.FindData(88), 3);
    EXPECT_EQ(frm.log, (std::vector<std::string>{"column 1", "column 1", "column 0"}));

    // Selection through the item state: the old row reports its loss.
    frm.log.clear();
    LVITEMA st{};
    st.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    st.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(lv, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&st));
    SendMessageA(lv, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&st));
    EXPECT_EQ(frm.log,
              (std::vector<std::string>{"select svchost.exe", "unselect svchost.exe", "select System"}));
    EXPECT_EQ(frm.lvProcesses.Selected(), 2);
    EXPECT_EQ(frm.lvProcesses.FocusedItem(), 2);

    // Double click and the list's own menu on a right click.
    frm.log.clear();
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(lv, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
    PostMessageA(lv, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(lv, WM_LBUTTONUP, 0, at);
    uitest::RoundTrip(lv);
    POINT p{row.left + 20, (row.top + row.bottom) / 2};
    ClientToScreen(lv, &p);
    SendMessageA(lv, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(lv), MAKELPARAM(p.x, p.y));
    EXPECT_EQ(frm.log, (std::vector<std::string>{"dblclick", "popup"}));

    // Deleting and clearing.
    frm.lvProcesses.DeleteItem(0);
    EXPECT_EQ(frm.lvProcesses.Count(), 3);
    EXPECT_EQ(frm.lvProcesses.Caption(0), "svchost.exe");
    frm.lvProcesses.Clear();
    EXPECT_EQ(frm.lvProcesses.Count(), 0);
}

TEST_F(Pages, OwnerDrawnRowsFallBackToTheListsOwnDrawing) {
    int drawn = 0;
    frm.lvProcesses.SetOwnerDraw(true);
    frm.lvProcesses.OnDrawItem = [&](ui::ListView&, const DRAWITEMSTRUCT&) { return ++drawn, false; };
    frm.AddProcesses();
    frm.lvProcesses.SetFocus();
    frm.lvProcesses.SetSelected(1);
    const HWND lv = frm.lvProcesses.Handle();
    InvalidateRect(lv, nullptr, TRUE);
    UpdateWindow(lv);
    EXPECT_GE(drawn, 4);
    // The selected row is filled across all columns in the selection colour.
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(lv, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    ui::WindowDc dc(lv);
    EXPECT_EQ(GetPixel(dc.get(), row.right - 3, row.top + 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(GetPixel(dc.get(), row.right - 3, row.bottom + 2), GetSysColor(COLOR_WINDOW));
}

TEST_F(Pages, StatusBarPanelsAndTexts) {
    // UI_GALLERY='Z:\tmp\pages.bmp' keeps a picture of the form.
    if (const char* path = getenv("UI_GALLERY")) {
        frm.AddProcesses();
        frm.lvProcesses.SortBy(0, true);
        frm.lvProcesses.SetSelected(1);
        frm.sbBar.SetPanelText(0, "CPU Usage: 37%");
        uitest::Pump();
        uitest::SaveWindowPicture(frm.Handle(), path);
    }
    const HWND sb = frm.sbBar.Handle();
    int edges[8] = {};
    ASSERT_EQ(SendMessageA(sb, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 4);
    EXPECT_EQ(edges[0], 120);
    EXPECT_EQ(edges[1], 216);
    EXPECT_EQ(edges[2], 496);
    EXPECT_EQ(edges[3], -1);
    frm.sbBar.SetPanelText(2, "Commit Charge: 1K / 2K");
    char text[64] = "";
    SendMessageA(sb, SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Commit Charge: 1K / 2K");
    // At the bottom across the form, the page control above it.
    RECT r;
    GetWindowRect(sb, &r);
    MapWindowPoints(nullptr, frm.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.bottom, frm.ClientHeight());
    EXPECT_EQ(r.right - r.left, frm.ClientWidth());
    EXPECT_EQ(frm.pgMain.Top() + frm.pgMain.Height(), r.top);
    EXPECT_EQ(frm.pgMain.Top(), 9);

    // Widening the form repaints the whole bar: the size grip drawn at the old right edge goes.
    uitest::Pump();
    ValidateRect(sb, nullptr);
    const int before = r.right - r.left;
    RECT w;
    GetWindowRect(frm.Handle(), &w);
    SetWindowPos(frm.Handle(), nullptr, 0, 0, w.right - w.left + 60, w.bottom - w.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT dirty{};
    ASSERT_TRUE(GetUpdateRect(sb, &dirty, FALSE));
    EXPECT_LE(dirty.left, before - 20);
    EXPECT_GE(dirty.right, before + 60);
}

TEST_F(Pages, SplitterDragsTheListBesideIt) {
    EXPECT_EQ(frm.Splitter3.Target(), &frm.lvThreads);
    const ui::Rect s = frm.Splitter3.HostRect();
    const HWND sheet = frm.tsProcesses.Handle();
    // The sizing cursor over it.
    POINT p{s.left + 1, s.top + 20};
    ClientToScreen(sheet, &p);
    SetCursorPos(p.x, p.y);
    // Wine moves the pointer through the X server: wait until the system reports it there.
    ASSERT_TRUE(uitest::PumpUntil([&] {
        POINT now;
        return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
    }));
    SendMessageA(sheet, WM_SETCURSOR, reinterpret_cast<WPARAM>(sheet), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
    SetCursorPos(1010, 750);
    // Dragged 40 to the left: the threads list is 40 wider, the process list 40 narrower.
    const int before = frm.lvProcesses.Width();
    PostMessageA(sheet, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s.left + 1, s.top + 20));
    PostMessageA(sheet, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(s.left - 39, s.top + 20));
    PostMessageA(sheet, WM_LBUTTONUP, 0, MAKELPARAM(s.left - 39, s.top + 20));
    uitest::RoundTrip(sheet);
    EXPECT_EQ(frm.lvThreads.Width(), 125);
    EXPECT_EQ(frm.lvProcesses.Width(), before - 40);
    RECT r;
    GetWindowRect(frm.lvThreads.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 125);
    EXPECT_EQ(frm.log, std::vector<std::string>{"moved"});
    // Far to the right: the threads list keeps its minimum.
    const ui::Rect s2 = frm.Splitter3.HostRect();
    PostMessageA(sheet, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s2.left + 1, 20));
    PostMessageA(sheet, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(s2.left + 400, 20));
    PostMessageA(sheet, WM_LBUTTONUP, 0, MAKELPARAM(s2.left + 400, 20));
    uitest::RoundTrip(sheet);
    EXPECT_EQ(frm.lvThreads.Width(), frm.Splitter3.MinSize());
}

}  // namespace
