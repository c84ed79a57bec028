// One form with a control of every family on two tab sheets beside a windowless LCD: the edit
// family, track bar and colour dialog driven as a user would, through the program's loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "monitor/ui/buttons.h"
#include "monitor/ui/colour_dialog.h"
#include "monitor/ui/edits.h"
#include "monitor/ui/form.h"
#include "monitor/ui/listview.h"
#include "monitor/ui/pagecontrol.h"
#include "monitor/ui/splitter.h"
#include "monitor/ui/statusbar.h"
#include "monitor/ui/trackbar.h"
#include "tests/support/ui_driver.h"
#include "widgets/vrnum.h"

namespace {

class TfrmGallery : public ui::Form {
public:
    TfrmGallery() : ui::Form("TfrmGallery") {}

    ui::Panel pnlLcd;
    ui::Hosted<widgets::TVrNum> lcdDown1;
    ui::PageControl pgMain;
    ui::TabSheet tsOptions, tsList;
    ui::GroupBox gbNetwork;
    ui::Label lblLimit, lblAdapter, lblLink;
    ui::SpinEdit seNetwork;
    ui::ComboBox cmbAdapter;
    ui::TrackBar tbNetworkOpacity;
    ui::CheckBox cbVariable;
    ui::RadioButton rbStandard, rbEnhanced;
    ui::Memo mmoSystem;
    ui::Button btnColour;
    ui::ListView lvAdapters;
    ui::Bevel bvlTop;
    ui::StatusBar sbBar;
    ui::ColourDialog dlgColour;

    std::vector<std::string> log;

    void Build() {
        ui::FormStyle fs;
        fs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        CreateHandle(fs, 460, 330, "Gallery");
        pnlLcd.SetParent(this);
        pnlLcd.SetAlign(ui::Align::Left);
        pnlLcd.SetWidth(90);
        pnlLcd.SetColor(RGB(0, 0, 0));
        lcdDown1.SetParent(&pnlLcd);
        lcdDown1.SetBounds(8, 8, 74, 30);
        lcdDown1->SetDigits(3);
        lcdDown1->SetPalette(0x005533, 0x00FE99);
        lcdDown1->SetMax(999);
        lcdDown1->SetValue(271);
        sbBar.SetParent(this);
        sbBar.SetPanels({150, 150});
        sbBar.SetPanelText(0, "CPU Usage: 37%");
        pgMain.SetParent(this);
        pgMain.SetAlign(ui::Align::Client);
        tsOptions.SetCaption("Network");
        tsList.SetCaption("Adapters");
        pgMain.AddPage(tsOptions);
        pgMain.AddPage(tsList);

        gbNetwork.SetParent(&tsOptions);
        gbNetwork.SetBounds(8, 4, 340, 150);
        gbNetwork.SetText("General");
        lblLimit.SetParent(&gbNetwork);
        lblLimit.SetBounds(4, 8, 0, 0);
        lblLimit.SetCaption("Graph Limit (KB/s)");
        seNetwork.SetParent(&gbNetwork);
        seNetwork.SetBounds(130, 4, 70, 21);
        seNetwork.SetRange(0, 1500);
        seNetwork.SetValue(100);
        lblAdapter.SetParent(&gbNetwork);
        lblAdapter.SetBounds(4, 38, 0, 0);
        lblAdapter.SetCaption("Monitor Interface");
        cmbAdapter.SetParent(&gbNetwork);
        cmbAdapter.SetBounds(130, 34, 190, 21);
        cmbAdapter.AddItem("Loopback", 1);
        cmbAdapter.AddItem("Ethernet adapter", 2);
        cmbAdapter.AddItem("All Interfaces", 3);
        cmbAdapter.SetItemIndex(0);
        tbNetworkOpacity.SetParent(&gbNetwork);
        tbNetworkOpacity.SetBounds(4, 64, 200, 30);
        tbNetworkOpacity.SetRange(0, 255);
        tbNetworkOpacity.SetFrequency(32);
        tbNetworkOpacity.SetPageSize(16);
        tbNetworkOpacity.SetPosition(180);
        cbVariable.SetParent(&gbNetwork);
        cbVariable.SetBounds(220, 64, 100, 17);
        cbVariable.SetText("&Variable");
        rbStandard.SetParent(&gbNetwork);
        rbStandard.SetBounds(4, 100, 100, 17);
        rbStandard.SetText("&Standard");
        rbStandard.SetChecked(true);
        rbEnhanced.SetParent(&gbNetwork);
        rbEnhanced.SetBounds(110, 100, 100, 17);
        rbEnhanced.SetText("&Enhanced");
        lblLink.SetParent(&tsOptions);
        lblLink.SetBounds(8, 240, 0, 0);
        lblLink.SetCaption("www.example.test");
        lblLink.SetFontColor(RGB(0, 0, 255));
        lblLink.SetCursor(LoadCursor(nullptr, IDC_HAND));
        mmoSystem.SetParent(&tsOptions);
        mmoSystem.SetBounds(8, 160, 240, 70);
        mmoSystem.SetReadOnly(true);
        mmoSystem.SetLines({"Windows XP (5.1.2600)", "Service Pack 3"});
        btnColour.SetParent(&tsOptions);
        btnColour.SetBounds(260, 160, 88, 23);
        btnColour.SetText("&Colour...");

        lvAdapters.SetParent(&tsList);
        lvAdapters.SetAlign(ui::Align::Client);
        bvlTop.SetParent(&tsList);
        bvlTop.SetAlign(ui::Align::Top);
        bvlTop.SetHeight(9);
        bvlTop.SetShape(ui::Bevel::Shape::TopLine);
        lvAdapters.AddColumn("Adapter", ui::ListView::kAutoSize);
        lvAdapters.AddColumn("Received", 80, LVCFMT_RIGHT);
        lvAdapters.SetFullRowSelect(true);
        lvAdapters.AddItem("Loopback", 1);
        lvAdapters.SetSubItem(0, 0, "1,024");

        seNetwork.OnChange = ui::Bind(this, &TfrmGallery::seNetworkChange);
        cmbAdapter.OnChange = ui::Bind(this, &TfrmGallery::cmbAdapterChange);
        tbNetworkOpacity.OnChange = ui::Bind(this, &TfrmGallery::tbNetworkOpacityChange);
        btnColour.OnClick = ui::Bind(this, &TfrmGallery::btnColourClick);
    }

    void seNetworkChange(ui::Control&) { log.push_back("limit " + std::to_string(seNetwork.Value())); }
    void cmbAdapterChange(ui::Control&) {
        log.push_back("adapter " + cmbAdapter.Item(cmbAdapter.ItemIndex()));
    }
    void tbNetworkOpacityChange(ui::Control&) {
        log.push_back("opacity " + std::to_string(tbNetworkOpacity.Position()));
    }
    void btnColourClick(ui::Control&) {
        dlgColour.SetColor(RGB(0, 128, 255));
        log.push_back(dlgColour.Execute(Handle()) ? "colour ok" : "colour cancelled");
    }
};

struct Gallery : ::testing::Test {
    ui::Application application{GetModuleHandleA(nullptr), "Gallery test"};
    TfrmGallery frm;

    void SetUp() override {
        SetCursorPos(1010, 750);
        frm.Build();
        SetWindowPos(frm.Handle(), nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        frm.SetVisible(true);
        SetForegroundWindow(frm.Handle());
        uitest::Pump();
    }
};

TEST_F(Gallery, EditsTrackBarAndComboAnswerTheKeyboard) {
    if (const char* path = getenv("UI_GALLERY")) uitest::SaveWindowPicture(frm.Handle(), path);
    // The spin edit: its number and its up-down buddy beside it, inside the group box.
    EXPECT_EQ(uitest::Text(frm.seNetwork.Handle()), "100");
    const HWND ud = frm.seNetwork.UpDown();
    ASSERT_NE(ud, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_GETBUDDY, 0, 0)), frm.seNetwork.Handle());
    RECT e, u;
    GetWindowRect(frm.seNetwork.Handle(), &e);
    GetWindowRect(ud, &u);
    EXPECT_EQ(u.left, e.right);
    EXPECT_EQ(u.right - e.left, 70);
    frm.seNetwork.SetFocus();
    uitest::PressKey(VK_UP);
    uitest::PressKey(VK_UP);
    EXPECT_EQ(frm.seNetwork.Value(), 102);
    // Typed past the range: clamped when the focus leaves.
    frm.log.clear();
    SetWindowTextA(frm.seNetwork.Handle(), "9999");
    frm.cmbAdapter.SetFocus();
    EXPECT_EQ(uitest::Text(frm.seNetwork.Handle()), "1500");
    EXPECT_EQ(frm.log, (std::vector<std::string>{"limit 1500", "limit 1500"}));

    // The combo box: Down picks the next entry.
    frm.log.clear();
    uitest::PressKey(VK_DOWN);
    EXPECT_EQ(frm.cmbAdapter.ItemIndex(), 1);
    EXPECT_EQ(frm.cmbAdapter.ItemData(1), 2);
    frm.cmbAdapter.SetItemIndex(2);  // by the program: no event
    EXPECT_EQ(frm.log, std::vector<std::string>{"adapter Ethernet adapter"});

    // The track bar: arrows, Page Up and End move it, each move reported once.
    frm.log.clear();
    frm.tbNetworkOpacity.SetFocus();
    uitest::PressKey(VK_RIGHT);
    uitest::PressKey(VK_PRIOR);
    uitest::PressKey(VK_END);
    uitest::PressKey(VK_END);
    EXPECT_EQ(SendMessageA(frm.tbNetworkOpacity.Handle(), TBM_GETPOS, 0, 0), 255);
    EXPECT_EQ(frm.log, (std::vector<std::string>{"opacity 181", "opacity 165", "opacity 255"}));
    frm.tbNetworkOpacity.SetPosition(10);
    EXPECT_EQ(frm.tbNetworkOpacity.Position(), 10);
    EXPECT_EQ(frm.log.size(), 3u);

    // The read-only memo keeps its lines.
    EXPECT_EQ(frm.mmoSystem.Lines(), (std::vector<std::string>{"Windows XP (5.1.2600)", "Service Pack 3"}));
    EXPECT_TRUE(GetWindowLongA(frm.mmoSystem.Handle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(Gallery, TheSecondSheetHidesEveryWindowOfTheFirst) {
    frm.pgMain.SetActivePage(&frm.tsList);
    for (HWND w : {frm.seNetwork.Handle(), frm.seNetwork.UpDown(), frm.cmbAdapter.Handle(),
                   frm.tbNetworkOpacity.Handle(), frm.mmoSystem.Handle(), frm.gbNetwork.Handle()})
        EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_TRUE(IsWindowVisible(frm.lvAdapters.Handle()));
    // The LCD beside the pages and the status bar are the form's own.
    EXPECT_TRUE(frm.lcdDown1.Showing());
    EXPECT_TRUE(IsWindowVisible(frm.sbBar.Handle()));
    // The list under the bevel.
    RECT r;
    GetWindowRect(frm.lvAdapters.Handle(), &r);
    MapWindowPoints(nullptr, frm.tsList.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 9);
}

TEST_F(Gallery, TheColourDialogReturnsTheChoiceOrNothing) {
    {
        uitest::DialogWatcher ok(nullptr, IDOK);
        frm.btnColour.Click();
        EXPECT_EQ(ok.Texts().size(), 1u);
    }
    EXPECT_EQ(frm.dlgColour.Color(), RGB(0, 128, 255));
    uitest::DialogWatcher cancel(nullptr, IDCANCEL);
    frm.dlgColour.SetColor(RGB(1, 2, 3));
    EXPECT_FALSE(frm.dlgColour.Execute(frm.Handle()));
    EXPECT_EQ(frm.dlgColour.Color(), RGB(1, 2, 3));
    EXPECT_EQ(frm.log, std::vector<std::string>{"colour ok"});
}

}  // namespace
