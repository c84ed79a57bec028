#include "monitor/meters/meter_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace meters {
namespace {

std::string Value(int v) {
    char b[16];
    ValueText(v, b, sizeof b);
    return b;
}
std::string Rate(int v) {
    char b[16];
    RateText(v, b, sizeof b);
    return b;
}

TEST(MeterTexts, PercentAndRateTextsPadOneDigitShort) {
    EXPECT_EQ(Value(5), " 5 %");
    EXPECT_EQ(Value(0), " 0 %");
    EXPECT_EQ(Value(9), " 9 %");
    EXPECT_EQ(Value(10), "10 %");
    EXPECT_EQ(Value(42), "42 %");
    EXPECT_EQ(Value(100), "100 %");
    EXPECT_EQ(Rate(7), " 7");
    EXPECT_EQ(Rate(99), " 99");
    EXPECT_EQ(Rate(100), "100");
    EXPECT_EQ(Rate(9999), "9999");
}

TEST(MeterFrame, EdgesAreThinnerOnSmallWindowsAndCornersWinOverEdges) {
    EXPECT_EQ(EdgeThickness(false, 143, 25), 5);
    EXPECT_EQ(EdgeThickness(true, 143, 25), 8);
    EXPECT_EQ(EdgeThickness(true, 143, 14), 3);
    EXPECT_EQ(EdgeThickness(false, 14, 40), 3);
    EXPECT_EQ(EdgeThickness(false, 15, 15), 5);

    const int W = 143, H = 25, t = 5;
    EXPECT_EQ(HitTest(0, 0, W, H, t), Hit::TopLeft);
    EXPECT_EQ(HitTest(4, 4, W, H, t), Hit::TopLeft);
    EXPECT_EQ(HitTest(139, 4, W, H, t), Hit::TopRight);
    EXPECT_EQ(HitTest(138, 4, W, H, t), Hit::Top);  // x > W - t is strict
    EXPECT_EQ(HitTest(142, 24, W, H, t), Hit::BottomRight);
    EXPECT_EQ(HitTest(2, 21, W, H, t), Hit::BottomLeft);
    EXPECT_EQ(HitTest(2, 12, W, H, t), Hit::Left);
    EXPECT_EQ(HitTest(60, 2, W, H, t), Hit::Top);
    EXPECT_EQ(HitTest(140, 12, W, H, t), Hit::Right);
    EXPECT_EQ(HitTest(60, 21, W, H, t), Hit::Bottom);
    EXPECT_EQ(HitTest(60, 20, W, H, t), Hit::Caption);
    EXPECT_EQ(HitTest(5, 5, W, H, t), Hit::Caption);
    // A window only 10 high with 3-pixel edges still has a body to drag.
    EXPECT_EQ(HitTest(60, 5, 143, 10, 3), Hit::Caption);
}

TEST(MeterLayout, GaugesAndLabelsFollowTheClientHeight) {
    GaugeLayout g = LayoutGauges(40, 11);
    EXPECT_EQ(g.gaugeHeight, 19);
    EXPECT_EQ(g.labelTop, 26);
    EXPECT_TRUE(g.labelVisible);
    EXPECT_TRUE(g.gaugeVisible);
    g = LayoutGauges(21, 11);
    EXPECT_EQ(g.gaugeHeight, 1);  // never zero or less
    EXPECT_TRUE(g.labelVisible);
    EXPECT_TRUE(g.gaugeVisible);
    g = LayoutGauges(18, 11);
    EXPECT_TRUE(g.labelVisible);
    EXPECT_FALSE(g.gaugeVisible);
    g = LayoutGauges(14, 11);
    EXPECT_FALSE(g.labelVisible);
}

TEST(MeterMenu, ModesShowTheirOwnItems) {
    MenuShown m = MeterMenu(true);
    EXPECT_TRUE(m.graph);
    EXPECT_FALSE(m.horizontal);
    EXPECT_FALSE(m.transparent);
    m = MeterMenu(false);
    EXPECT_FALSE(m.graph);
    EXPECT_TRUE(m.horizontal);
    EXPECT_TRUE(m.transparent);
    EXPECT_STREQ(FamilyOf(settings::Meter::Swap).className, "TfrmSwap");
    EXPECT_STREQ(FamilyOf(settings::Meter::CPU2).closeCaption, "Close CPU 2");
}

}  // namespace
}  // namespace meters
