// The real gadget window in this process: its menu as Windows gets it, and its commands run as
// the menu runs them, checked on the window, the panels and the bars. Settings come from an
// in-memory store, so nothing here touches a settings file.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "monitor/app/frmMain.h"
#include "tests/support/gadget_fixture.h"

namespace {

using testgadget::Gadget;

RECT WorkArea() {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// The menu as Windows holds it, one line per item: caption, then "[x]" checked, "(o)" radio,
// "*" image, ">" sub-menu; separators as "-"; sub-menus indented under their item.
void Dump(HMENU menu, const std::string& indent, std::string& out) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[128] = "";
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU | MIIM_BITMAP;
        mi.dwTypeData = text;
        mi.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi));
        if (mi.fType & MFT_SEPARATOR) {
            out += indent + "-\n";
            continue;
        }
        std::string line = indent + text;
        if (mi.fState & MFS_CHECKED) line += " [x]";
        if (mi.fType & MFT_RADIOCHECK) line += " (o)";
        if (mi.fState & MFS_GRAYED) line += " grayed";
        if (mi.hbmpItem) line += " *";
        if (mi.hSubMenu) line += " >";
        out += line + "\n";
        if (mi.hSubMenu) Dump(mi.hSubMenu, indent + "  ", out);
    }
}

std::string MenuText(app::TfrmMain& f) {
    if (f.mnMain.OnPopup) f.mnMain.OnPopup();
    std::vector<ui::Bitmap> bitmaps;
    ui::Menu m = f.mnMain.Build(bitmaps);
    std::string out;
    Dump(m.get(), "", out);
    return out;
}

}  // namespace

TEST(GadgetWindow, FreshStartAndItsMenu) {
    Gadget g;
    app::TfrmMain& f = g.frm;
    const RECT r = g.Bounds();
    EXPECT_EQ(r.left, 388);
    EXPECT_EQ(r.top, 173);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.bottom - r.top, 75);
    EXPECT_TRUE(IsWindowVisible(g.Wnd()));
    EXPECT_TRUE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(f.StickTo, ui::TdfsStickyForm::soScreen);
    EXPECT_EQ(f.Threshold, 10);
    EXPECT_TRUE(f.barCPU1->ShowBorder());
    EXPECT_EQ(f.barRAM->Direction(), widgets::pdLeftToRight);
    // Small Digital: the LCDs in the 5 x 7 style, the text labels hidden.
    EXPECT_EQ(f.lcdDown1->Style(), widgets::ns5x7);
    EXPECT_TRUE(f.lcdUp2.Visible());
    EXPECT_FALSE(f.lblDownload.Visible());
    EXPECT_EQ(f.pnlNetwork.Height(), f.lcdDown1.Height() + 5);

    const std::string cpu1 = f.DualCPU ? "CPU 1" : "CPU";
    const std::string cpu2Show = f.DualCPU ? "    CPU 2 [x]\n" : "";
    const std::string cpu2Float = f.DualCPU ? "  CPU 2\n" : "";
    const std::string expected =
        "Main Group * >\n"
        "  Show >\n"
        "    " +
        cpu1 + " [x]\n" + cpu2Show +
        "    RAM [x]\n"
        "    Swap [x]\n"
        "    Network [x]\n"
        "    Status [x]\n"
        "  Network Display >\n"
        "    Normal (o)\n"
        "    Small Digital [x] (o)\n"
        "    Large Digital (o)\n"
        "  Graphs >\n"
        "    Horizontal Orientation [x] (o) *\n"
        "    Vertical Orientation (o) *\n"
        "    -\n"
        "    Graph Borders [x]\n"
        "  Hide Main Window\n"
        "  -\n"
        "  Always On Top [x]\n"
        "  Alpha Blending *\n"
        "  Snap [x]\n"
        "  Windows Border\n"
        "Show in Separate Window * >\n"
        "  " +
        cpu1 + "\n" + cpu2Float +
        "  RAM\n"
        "  Swap\n"
        "  Network\n"
        "-\n"
        "System Details *\n"
        "Network Stopwatch *\n"
        "-\n"
        "Options *\n"
        "-\n"
        "Check for Update *\n"
        "Help *\n"
        "About *\n"
        "-\n"
        "Quit\n";
    EXPECT_EQ(MenuText(f), expected);

    // The pictures of the menu strip, by item.
    EXPECT_EQ(f.mniMain.ImageIndex(), 3);
    EXPECT_EQ(f.mniFloat.ImageIndex(), 4);
    EXPECT_EQ(f.mniSystem.ImageIndex(), 1);
    EXPECT_EQ(f.mniStopWatch.ImageIndex(), 0);
    EXPECT_EQ(f.mniOptions.ImageIndex(), 2);
    EXPECT_EQ(f.CheckforUpdate1.ImageIndex(), 10);
    EXPECT_EQ(f.mniHelp.ImageIndex(), 8);
    EXPECT_EQ(f.mniAbout.ImageIndex(), 9);
    EXPECT_EQ(f.mniAlpha.ImageIndex(), 5);
    EXPECT_EQ(f.mniHorizontal.ImageIndex(), 6);
    EXPECT_EQ(f.mniVertical.ImageIndex(), 7);
    EXPECT_GE(f.ilMenus.Count(), 11);

    // The hide item's caption follows the gadget's visibility each time the menu opens.
    f.mniHide.Click();
    EXPECT_FALSE(IsWindowVisible(g.Wnd()));
    f.mnMain.OnPopup();
    EXPECT_EQ(f.mniHide.Caption(), "Show Main Window");
    f.mniHide.Click();
    EXPECT_TRUE(IsWindowVisible(g.Wnd()));
    f.mnMain.OnPopup();
    EXPECT_EQ(f.mniHide.Caption(), "Hide Main Window");
}

TEST(GadgetWindow, PreparedFileThroughTheCommands) {
    Gadget g(
        "[Main]\nCPU1=0\nCPU2=1\nNetwork=0\nStatus=0\nNetworkDisplay=Tiny\nAlphaBlend=1\n"
        "AlphaBlendValue=300\nAlwaysOnTop=0\nGraphBorders=0\nOrientation=0\nSnap=0\nFirstTime=0\n");
    app::TfrmMain& f = g.frm;
    EXPECT_FALSE(f.barCPU1.Visible());
    EXPECT_FALSE(f.mniHereCPU1.Checked());
    EXPECT_TRUE(f.barCPU2.Visible());  // also where the CPU 2 item is hidden
    EXPECT_FALSE(f.pnlBottom.Visible());
    EXPECT_EQ(f.pnlBottom.Height(), 0);
    EXPECT_EQ(f.ClientHeight(), f.pnlGraphs.Height());  // only the graphs
    EXPECT_TRUE(f.mniSmall.Checked());
    EXPECT_TRUE(f.mniVertical.Checked());
    EXPECT_EQ(f.barRAM->Direction(), widgets::pdBottomToTop);
    EXPECT_EQ(f.barRAM.GetAlign(), ui::Align::Left);
    EXPECT_FALSE(f.mniGraphBorders.Checked());
    EXPECT_FALSE(f.barSwap->ShowBorder());
    EXPECT_FALSE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(f.StickTo, ui::TdfsStickyForm::soNothing);
    EXPECT_TRUE(f.mniAlpha.Checked());
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(g.Wnd(), &key, &alpha, &flags));
    EXPECT_EQ(alpha, 44);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

    // Saved back from the live marks and controls.
    f.SaveSettings();
    EXPECT_EQ(g.store.Read("Main", "CPU1", ""), "0");
    EXPECT_EQ(g.store.Read("Main", "NetworkDisplay", ""), "Small");
    EXPECT_EQ(g.store.Read("Main", "Orientation", ""), "0");
    EXPECT_EQ(g.store.Read("Main", "AlphaBlendValue", ""), "44");
    EXPECT_EQ(g.store.Read("Main", "AlwaysOnTop", ""), "0");
    EXPECT_EQ(g.store.Read("Main", "FirstTime", ""), "0");
}

TEST(GadgetWindow, MalformedValuesFallBackToDefaults) {
    Gadget g(
        "[Main]\nWidth=wide\nHeight=\nLeft=3x\nTop=1.5\nOrientation=yes\nAlphaBlend=on\n"
        "AlphaBlendValue=half\nAlwaysOnTop=-\nGraphBorders=\nSnap=?\nCPU1=x\nFirstTime=0\n");
    const RECT r = g.Bounds();
    EXPECT_EQ(r.left, 388);
    EXPECT_EQ(r.top, 173);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.bottom - r.top, 75);
    EXPECT_TRUE(g.frm.mniHorizontal.Checked());
    EXPECT_FALSE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(g.frm.Blend.AlphaBlendValue(), 180);
    EXPECT_TRUE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(g.frm.barCPU1->ShowBorder());
    EXPECT_EQ(g.frm.StickTo, ui::TdfsStickyForm::soScreen);
    EXPECT_TRUE(g.frm.barCPU1.Visible());
}

TEST(GadgetWindow, TheGadgetIsNeverSmallerThanTwoByTwo) {
    // Sizes are applied as read, but the window keeps its minimum, snapping on or off.
    for (const char* snap : {"0", "1"}) {
        Gadget g(std::string("[Main]\nWidth=0\nHeight=1\nLeft=300\nTop=300\nFirstTime=0\nSnap=") + snap +
                 "\n");
        const RECT r = g.Bounds();
        EXPECT_EQ(r.right - r.left, 2) << "Snap=" << snap;
        EXPECT_EQ(r.bottom - r.top, 2) << "Snap=" << snap;
        SetWindowPos(g.Wnd(), nullptr, 0, 0, 1, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT s = g.Bounds();
        EXPECT_EQ(s.right - s.left, 2) << "Snap=" << snap;
        EXPECT_EQ(s.bottom - s.top, 2) << "Snap=" << snap;
    }
}

TEST(GadgetWindow, LastVisibleElementAndAllBarsHidden) {
    Gadget g("[Main]\nCPU2=1\nFirstTime=0\n");
    app::TfrmMain& f = g.frm;
    const int bottom = f.pnlBottom.Height();
    ASSERT_GT(bottom, 0);

    // All four bars hidden: a strip as high as the bottom panels, resizable only sideways.
    for (ui::MenuItem* i : {&f.mniHereCPU1, &f.mniHereCPU2, &f.mniHereRAM, &f.mniHereSwap}) i->Click();
    EXPECT_FALSE(f.pnlGraphs.Visible());
    EXPECT_FALSE(f.GraphsShown);
    EXPECT_EQ(f.ClientHeight(), bottom);
    const int w = f.ClientWidth();
    EXPECT_EQ(g.HitAt(w / 2, 0), HTCAPTION);
    EXPECT_EQ(g.HitAt(w / 2, f.ClientHeight() - 1), HTCAPTION);
    EXPECT_EQ(g.HitAt(0, 0), HTLEFT);
    EXPECT_EQ(g.HitAt(w - 1, 1), HTRIGHT);

    // With the graphs gone, Network may go but then Status is the last element.
    f.mniHereInternet.Click();
    EXPECT_FALSE(f.pnlNetwork.Visible());
    f.mniHereStatus.Click();
    EXPECT_TRUE(f.pnlStatus.Visible());
    EXPECT_TRUE(f.mniHereStatus.Checked());
    EXPECT_EQ(f.ClientHeight(), f.pnlStatus.Height());
    f.mniHereInternet.Click();
    EXPECT_EQ(f.ClientHeight(), bottom);

    // Showing a bar again gives the graphs 15 pixels.
    f.mniHereRAM.Click();
    EXPECT_TRUE(f.pnlGraphs.Visible());
    EXPECT_TRUE(f.GraphsShown);
    EXPECT_EQ(f.ClientHeight(), bottom + 15);
    EXPECT_EQ(f.barRAM.Height(), 15);
    EXPECT_EQ(g.HitAt(w / 2, 0), HTTOP);
    EXPECT_EQ(g.HitAt(0, 0), HTTOPLEFT);

    // Only RAM, no bottom panels: unchecking RAM does nothing.
    f.mniHereInternet.Click();
    f.mniHereStatus.Click();
    EXPECT_FALSE(f.pnlBottom.Visible());
    f.mniHereRAM.Click();
    EXPECT_TRUE(f.barRAM.Visible());
    EXPECT_TRUE(f.mniHereRAM.Checked());
    EXPECT_TRUE(f.pnlGraphs.Visible());
}

TEST(GadgetWindow, SeventyFivePixelSplitAndDigits) {
    Gadget g("[Main]\nCPU2=1\nSwap=0\nFirstTime=0\n");
    app::TfrmMain& f = g.frm;
    f.SetClientSize(150, 75 + f.pnlBottom.Height());
    ASSERT_EQ(f.pnlGraphs.Height(), 75);
    EXPECT_EQ(f.barCPU1.Height(), 25);
    EXPECT_EQ(f.barCPU2.Height(), 25);
    EXPECT_EQ(f.barRAM.Height(), 25);
    EXPECT_EQ(f.pnlCPURow.Height(), 50);

    // The rate digits sit on a quarter and three quarters of the network panel.
    const int q = f.pnlNetwork.Width() / 4;
    const int gw = f.lcdDown1.Width() + f.lcdDown2.Width() + f.lblDownPoint.Width();
    EXPECT_EQ(f.lcdDown1.Left(), q - gw / 2);
    EXPECT_EQ(f.lcdUp1.Left(), 3 * q - gw / 2);
    EXPECT_EQ(f.lblDownPoint.Top(), -4);
    f.mniBig.Click();
    EXPECT_EQ(f.lcdDown1->Style(), widgets::ns7x13);
    EXPECT_EQ(f.lblUpPoint.Top(), 2);
    EXPECT_EQ(f.pnlNetwork.Height(), f.lcdDown1.Height() + 5);
    EXPECT_EQ(f.pnlBottom.Height(), f.pnlNetwork.Height() + f.pnlStatus.Height());
    f.mniNormal.Click();
    EXPECT_EQ(f.lcdDown1->Style(), widgets::ns7x13);  // unchanged in Normal
    EXPECT_FALSE(f.lcdDown1.Visible());
    EXPECT_FALSE(f.lblUpPoint.Visible());
    EXPECT_TRUE(f.lblDownload.Visible());
    EXPECT_EQ(f.pnlNetwork.Height(), f.lblDownload.Height() + 2);
    EXPECT_EQ(f.lblDownload.Top(), 1);
}

TEST(GadgetWindow, SnapOnAndOff) {
    Gadget g("[Main]\nFirstTime=0\n");
    const RECT work = WorkArea();
    g.MoveTo(work.left + 7, 300);
    EXPECT_EQ(g.Bounds().left, work.left);
    g.MoveTo(500, work.bottom - 75 - 10);
    EXPECT_EQ(g.Bounds().top, work.bottom - 75);
    g.frm.mniSnap.Click();
    EXPECT_FALSE(g.frm.mniSnap.Checked());
    g.MoveTo(work.left + 7, 300);
    EXPECT_EQ(g.Bounds().left, work.left + 7);
    g.frm.mniSnap.Click();
    g.MoveTo(work.left + 9, 300);
    EXPECT_EQ(g.Bounds().left, work.left);
}

TEST(GadgetWindow, WindowsBorderKeepsTheOpacity) {
    Gadget g("[Main]\nAlphaBlend=1\nAlphaBlendValue=128\nFirstTime=0\n");
    app::TfrmMain& f = g.frm;
    auto expectHalfTransparent = [&](const char* when) {
        EXPECT_TRUE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED) << when;
        BYTE alpha = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(g.Wnd(), &key, &alpha, &flags)) << when;
        EXPECT_EQ(alpha, 128) << when;
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA)) << when;
    };
    expectHalfTransparent("before");
    const int width = g.Bounds().right - g.Bounds().left;

    f.mniBorder.Click();
    EXPECT_TRUE(f.mniBorder.Checked());
    const LONG style = GetWindowLongA(g.Wnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_NE(style & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    EXPECT_FALSE(style & WS_DLGFRAME);
    EXPECT_TRUE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(IsWindowVisible(g.Wnd()));
    EXPECT_EQ(g.Bounds().right - g.Bounds().left, width);
    expectHalfTransparent("with the border");

    f.mniBorder.Click();
    EXPECT_FALSE(GetWindowLongA(g.Wnd(), GWL_STYLE) & (WS_THICKFRAME | WS_CAPTION));
    EXPECT_TRUE(IsWindowVisible(g.Wnd()));
    expectHalfTransparent("without the border");

    // An opaque gadget stays unlayered.
    f.mniAlpha.Click();
    f.mniBorder.Click();
    EXPECT_FALSE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    f.mniBorder.Click();
    EXPECT_FALSE(GetWindowLongA(g.Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
}
