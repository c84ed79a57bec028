// Pop-up menus as they are shown: every item of a menu with an image reserves the same image
// column (so Wine measures each caption with the column its text is drawn after), and the owner
// draws the images. Checked on a small menu and on the real gadget's menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/app/frmMain.h"
#include "monitor/ui/menu.h"

namespace {

// One line per item: caption, then "cb" when the item carries HBMMENU_CALLBACK, "bmp" for
// any other bitmap; sub-menus indented under their item.
void Dump(HMENU menu, const std::string& indent, std::string& out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_BITMAP;
        mi.dwTypeData = text;
        mi.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi));
        std::string line = indent + ((mi.fType & MFT_SEPARATOR) ? "-" : text);
        if (mi.hbmpItem == HBMMENU_CALLBACK)
            line += " cb";
        else if (mi.hbmpItem)
            line += " bmp";
        out += line + "\n";
        if (mi.hSubMenu) Dump(mi.hSubMenu, indent + "  ", out);
    }
}

std::string Shown(const ui::PopupMenu& m) {
    ui::Menu menu = m.BuildShown();
    std::string out;
    Dump(menu.get(), "", out);
    return out;
}

// A 16 x 16 image list with one solid red image.
void AddRed(ui::ImageList& list) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = 16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ui::Bitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bmp);
    auto* px = static_cast<DWORD*>(bits);
    for (int i = 0; i < 16 * 16; ++i) px[i] = 0x00FF0000;  // red in BGRA order
    ASSERT_EQ(list.AddMasked(bmp.get(), RGB(255, 0, 255)), 0);
}

struct SmallMenu {
    SmallMenu() {
        AddRed(images);
        menu.Images = &images;
        picture.SetImageIndex(0);
        for (ui::MenuItem* i : {&plain, &sep, &picture}) menu.Items.Add(*i);
        plain.Add(inner);
        picture.Add(inner2);
    }
    ui::ImageList images;
    ui::PopupMenu menu;
    ui::MenuItem plain{"A long caption without an image"}, sep{ui::MenuItem::kSeparator}, picture{"Picture"},
        inner{"Inner"}, inner2{"Inner 2"};
};

}  // namespace

TEST(MenuShown, EveryItemOfAMenuWithAnImageReservesTheColumn) {
    SmallMenu s;
    EXPECT_EQ(Shown(s.menu),
              "A long caption without an image cb\n"
              "  Inner\n"
              "-\n"
              "Picture cb\n"
              "  Inner 2\n");
    // A hidden image item takes the column away with it.
    s.picture.SetVisible(false);
    EXPECT_EQ(Shown(s.menu), "A long caption without an image\n  Inner\n-\n");
    // An index beyond the list is no image.
    s.picture.SetVisible(true);
    s.picture.SetImageIndex(1);
    EXPECT_EQ(Shown(s.menu), "A long caption without an image\n  Inner\n-\nPicture\n  Inner 2\n");
    // The content as Build gives it is unchanged: a bitmap only where there is an image.
    s.picture.SetImageIndex(0);
    std::vector<ui::Bitmap> bitmaps;
    ui::Menu built = s.menu.Build(bitmaps);
    std::string out;
    Dump(built.get(), "", out);
    EXPECT_EQ(out, "A long caption without an image\n  Inner\n-\nPicture bmp\n  Inner 2\n");
    EXPECT_EQ(bitmaps.size(), 1u);
}

TEST(MenuShown, OwnerMeasuresAndDrawsTheColumn) {
    SmallMenu s;
    ui::Menu shown = s.menu.BuildShown();
    // Command ids are handed out in creation order: plain 1, inner 2, picture 3, inner2 4.
    ASSERT_EQ(s.menu.ItemOfCommand(1), &s.plain);
    ASSERT_EQ(s.menu.ItemOfCommand(3), &s.picture);

    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = 1;
    ASSERT_TRUE(s.menu.MeasureItem(mis));
    EXPECT_EQ(mis.itemWidth, 16u + ui::PopupMenu::kImageGap);
    EXPECT_EQ(mis.itemHeight, 16u);
    mis.itemID = 99;
    EXPECT_FALSE(s.menu.MeasureItem(mis));
    mis.itemID = 1;
    mis.CtlType = ODT_BUTTON;
    EXPECT_FALSE(s.menu.MeasureItem(mis));

    // Drawing: the image over the background the menu painted; nothing for an item without one.
    HDC screen = GetDC(nullptr);
    ui::MemoryDc dc(CreateCompatibleDC(screen));
    ui::Bitmap canvas(CreateCompatibleBitmap(screen, 40, 20));
    ReleaseDC(nullptr, screen);
    ui::Selected sel(dc.get(), canvas.get());
    const RECT all{0, 0, 40, 20};
    auto paint = [&](UINT id) {
        ui::Brush blue(CreateSolidBrush(RGB(0, 0, 255)));
        FillRect(dc.get(), &all, blue.get());
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = id;
        dis.hDC = dc.get();
        dis.rcItem = RECT{2, 0, 2 + 16 + ui::PopupMenu::kImageGap, 20};
        return s.menu.DrawItem(dis);
    };
    ASSERT_TRUE(paint(3));
    EXPECT_EQ(GetPixel(dc.get(), 2 + 8, 10), RGB(255, 0, 0));  // image, centred vertically
    EXPECT_EQ(GetPixel(dc.get(), 2 + 8, 1), RGB(0, 0, 255));   // above it: untouched
    EXPECT_EQ(GetPixel(dc.get(), 1, 10), RGB(0, 0, 255));
    ASSERT_TRUE(paint(1));
    EXPECT_EQ(GetPixel(dc.get(), 2 + 8, 10), RGB(0, 0, 255));

    // Outside Popup no menu is being shown: the owners leave the messages alone.
    LRESULT r = 0;
    mis.CtlType = ODT_MENU;
    EXPECT_FALSE(ui::PopupMenu::OwnerMessage(WM_MEASUREITEM, reinterpret_cast<LPARAM>(&mis), r));
}

TEST(MenuShown, TheGadgetMenuReservesTheColumnWhereItHasImages) {
    app::TfrmMain frm;
    frm.dfsStickyFormCreate();
    frm.Timer.SetEnabled(false);
    if (frm.mnMain.OnPopup) frm.mnMain.OnPopup();
    const std::string cpu1 = frm.DualCPU ? "CPU 1" : "CPU";
    const std::string cpu2Show = frm.DualCPU ? "    CPU 2\n" : "";
    const std::string cpu2Float = frm.DualCPU ? "  CPU 2\n" : "";
    EXPECT_EQ(Shown(frm.mnMain),
              "Main Group cb\n"
              "  Show cb\n"
              "    " +
                  cpu1 + "\n" + cpu2Show +
                  "    RAM\n    Swap\n    Network\n    Status\n"
                  "  Network Display cb\n"
                  "    Normal\n    Small Digital\n    Large Digital\n"
                  "  Graphs cb\n"
                  "    Horizontal Orientation cb\n    Vertical Orientation cb\n    -\n"
                  "    Graph Borders cb\n"
                  "  Hide Main Window cb\n"
                  "  -\n"
                  "  Always On Top cb\n  Alpha Blending cb\n  Snap cb\n  Windows Border cb\n"
                  "Show in Separate Window cb\n"
                  "  " +
                  cpu1 + "\n" + cpu2Float +
                  "  RAM\n  Swap\n  Network\n"
                  "-\n"
                  "System Details cb\nNetwork Stopwatch cb\n-\nOptions cb\n-\n"
                  "Check for Update cb\nHelp cb\nAbout cb\n-\nQuit cb\n");
}
