// The gadget's layout, show commands, frame rules and its opacity controller.
#include <gtest/gtest.h>

#include <vector>

#include "monitor/ui/blend_rules.h"
#include "monitor/app/gadget_frame.h"
#include "monitor/app/gadget_layout.h"

using namespace gadget;

namespace {

// Design state: 150 x 75 gadget, Small Digital (LCD 7 high + 5), status 14.
Parts Fresh() {
    Parts p;
    p.networkHeight = 12;
    p.statusHeight = 14;
    p.bottomHeight = 26;
    p.clientHeight = 75;
    return p;
}

}  // namespace

TEST(GadgetShowCommands, LastVisibleElementCannotBeHidden) {
    Parts p = Fresh();
    bool checks[kBarCount] = {true, true, true, true};
    bool net = true, status = true;
    // Only CPU 1 left, Network and Status hidden.
    ASSERT_TRUE(ToggleBar(p, kCPU2, checks[kCPU2]));
    ASSERT_TRUE(ToggleBar(p, kRAM, checks[kRAM]));
    ASSERT_TRUE(ToggleBar(p, kSwap, checks[kSwap]));
    ASSERT_TRUE(TogglePanel(p, true, net));
    ASSERT_TRUE(TogglePanel(p, false, status));
    EXPECT_FALSE(p.bottom);
    EXPECT_EQ(p.bottomHeight, 0);
    EXPECT_EQ(p.clientHeight, 75 - 26);

    const Parts before = p;
    EXPECT_FALSE(ToggleBar(p, kCPU1, checks[kCPU1]));
    EXPECT_TRUE(checks[kCPU1]);
    EXPECT_TRUE(p.bar[kCPU1]);
    EXPECT_EQ(p.clientHeight, before.clientHeight);

    // Showing the status panel again restores its height in the bottom panel and the gadget.
    ASSERT_TRUE(TogglePanel(p, false, status));
    EXPECT_TRUE(p.bottom);
    EXPECT_EQ(p.bottomHeight, 14);
    EXPECT_EQ(p.clientHeight, 75 - 26 + 14);
    // Now the bar may go: the status panel remains.
    EXPECT_TRUE(ToggleBar(p, kCPU1, checks[kCPU1]));
    EXPECT_FALSE(checks[kCPU1]);
}

TEST(GadgetShowCommands, AllBarsHiddenThenShownAgain) {
    Parts p = Fresh();
    bool checks[kBarCount] = {true, true, true, true};
    for (BarId b : {kCPU1, kCPU2, kRAM, kSwap}) ASSERT_TRUE(ToggleBar(p, b, checks[b]));
    EXPECT_EQ(VisibleBars(p), 0);

    // The layout hides the graphs and leaves a strip as high as the bottom panels.
    BarLayout l = LayoutBars(p.bar, true, 150, 49);
    EXPECT_FALSE(l.graphsShown);
    ApplyBarLayout(p, l);
    EXPECT_FALSE(p.graphs);
    EXPECT_EQ(p.clientHeight, 26);

    // With no graphs, the last panel cannot be hidden, but the other one can.
    bool net = true, status = true;
    ASSERT_TRUE(TogglePanel(p, true, net));
    EXPECT_EQ(p.clientHeight, 14);
    EXPECT_FALSE(TogglePanel(p, false, status));
    EXPECT_TRUE(p.status);
    ASSERT_TRUE(TogglePanel(p, true, net));
    EXPECT_EQ(p.clientHeight, 26);

    // Showing a bar again gives the graphs 15 pixels.
    ASSERT_TRUE(ToggleBar(p, kRAM, checks[kRAM]));
    EXPECT_TRUE(p.graphs);
    EXPECT_EQ(p.clientHeight, 26 + kReopenedGraphHeight);
    l = LayoutBars(p.bar, true, 150, kReopenedGraphHeight);
    EXPECT_TRUE(l.graphsShown);
    EXPECT_EQ(l.barSize, 15);
    EXPECT_FALSE(l.cpuRowVisible);
}

TEST(GadgetLayout, SeventyFivePixelSplit) {
    const bool three[kBarCount] = {true, true, true, false};
    BarLayout h = LayoutBars(three, true, 150, 75);
    EXPECT_EQ(h.barSize, 25);
    EXPECT_EQ(h.cpuRowSize, 50);
    EXPECT_TRUE(h.cpuRowVisible);
    EXPECT_EQ(h.memoryRowSize, 25);

    const bool all[kBarCount] = {true, true, true, true};
    h = LayoutBars(all, true, 150, 75);
    EXPECT_EQ(h.barSize, 18);  // 75 div 4
    EXPECT_EQ(h.cpuRowSize, 36);
    EXPECT_EQ(h.memoryRowSize, 36);

    // Vertical orientation splits the width instead.
    const bool cpu2ram[kBarCount] = {false, true, true, false};
    BarLayout v = LayoutBars(cpu2ram, false, 150, 75);
    EXPECT_EQ(v.barSize, 75);
    EXPECT_EQ(v.cpuRowSize, 75);
    EXPECT_TRUE(v.cpuRowVisible);
    EXPECT_EQ(v.memoryRowSize, 75);

    const bool memOnly[kBarCount] = {false, false, true, true};
    v = LayoutBars(memOnly, false, 151, 75);
    EXPECT_FALSE(v.cpuRowVisible);
    EXPECT_EQ(v.barSize, 75);
    EXPECT_EQ(v.memoryRowSize, 150);
}

TEST(GadgetLayout, NetworkDisplayHeightsAndDigits) {
    EXPECT_EQ(NetworkPanelHeight(NetDisplay::Small, 7, 13), 12);
    EXPECT_EQ(NetworkPanelHeight(NetDisplay::Big, 13, 13), 18);
    EXPECT_EQ(NetworkPanelHeight(NetDisplay::Normal, 13, 13), 15);

    Parts p = Fresh();
    SetNetworkHeight(p, 18);
    EXPECT_EQ(p.bottomHeight, 32);
    bool status = true;
    ASSERT_TRUE(TogglePanel(p, false, status));
    EXPECT_EQ(p.bottomHeight, 18);
    SetNetworkHeight(p, 12);
    EXPECT_EQ(p.bottomHeight, 12);
    p.network = false;
    SetNetworkHeight(p, 12);
    EXPECT_EQ(p.bottomHeight, 0);

    // 150 wide, LCDs 3 x 5x7 cells: q = 37, g = 18 + 6 + 4 = 28.
    DigitPlacement d = PlaceDigits(150, 18, 6, 4, 18, false);
    EXPECT_EQ(d.down1.left, 37 - 14);
    EXPECT_EQ(d.up1.left, 111 - 14);
    EXPECT_EQ(d.downPoint.left, 23 + 18 + 1);
    EXPECT_EQ(d.downPoint.top, -4);
    EXPECT_EQ(d.down2.left, d.downPoint.left + 4);
    EXPECT_EQ(d.up2.left, d.upPoint.left + 4);
    EXPECT_EQ(d.up2.top, 2);
    EXPECT_EQ(PlaceDigits(150, 30, 10, 4, 30, true).upPoint.top, 2);

    TextPlacement t = PlaceRateTexts(150, 20, 31);
    EXPECT_EQ(t.download.left, 27);
    EXPECT_EQ(t.upload.left, 111 - 15);
    EXPECT_EQ(t.upload.top, 1);
}

TEST(GadgetLayout, RateCellsGrowForFourDigitWholePartsOnly) {
    EXPECT_EQ(RateCells(0, 0), 3);
    EXPECT_EQ(RateCells(999, 999), 3);
    EXPECT_EQ(RateCells(1515, 2), 4) << "one rate is enough for both LCDs";
    EXPECT_EQ(RateCells(2, 1000), 4);
    EXPECT_EQ(RateCells(2000000000, 0), 4) << "the LCD's range ends at 9999";
    EXPECT_EQ(RateCells(-5, -100000), 3);
}

TEST(GadgetFrame, HitTestGrips) {
    // 150 x 75 borderless: 5-pixel grips.
    auto hit = [](int x, int y, bool graphs = true, bool border = false) {
        return HitTest(x, y, 150, 75, 150, 75, border, graphs);
    };
    EXPECT_EQ(hit(0, 0), Hit::TopLeft);
    EXPECT_EQ(hit(146, 4), Hit::TopRight);
    EXPECT_EQ(hit(146, 71), Hit::BottomRight);
    EXPECT_EQ(hit(4, 71), Hit::BottomLeft);
    EXPECT_EQ(hit(4, 40), Hit::Left);
    EXPECT_EQ(hit(60, 4), Hit::Top);
    EXPECT_EQ(hit(146, 40), Hit::Right);
    EXPECT_EQ(hit(60, 71), Hit::Bottom);
    EXPECT_EQ(hit(5, 5), Hit::Caption);
    EXPECT_EQ(hit(145, 70), Hit::Caption);
    EXPECT_EQ(hit(7, 40, true, true), Hit::Left);  // 8 with the Windows border
    // No bars: only left and right resize, corners included.
    EXPECT_EQ(hit(0, 0, false), Hit::Left);
    EXPECT_EQ(hit(149, 74, false), Hit::Right);
    EXPECT_EQ(hit(60, 0, false), Hit::Caption);
    EXPECT_EQ(hit(60, 74, false), Hit::Caption);
    // A client area under 10 pixels in either direction gets 3-pixel grips.
    EXPECT_EQ(GripSize(150, 9, true), 3);
    EXPECT_EQ(GripSize(9, 75, false), 3);
    EXPECT_EQ(GripSize(10, 10, false), 5);
}

TEST(GadgetFrame, SnapOnAndOff) {
    const Area work{0, 0, 1024, 738};
    int x = 8, y = 300;
    EXPECT_TRUE(Snap(x, y, 150, 75, work, 10, soScreen));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 300);
    x = 1024 - 150 - 10, y = 738 - 75 - 11;
    EXPECT_TRUE(Snap(x, y, 150, 75, work, 10, soScreen));
    EXPECT_EQ(x, 874);
    EXPECT_EQ(y, 738 - 75 - 11);  // 11 pixels away: stays
    x = 500, y = 10;
    EXPECT_TRUE(Snap(x, y, 150, 75, work, 10, soScreen));
    EXPECT_EQ(y, 0);
    x = 11, y = 11;
    EXPECT_FALSE(Snap(x, y, 150, 75, work, 10, soScreen));
    x = 8, y = 5;
    EXPECT_FALSE(Snap(x, y, 150, 75, work, 10, soNothing));
    EXPECT_EQ(x, 8);
    EXPECT_EQ(y, 5);
    // Wider than the work area: the left edge wins.
    x = 3, y = 100;
    Snap(x, y, 2000, 75, work, 10, soScreen);
    EXPECT_EQ(x, 0);
}

TEST(GadgetFrame, SnapsToTheMonitorItIsOn) {
    // A second monitor left of the primary one: the gadget in its middle stays put, and near
    // its edges it snaps to that monitor's edges, not the primary's.
    const Area second{-1280, 0, 0, 1000};
    int x = -700, y = 400;
    EXPECT_FALSE(Snap(x, y, 150, 75, second, 10, soScreen));
    EXPECT_EQ(x, -700);
    x = -1275;
    EXPECT_TRUE(Snap(x, y, 150, 75, second, 10, soScreen));
    EXPECT_EQ(x, -1280);
    x = -155;
    EXPECT_TRUE(Snap(x, y, 150, 75, second, 10, soScreen));
    EXPECT_EQ(x, -150);
}

TEST(GadgetFrame, HideCaption) {
    EXPECT_STREQ(HideItemCaption(true), "Hide Main Window");
    EXPECT_STREQ(HideItemCaption(false), "Show Main Window");
}

namespace {

using ui::Blend;
using ui::kLwaAlpha;
using ui::kLwaColorKey;
using ui::LayeredWindow;

struct FakeWindow final : LayeredWindow {
    bool exists = true, supported = true, layered = false;
    std::uint8_t alpha = 255;
    std::uint32_t flags = 0, key = 0;
    int attributeCalls = 0, redraws = 0;
    bool Exists() const override { return exists; }
    bool Supported() const override { return supported; }
    bool Layered() const override { return layered; }
    void SetLayered(bool on) override { layered = on; }
    void SetAttributes(std::uint32_t k, std::uint8_t a, std::uint32_t f) override {
        key = k, alpha = a, flags = f;
        ++attributeCalls;
    }
    void RedrawAll() override { ++redraws; }
};

}  // namespace

TEST(GadgetBlend, AppliesOnChangeOnly) {
    FakeWindow w;
    Blend b(&w);
    b.SetAlphaBlendValue(44);
    EXPECT_FALSE(w.layered);  // blending off: the value alone does not layer the window
    b.SetAlphaBlend(true);
    EXPECT_TRUE(w.layered);
    EXPECT_EQ(w.alpha, 44);
    EXPECT_EQ(w.flags, kLwaAlpha);
    const int calls = w.attributeCalls;
    b.SetAlphaBlend(true);
    b.SetAlphaBlendValue(44);
    EXPECT_EQ(w.attributeCalls, calls);
    b.SetTransparentColor(true);
    EXPECT_EQ(w.flags, kLwaAlpha | kLwaColorKey);
    b.SetAlphaBlend(false);
    b.SetTransparentColor(false);
    EXPECT_FALSE(w.layered);
    EXPECT_GE(w.redraws, 1);

    FakeWindow old;
    old.supported = false;
    Blend none(&old);
    none.SetAlphaBlend(true);
    EXPECT_FALSE(old.layered);
    EXPECT_EQ(old.attributeCalls, 0);
}

TEST(GadgetBlend, WindowsBorderKeepsTheOpacity) {
    FakeWindow w;
    Blend b(&w);
    b.SetAlphaBlendValue(128);
    b.SetAlphaBlend(true);
    // The frame switch leaves the window without its layered attributes.
    w.layered = false;
    w.alpha = 255;
    w.flags = 0;
    b.Reapply();
    EXPECT_TRUE(b.AlphaBlend());
    EXPECT_FALSE(b.TransparentColor());
    EXPECT_TRUE(w.layered);
    EXPECT_EQ(w.alpha, 128);
    EXPECT_EQ(w.flags, kLwaAlpha);

    // An opaque gadget stays opaque and unlayered.
    FakeWindow o;
    Blend opaque(&o);
    opaque.Reapply();
    EXPECT_FALSE(opaque.AlphaBlend());
    EXPECT_FALSE(o.layered);
}
