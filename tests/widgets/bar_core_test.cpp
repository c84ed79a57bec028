#include "widgets/bar_core.h"

#include <gtest/gtest.h>

#include <climits>

namespace widgets {
namespace {

using level::Range;

TEST(LevelRange, OutOfRangeIsIgnoredAndBoundsPullThePosition) {
    Range r;
    EXPECT_TRUE(r.SetPosition(37));
    EXPECT_FALSE(r.SetPosition(101));
    EXPECT_FALSE(r.SetPosition(-1));
    EXPECT_EQ(r.Position(), 37);
    EXPECT_FALSE(r.SetPosition(37));  // no change, no repaint
    EXPECT_TRUE(r.SetPosition(100));
    EXPECT_TRUE(r.SetPosition(0));

    EXPECT_FALSE(r.SetMax(0));  // must stay above Min
    EXPECT_TRUE(r.SetPosition(80));
    EXPECT_TRUE(r.SetMax(50));
    EXPECT_EQ(r.Position(), 50);
    EXPECT_FALSE(r.SetPosition(51));
    EXPECT_FALSE(r.SetMin(50));
    EXPECT_TRUE(r.SetMin(-20));
    EXPECT_TRUE(r.SetPosition(-20));
}

TEST(LevelGeometry, LitLengthAndZoneSpans) {
    EXPECT_EQ(level::LitLength(150, 37, 0, 100), 56);  // 55.5 rounds up
    EXPECT_EQ(level::LitLength(100, 0, 0, 100), 0);
    EXPECT_EQ(level::LitLength(100, 100, 0, 100), 100);
    EXPECT_EQ(level::LitLength(10, 25, 0, 50), 5);
    EXPECT_EQ(level::LitLength(10, 500, 0, 50), 10);  // clamped
    EXPECT_EQ(level::LitLength(10, 5, 5, 5), 0);      // no range

    const level::Spans s = level::BarSpans(100, level::BarLayout{70, 60, 85});
    ASSERT_EQ(s.count, 4);
    EXPECT_EQ(s.span[0].end, 60);
    EXPECT_TRUE(s.span[0].lit);
    EXPECT_EQ(s.span[0].zone, level::Zone::Low);
    EXPECT_EQ(s.span[1].begin, 60);
    EXPECT_EQ(s.span[1].end, 70);
    EXPECT_TRUE(s.span[1].lit);
    EXPECT_EQ(s.span[2].zone, level::Zone::Medium);
    EXPECT_FALSE(s.span[2].lit);
    EXPECT_EQ(s.span[3].begin, 85);
    EXPECT_EQ(s.span[3].end, 100);
    EXPECT_EQ(s.span[3].zone, level::Zone::High);

    // Spans always cover the bar without gaps or overlap, whatever the length and fill.
    for (int len = 1; len < 40; ++len)
        for (int lit = 0; lit <= len; ++lit) {
            const level::Spans t =
                level::BarSpans(len, level::BarLayout{lit, level::MediumStart(len), level::HighStart(len)});
            int at = 0, litPixels = 0;
            for (int i = 0; i < t.count; ++i) {
                ASSERT_EQ(t.span[i].begin, at);
                ASSERT_LT(t.span[i].begin, t.span[i].end);
                if (t.span[i].lit) litPixels += t.span[i].end - t.span[i].begin;
                at = t.span[i].end;
            }
            ASSERT_EQ(at, len);
            ASSERT_EQ(litPixels, lit);
        }
}

TEST(LevelGeometry, SegmentedBarsLightWholeSegmentsAndChangeColourBetweenThem) {
    Range r;
    r.SetPosition(37);
    // 40 pixels are 10 segments: 3.7 rounds to 4 lit; zones from segment 6 and 9.
    level::BarLayout l = level::LayoutBar(40, r, true);
    EXPECT_EQ(l.litLength, 16);
    EXPECT_EQ(l.mediumStart, 24);
    EXPECT_EQ(l.highStart, 36);
    r.SetPosition(100);
    EXPECT_EQ(level::LayoutBar(42, r, true).litLength, 42);  // the short last segment too
    r.SetPosition(1);
    EXPECT_EQ(level::LayoutBar(40, r, true).litLength, 0);   // under half a segment
    EXPECT_EQ(level::LayoutBar(40, r, false).litLength, 0);  // 0.4 pixel
    r.SetPosition(3);
    EXPECT_EQ(level::LayoutBar(40, r, false).litLength, 1);
    EXPECT_EQ(level::LayoutBar(40, r, false).mediumStart, 24);
    EXPECT_EQ(level::LayoutBar(0, r, true).litLength, 0);
    for (int len = 1; len < 200; ++len) {
        const level::BarLayout s = level::LayoutBar(len, r, true);
        ASSERT_EQ(s.mediumStart % level::kSegmentPitch == 0 || s.mediumStart == len, true) << len;
        ASSERT_LE(s.mediumStart, s.highStart);
        ASSERT_LE(s.highStart, len);
    }
}

constexpr Pixel kGreen = ToPixel(0x33CC33), kYellow = ToPixel(0x01FFFF), kRed = ToPixel(0x0000FF);

TEST(LevelPaint, BarColoursBorderGapsAndDirection) {
    Image img;
    img.Resize(42, 10);
    level::BarLook look;
    look.border1 = 0x202020;
    look.border2 = 0x404040;
    Range r;
    r.SetPosition(100);
    level::PaintBar(img.View(), look, r);
    EXPECT_EQ(img.At(0, 5), 0x202020u);
    EXPECT_EQ(img.At(5, 0), 0x202020u);
    EXPECT_EQ(img.At(41, 5), 0x404040u);
    EXPECT_EQ(img.At(5, 9), 0x404040u);
    // Inner length 40: green to 24, yellow to 34, red after; every fourth pixel a gap.
    EXPECT_EQ(img.At(1, 5), kGreen);
    EXPECT_EQ(img.At(1 + 3, 5), 0u);
    EXPECT_EQ(img.At(1 + 25, 5), kYellow);
    EXPECT_EQ(img.At(1 + 38, 5), kRed);

    r.SetPosition(0);
    level::PaintBar(img.View(), look, r);
    EXPECT_EQ(img.At(1, 5), Mix(kGreen, 0, level::kUnlitWeight));  // unlit: dim green
    EXPECT_EQ(img.At(1 + 38, 5), Mix(kRed, 0, level::kUnlitWeight));

    // Bottom to top at 50 %, no border, not segmented: the lower half lit.
    look.showBorder = false;
    look.segmented = false;
    look.direction = pdBottomToTop;
    look.background = 0x101010;
    r.SetPosition(50);
    level::PaintBar(img.View(), look, r);
    EXPECT_EQ(img.At(20, 9), kGreen);
    EXPECT_EQ(img.At(20, 5), kGreen);
    EXPECT_EQ(img.At(20, 4), Mix(kGreen, ToPixel(0x101010), level::kUnlitWeight));
    EXPECT_EQ(img.At(20, 0), Mix(kRed, ToPixel(0x101010), level::kUnlitWeight));

    // A bar of no size paints nothing and does not fault.
    Image none;
    level::PaintBar(none.View(), look, r);
}

TEST(LevelPaint, GaugeTicksFromTheBottom) {
    Range r;
    r.SetPosition(50);
    const level::Ticks t = level::GaugeTicks(20, 2, 1, r);
    EXPECT_EQ(t.count, 7);
    EXPECT_EQ(t.active, 4);  // 3.5 rounds up
    EXPECT_EQ(level::GaugeTicks(1, 2, 1, r).count, 0);

    Image img;
    img.Resize(10, 26);
    level::GaugeLook look;  // bevel: ticks inside 3..23 in both directions
    look.tickHeight = 2;
    look.low = 0x000080;
    look.high = 0x0000FF;
    level::PaintGauge(img.View(), look, r);
    EXPECT_EQ(img.At(0, 0), 0x808080u);
    EXPECT_EQ(img.At(9, 25), 0xFFFFFFu);
    EXPECT_EQ(img.At(5, 22), ToPixel(0x0000FF));     // bottom tick active
    EXPECT_EQ(img.At(5, 20), ToPixel(0x000000));     // gap above it
    EXPECT_EQ(img.At(5, 3 + 1), ToPixel(0x000080));  // top tick inactive

    look.bevel = false;
    r.SetPosition(100);
    level::PaintGauge(img.View(), look, r);
    EXPECT_EQ(img.At(0, 25), ToPixel(0x0000FF));
    EXPECT_EQ(img.At(0, 0), ToPixel(0x0000FF));
}

// Lengths, ranges and tick sizes at the ends of the int range: the arithmetic stays exact or
// saturates, never overflows (UBSan stops the test), and nothing is drawn outside the picture.
TEST(LevelGeometry, ExtremeInputsNeitherOverflowNorLeaveThePicture) {
    EXPECT_EQ(level::LitLength(INT_MAX, INT_MAX, INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(level::LitLength(INT_MAX, 0, INT_MIN, INT_MAX), INT_MAX / 2 + 1);
    EXPECT_EQ(level::MediumStart(INT_MAX), 1288490188);
    EXPECT_EQ(level::HighStart(INT_MAX), 1825361100);
    Range wide(INT_MIN, INT_MAX);
    wide.SetPosition(INT_MAX);
    const level::BarLayout l = level::LayoutBar(INT_MAX, wide, true);
    EXPECT_EQ(l.litLength, INT_MAX);
    const level::Ticks t = level::GaugeTicks(INT_MAX, INT_MAX, INT_MAX, wide);
    EXPECT_EQ(t.count, 1);
    EXPECT_EQ(level::BarInner(INT_MIN, INT_MIN, level::BarLook{}).Width(), 0);

    Image img;
    img.Resize(9, 7);
    level::GaugeLook look;
    for (int tick : {1, 7, INT_MAX})
        for (int gap : {0, INT_MAX}) {
            look.tickHeight = tick;
            look.spacing = gap;
            for (auto o : {voVertical, voHorizontal}) {
                look.orientation = o;
                level::PaintGauge(img.View(), look, wide);
            }
        }
    look.tickHeight = 1;
    look.spacing = 0;
    look.orientation = voVertical;
    level::PaintGauge(img.View(), look, wide);
    EXPECT_EQ(img.At(4, 3), ToPixel(look.high));
    FillRect(img.View(), INT_MAX, INT_MAX, INT_MIN, INT_MIN, 1);
    FillRect(img.View(), 100, 0, 200, 7, 1);  // wholly right of the picture
    level::PaintBar(img.View(), level::BarLook{}, wide);
}

}  // namespace
}  // namespace widgets
