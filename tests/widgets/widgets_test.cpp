// The widgets on Windows: strip resources, recolouring, auto-size requests and what each
// widget paints into a memory DC. With WIDGETS_GALLERY=<file.bmp> in the environment the
// gallery test also saves its picture of every widget, for looking at.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "widgets/hyperbutton.h"
#include "widgets/levelbar.h"
#include "widgets/scope.h"
#include "widgets/vrnum.h"
#include "widgets/widgets_res.h"

namespace widgets {
namespace {

struct FakeHost : Widget::Host {
    int invalidates = 0;
    int resizes = 0;
    int width = 0, height = 0;
    void WidgetInvalidate() override { ++invalidates; }
    void WidgetResize(int w, int h) override {
        ++resizes;
        width = w;
        height = h;
    }
};

// A 32-bit memory DC to paint widgets into.
class Canvas {
public:
    Canvas(int w, int h) { ok_ = off_.Ensure(w, h); }
    HDC Dc() const { return off_.Dc(); }
    COLORREF At(int x, int y) const { return GetPixel(off_.Dc(), x, y); }
    void Fill(COLORREF c) {
        GdiFlush();
        FillRect(off_.Pixels(), 0, 0, off_.Width(), off_.Height(), ToPixel(c));
    }
    const Offscreen& Off() const { return off_; }
    bool ok_ = false;

private:
    Offscreen off_;
};

TEST(TVrNumWin, StripsLoadForEveryStyle) {
    const int cells[][2] = {{13, 24}, {11, 20}, {7, 13}, {12, 17}, {4, 7}};
    TVrNum num;
    for (int s = ns13x24; s <= ns5x7; ++s) {
        num.SetStyle(static_cast<TVrNumStyle>(s));
        EXPECT_EQ(num.CellWidth(), cells[s][0]) << s;
        EXPECT_EQ(num.CellHeight(), cells[s][1]) << s;
    }
    // Resource names are found without regard to case.
    Image img;
    EXPECT_TRUE(LoadBitmapResource(ResourceModule(), "num5X7", img));
    EXPECT_EQ(img.width, 52);
}

TEST(TVrNumWin, RecolouringTheRealStripChangesOnlySegmentPixels) {
    Image original;
    ASSERT_TRUE(LoadBitmapResource(ResourceModule(), "NUM13x24", original));
    TVrNum num;
    FakeHost host;
    num.SetHost(&host);
    num.Palette().SetLow(0x6A2500);
    num.Palette().SetHigh(0xFFCC00);
    EXPECT_EQ(host.invalidates, 2);
    const Image& r = num.Strip().Recoloured();
    ASSERT_EQ(r.px.size(), original.px.size());
    int unlit = 0, lit = 0;
    for (size_t i = 0; i < r.px.size(); ++i) {
        if (original.px[i] == lcd::kStripUnlit) {
            ++unlit;
            ASSERT_EQ(r.px[i], ToPixel(0x6A2500));
        } else if (original.px[i] == lcd::kStripLit) {
            ++lit;
            ASSERT_EQ(r.px[i], ToPixel(0xFFCC00));
        } else {
            ASSERT_EQ(r.px[i], original.px[i]);
            ASSERT_EQ(r.px[i], 0u);
        }
    }
    EXPECT_GT(unlit, 0);
    EXPECT_GT(lit, 0);
    // Assigning a palette copies both colours with one recolouring.
    num.SetPalette(TVrPalette(0x005533, 0x00FE99));
    EXPECT_EQ(host.invalidates, 3);
    EXPECT_EQ(num.Palette().Low(), 0x005533u);
}

TEST(TVrNumWin, AutoSizeValueEventsAndPaint) {
    TVrNum num;
    FakeHost host;
    num.SetHost(&host);
    int changes = 0;
    num.OnChange = [&](TVrNum&) { ++changes; };

    num.SetStyle(ns5x7);
    num.SetDigits(3);
    EXPECT_EQ(host.resizes, 0);  // no AutoSize yet
    num.SetAutoSize(true);
    EXPECT_EQ(host.width, 16);
    EXPECT_EQ(host.height, 7);
    num.SetDigits(1);
    EXPECT_EQ(host.width, 4);
    num.SetDigits(3);
    SIZE size{};
    ASSERT_TRUE(num.AutoSizeExtent(size));
    EXPECT_EQ(size.cx, 16);

    num.SetValue(12000);
    num.SetValue(15000);
    EXPECT_EQ(num.Value(), 9999);
    EXPECT_EQ(changes, 1);
    num.SetValue(7);
    EXPECT_EQ(changes, 2);

    num.Palette().SetLow(0x000080);
    num.Palette().SetHigh(0x0000FF);
    num.SetColor(0x00FF00);
    Canvas c(40, 20);
    ASSERT_TRUE(c.ok_);
    c.Fill(0xFFFFFF);
    const RECT at{10, 5, 26, 12};  // 16 x 7
    num.Paint(c.Dc(), at);
    // Blank, blank, 7 in 4 x 7 cells with 2 pixels between: cells at x 10, 16, 22.
    // Row 0 of a cell: x 1..2 is the top segment; 7 lights it, a blank cell shows it unlit.
    EXPECT_EQ(c.At(11, 5), 0x000080u);
    EXPECT_EQ(c.At(17, 5), 0x000080u);
    EXPECT_EQ(c.At(23, 5), 0x0000FFu);
    EXPECT_EQ(c.At(22, 5), 0x00FF00u);  // corner: background colour
    EXPECT_EQ(c.At(14, 8), 0x00FF00u);  // spacing
    EXPECT_EQ(c.At(9, 8), 0xFFFFFFu);   // outside the bounds untouched

    // Transparent: the pixels already under the control stay as background.
    num.SetTransparent(true);
    EXPECT_FALSE(num.Opaque());
    c.Fill(0x123456);
    num.Paint(c.Dc(), at);
    EXPECT_EQ(c.At(22, 5), 0x123456u);
    EXPECT_EQ(c.At(23, 5), 0x0000FFu);
}

TEST(LevelWidgetsWin, BarAndGaugePaintAndIgnoreOutOfRange) {
    TALProgressBar bar;
    FakeHost host;
    bar.SetHost(&host);
    bar.SetPosition(50);
    EXPECT_EQ(host.invalidates, 1);
    bar.SetPosition(120);
    bar.SetPosition(-3);
    EXPECT_EQ(bar.Position(), 50);
    EXPECT_EQ(host.invalidates, 1);
    bar.SetShowPosText(true);
    bar.SetBorderColor1(0x202020);
    bar.SetBorderColor2(0x202020);

    Canvas c(120, 40);
    ASSERT_TRUE(c.ok_);
    const RECT at{0, 0, 102, 18};  // inner length 100
    bar.Paint(c.Dc(), at);
    EXPECT_EQ(c.At(0, 0), 0x202020u);
    EXPECT_EQ(c.At(1, 2), 0x33CC33u);                                                  // lit low zone
    EXPECT_EQ(c.At(98, 2), ToColour(Mix(ToPixel(0x0000FF), 0, level::kUnlitWeight)));  // unlit high zone
    // The position text is drawn in white somewhere around the middle.
    bool white = false;
    for (int y = 1; y < 17 && !white; ++y)
        for (int x = 30; x < 70; ++x) white = white || c.At(x, y) == 0xFFFFFFu;
    EXPECT_TRUE(white);

    TVrGauge gauge;
    gauge.SetHost(&host);
    gauge.SetBevelVisible(false);
    gauge.SetMaxValue(50);
    gauge.Palette().SetLow(0xBF4300);
    gauge.Palette().SetHigh(0xFF9965);
    gauge.SetPosition(25);
    gauge.SetPosition(80);  // beyond MaxValue: ignored
    EXPECT_EQ(gauge.Position(), 25);
    const RECT g{0, 20, 10, 40};  // 10 ticks of one pixel and one gap
    gauge.Paint(c.Dc(), g);
    EXPECT_EQ(c.At(5, 39), 0xFF9965u);
    EXPECT_EQ(c.At(5, 38), 0x000000u);
    EXPECT_EQ(c.At(5, 21), 0xBF4300u);
    gauge.SetPositionClamped(80);
    EXPECT_EQ(gauge.Position(), 50);
    gauge.SetPositionClamped(-4);
    EXPECT_EQ(gauge.Position(), 0);
}

TEST(HyperButtonWin, PaintsItsStatesAndClicksOnlyOnARelease) {
    TVrHyperButton b;
    FakeHost host;
    b.SetHost(&host);
    b.SetCaption("Start");
    b.SetBorderColors(0x808080, 0x000000, 0x000000);
    b.SetColorEnter(11974332);
    EXPECT_EQ(b.ColorLeave(), SysColour(COLOR_BTNFACE));
    int clicks = 0;
    b.OnClick = [&](TVrHyperButton&) { ++clicks; };
    Canvas c(120, 40);
    ASSERT_TRUE(c.ok_);
    c.Fill(0xFFFFFF);
    const RECT at{10, 5, 110, 30};  // 100 x 25
    // Counts caption pixels: neither face nor frame colour inside the frame.
    auto captionPixels = [&](COLORREF face) {
        int n = 0;
        for (int y = 8; y < 27; ++y)
            for (int x = 13; x < 107; ++x) n += c.At(x, y) != face;
        return n;
    };
    b.Paint(c.Dc(), at);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(c.At(10, 5), 0x808080u);
    EXPECT_EQ(c.At(109, 29), 0x808080u);
    EXPECT_EQ(c.At(12, 7), face);
    EXPECT_EQ(c.At(9, 5), 0xFFFFFFu);
    const int resting = captionPixels(face);
    EXPECT_GT(resting, 20);

    const int before = host.invalidates;
    b.MouseMove(true);
    b.MouseMove(true);
    EXPECT_EQ(host.invalidates, before + 1);
    b.Paint(c.Dc(), at);
    EXPECT_EQ(c.At(10, 5), 0u);
    EXPECT_EQ(c.At(12, 7), 11974332u);
    EXPECT_EQ(captionPixels(11974332), resting);

    b.MouseDown();
    EXPECT_EQ(clicks, 0);
    b.Paint(c.Dc(), at);
    EXPECT_EQ(c.At(11, 6), 0u);  // two-pixel frame while pressed
    b.MouseUp(true);
    EXPECT_EQ(clicks, 1);
    b.MouseDown();
    b.MouseUp(false);
    EXPECT_EQ(clicks, 1);
    b.SetEnabled(false);
    b.Click();
    EXPECT_EQ(clicks, 1);
    b.SetEnabled(true);
    b.Click();
    EXPECT_EQ(clicks, 2);
}

TEST(TrayImagesWin, ThirteenLoadImagesAndTheProgramIcon) {
    for (int i = 0; i <= TRAY_IMAGE_COUNT; ++i) {
        const int id = i < TRAY_IMAGE_COUNT ? IDI_TRAYLOAD0 + i : IDI_STATWELL;
        for (int size : {16, 32}) {
            HICON icon = static_cast<HICON>(
                LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr) << id << " " << size;
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bm{};
            GetObjectA(info.hbmColor, sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, size);
            if (info.hbmColor) DeleteObject(info.hbmColor);
            if (info.hbmMask) DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

// Every widget in its styles on one sheet; saved as a BMP when WIDGETS_GALLERY is set.
void SaveBmp(const Offscreen& off, const char* path) {
    GdiFlush();
    const PixelView v = off.Pixels();
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = v.width;
    bi.biHeight = -v.height;
    bi.biPlanes = 1;
    bi.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(v.width) * v.height * 4;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = fh.bfOffBits + bytes;
    if (FILE* f = std::fopen(path, "wb")) {
        std::fwrite(&fh, sizeof fh, 1, f);
        std::fwrite(&bi, sizeof bi, 1, f);
        std::fwrite(v.px, bytes, 1, f);
        std::fclose(f);
    }
}

TEST(GalleryWin, EveryWidgetPaints) {
    Canvas c(520, 540);
    ASSERT_TRUE(c.ok_);
    c.Fill(0x302820);
    int y = 8;
    const int values[] = {0, 2, 47, 1234};
    for (int s = ns13x24; s <= ns5x7; ++s) {
        int x = 8;
        for (int v : values) {
            TVrNum num;
            num.SetStyle(static_cast<TVrNumStyle>(s));
            num.SetDigits(4);
            num.SetAutoSize(true);
            if (s % 2) num.SetPalette(TVrPalette(0x6A2500, 0xFFCC00));
            if (v == 2) num.SetMin(-100);
            num.SetValue(v == 2 ? -42 : v);
            SIZE sz{};
            ASSERT_TRUE(num.AutoSizeExtent(sz));
            const int extra = num.Min() < 0 ? num.CellWidth() + num.Spacing() : 0;
            const RECT r{x, y, x + sz.cx + extra + 6, y + sz.cy + 6};
            num.Paint(c.Dc(), r);
            x = r.right + 8;
        }
        y += lcd::StyleOf(static_cast<TVrNumStyle>(s)).stripHeight + 14;
    }
    // Bars at several positions, both directions; the gadget's colours.
    const int positions[] = {0, 12, 37, 64, 88, 100};
    for (int i = 0; i < 6; ++i) {
        TALProgressBar bar;
        bar.SetPosition(positions[i]);
        bar.SetShowPosText(i % 2 == 1);
        const RECT r{8, y + i * 16, 160, y + i * 16 + 15};
        bar.Paint(c.Dc(), r);
        TALProgressBar v;
        v.SetDirection(pdBottomToTop);
        v.SetPosition(positions[i]);
        v.SetBorderColor1(0x202020);
        v.SetBorderColor2(0x202020);
        const RECT rv{170 + i * 22, y, 170 + i * 22 + 20, y + 95};
        v.Paint(c.Dc(), rv);
    }
    // Gauges: meter window style, System Details style, network style with a bevel.
    for (int i = 0; i < 4; ++i) {
        TVrGauge g;
        g.SetPosition(positions[i + 1]);
        g.SetBevelVisible(i == 3);
        if (i == 1) g.SetTickHeight(2);
        if (i == 2) g.SetPalette(TVrPalette(0xBF4300, 0xFF9965));
        const RECT r{310 + i * 26, y, 310 + i * 26 + 20, y + 95};
        g.Paint(c.Dc(), r);
    }
    y += 104;
    // Tray images enlarged four times, and at their own size below.
    for (int i = 0; i <= TRAY_IMAGE_COUNT; ++i) {
        const int id = i < TRAY_IMAGE_COUNT ? IDI_TRAYLOAD0 + i : IDI_STATWELL;
        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        ASSERT_NE(icon, nullptr);
        Canvas small(16, 16);
        small.Fill(0x302820);
        DrawIconEx(small.Dc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
        const int x = 8 + (i % 7) * 72, top = y + (i / 7) * 96;
        StretchBlt(c.Dc(), x, top, 64, 64, small.Dc(), 0, 0, 16, 16, SRCCOPY);
        DrawIconEx(c.Dc(), x + 24, top + 70, icon, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    y += 2 * 96;
    // Scopes: a meter window's, the network window's two lines, and steps on the family's
    // defaults.
    for (int i = 0; i < 3; ++i) {
        TVrScope scope;
        if (i < 2) {
            scope.SetGridSize(10);
            scope.SetGridColor(0x005500);
            scope.SetBaseOffset(0);
            scope.SetBaseColor(0);
        }
        TVrChannel& a = scope.Channels().Add();
        if (i == 1) {
            a.SetColor(65177);
            scope.Channels().Add().SetColor(16750949);
        }
        if (i == 2) a.SetStyle(gsBar);
        int n = 0;
        scope.OnNeedData = [&](TVrScope&, int ch, int& v) { v = (n * (7 + ch * 5)) % 90 + ch * 5; };
        for (; n < 90; ++n) scope.Tick();
        const RECT r{8 + i * 130, y, 8 + i * 130 + 121, y + 41};
        scope.Paint(c.Dc(), r);
    }
    EXPECT_NE(c.At(9, 9), 0x302820u);
    if (const char* path = std::getenv("WIDGETS_GALLERY")) SaveBmp(c.Off(), path);
}

}  // namespace
}  // namespace widgets
