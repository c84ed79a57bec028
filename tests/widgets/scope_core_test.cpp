#include "widgets/scope_core.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace widgets::scope {
namespace {

std::vector<ScopeInt> Samples(const History& h) {
    std::vector<ScopeInt> v;
    for (std::size_t i = 0; i < h.Count(); ++i) v.push_back(h.At(i));
    return v;
}

// The history as fixed 10-character decimal fields, newest first, the way the scope's history
// was first defined; the ring must behave exactly like it.
struct TextHistory {
    std::string text;
    void Push(ScopeInt v, int limit) {
        char field[16];
        if (v >= 0)
            std::snprintf(field, sizeof field, "%010d", v);
        else
            std::snprintf(field, sizeof field, "-%09d", -v);
        text = field + text;
        const long long keep = limit <= 0 ? 0 : static_cast<long long>(limit) * 10;
        if (static_cast<long long>(text.size()) >= keep)
            text = text.substr(0, static_cast<std::size_t>(keep));
    }
    std::vector<ScopeInt> Values() const {
        std::vector<ScopeInt> v;
        for (std::size_t i = 0; i + 10 <= text.size(); i += 10) v.push_back(std::stoi(text.substr(i, 10)));
        return v;
    }
};

TEST(ScopeHistory, RingMatchesTheFixedWidthTextFormThroughSizeChanges) {
    Model m;
    ASSERT_TRUE(m.SetMinValue(-999999999));
    ASSERT_TRUE(m.SetMaxValue(999999999));
    m.SetChannelCount(1);
    TextHistory ref;
    std::mt19937 rng(7);
    const int sizes[] = {5, 999, 3, 0, 1, 17, -4, 64, 5000, 2};
    int size = m.BufferSize();
    for (int round = 0; round < 40; ++round) {
        if (round % 4 == 3) {
            size = sizes[(round / 4) % 10];
            m.SetBufferSize(size);
            // Until the next tick the history keeps what it had.
            EXPECT_EQ(Samples(m.ChannelHistory(0)), ref.Values());
        }
        const int ticks = 1 + static_cast<int>(rng() % 40);
        for (int t = 0; t < ticks; ++t) {
            const ScopeInt v = static_cast<ScopeInt>(rng() % 1999999999) - 999999999;
            m.Tick([&](std::size_t, ScopeInt& x) { x = v; });
            ref.Push(v, size);
        }
        ASSERT_EQ(Samples(m.ChannelHistory(0)), ref.Values()) << "round " << round << " size " << size;
    }
}

TEST(ScopeModel, TickStoresMinValueWithoutHandlerAndClampsHandlerValues) {
    Model m;
    ASSERT_TRUE(m.SetMinValue(-5));
    m.SetChannelCount(3);
    m.Tick([](std::size_t, ScopeInt&) {});
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(Samples(m.ChannelHistory(i)), std::vector<ScopeInt>{-5});
    m.Tick([](std::size_t ch, ScopeInt& v) { v = ch == 0 ? 250 : ch == 1 ? -80 : 42; });
    EXPECT_EQ(m.ChannelHistory(0).At(0), 100);
    EXPECT_EQ(m.ChannelHistory(1).At(0), -5);
    EXPECT_EQ(m.ChannelHistory(2).At(0), 42);
    EXPECT_EQ(m.ChannelHistory(2).Count(), 2u);
}

TEST(ScopeModel, RangeChangesAreRefusedUnlessMinStaysBelowMaxAndOtherwiseClearHistories) {
    Model m;
    m.SetChannelCount(2);
    m.Tick([](std::size_t, ScopeInt& v) { v = 50; });
    EXPECT_FALSE(m.SetMinValue(100));  // equal to MaxValue
    EXPECT_FALSE(m.SetMaxValue(0));    // equal to MinValue
    EXPECT_FALSE(m.SetMinValue(101));
    EXPECT_FALSE(m.SetMaxValue(1000000000));  // outside the range of values
    EXPECT_EQ(m.MinValue(), 0);
    EXPECT_EQ(m.MaxValue(), 100);
    EXPECT_EQ(m.ChannelHistory(1).Count(), 1u);
    EXPECT_TRUE(m.SetMaxValue(50));
    EXPECT_EQ(m.ChannelHistory(0).Count(), 0u);
    EXPECT_EQ(m.ChannelHistory(1).Count(), 0u);
    // Adding or removing channels leaves the others' histories alone.
    m.Tick([](std::size_t ch, ScopeInt& v) { v = static_cast<ScopeInt>(ch) + 1; });
    m.InsertChannel(0);
    m.RemoveChannel(2);
    EXPECT_EQ(m.ChannelHistory(0).Count(), 0u);
    EXPECT_EQ(Samples(m.ChannelHistory(1)), std::vector<ScopeInt>{1});
}

TEST(ScopeRules, BaseLineAndSampleY) {
    EXPECT_EQ(BaseLineY(41, 0), 40);
    EXPECT_EQ(BaseLineY(41, 50), 20);  // 20.5 rounds to the even 20
    EXPECT_EQ(BaseLineY(10, 25), 7);   // 2.5 -> 2
    EXPECT_EQ(BaseLineY(10, 35), 5);   // 3.5 -> 4
    EXPECT_EQ(BaseLineY(249, 100), -1);
    EXPECT_EQ(BaseLineY(41, 33), 41 - 14 - 1);  // 13.53 -> 14

    EXPECT_EQ(SampleY(0, 0, 100, 41), 41);
    EXPECT_EQ(SampleY(100, 0, 100, 41), 0);
    EXPECT_EQ(SampleY(50, 0, 100, 41), 41 - 20);
    // One-percent steps: 9 of 0..1000 is still 0 %, 10 is 1 %.
    EXPECT_EQ(SampleY(9, 0, 1000, 200), 200);
    EXPECT_EQ(SampleY(10, 0, 1000, 200), 198);
    // The widest range does not overflow.
    EXPECT_EQ(SampleY(999999999, -999999999, 999999999, 41), 0);
    EXPECT_EQ(SampleY(-999999999, -999999999, 999999999, 41), 41);
    EXPECT_EQ(SampleY(0, -999999999, 999999999, 100), 50);
    // Values and heights from outside the model's rules: on the edge, no overflow.
    EXPECT_EQ(SampleY(INT32_MIN, INT32_MAX, -1, INT32_MAX), 0);
    EXPECT_EQ(SampleY(INT32_MAX, 0, 1, INT32_MIN), 0);
    EXPECT_EQ(SampleY(-5, 0, 100, 41), 41);
}

TEST(ScopeLayout, WidestLinesStillLayOutWithoutOverflow) {
    Model m;
    m.SetGridLineWidth(INT32_MAX);
    m.SetChannelCount(1);
    m.Look(0).width = INT32_MAX;
    m.Tick([](std::size_t, ScopeInt& v) { v = 50; });
    Frame f;
    m.Layout(20, 10, f);
    ASSERT_FALSE(f.lines[0].empty());
    EXPECT_EQ(f.lines[0].front().x, 21);  // the pen starts one step right of the picture
}

TEST(ScopeLayout, GridLinesAroundTheBaseLineAndScrollingWithTheData) {
    Model m;
    ASSERT_TRUE(m.SetGridSize(10));
    EXPECT_EQ(m.BaseOffset(), 50);
    Frame f;
    m.Layout(121, 41, f);
    std::vector<int> xs, ys;
    for (const Segment& s : f.grid) {
        if (s.x0 == s.x1) {
            xs.push_back(s.x0);
            EXPECT_EQ(s.y0, 0);
            EXPECT_EQ(s.y1, 41);
        } else {
            ys.push_back(s.y0);
            EXPECT_EQ(s.x0, 0);
            EXPECT_EQ(s.x1, 121);
        }
    }
    EXPECT_EQ(xs, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}));
    // Up to the first line above the top, down to the first below the bottom (those two are
    // kept just off the picture).
    EXPECT_EQ(ys, (std::vector<int>{10, 0, -3, 30, 40, 44}));
    EXPECT_EQ(f.baseY, 20);
    EXPECT_EQ(f.base.y0, 20);
    EXPECT_EQ(f.base.x1, 121);

    // Frequency 3: the vertical lines move left by 3 per tick and repeat every 10.
    ASSERT_TRUE(m.SetFrequency(3));
    int expected = 0;
    for (int tick = 1; tick <= 12; ++tick) {
        m.AdvanceGrid();
        expected = (expected + 3) % 10;
        m.Layout(121, 41, f);
        EXPECT_EQ(f.grid.front().x0, -expected) << tick;
        EXPECT_EQ(f.grid[1].x0, 10 - expected);
    }
    // A frequency larger than the grid keeps the offset inside one cell.
    ASSERT_TRUE(m.SetFrequency(2147483647));
    for (int tick = 0; tick < 5; ++tick) {
        m.AdvanceGrid();
        EXPECT_GE(m.GridOffset(), 0);
        EXPECT_LT(m.GridOffset(), 10);
    }
    m.SetAnimateGrid(false);
    const int still = m.GridOffset();
    m.AdvanceGrid();
    EXPECT_EQ(m.GridOffset(), still);
}

TEST(ScopeLayout, PolylinesShowAtMostWhatFitsAndDropToTheBaseLineAfterTheOldest) {
    Model m;
    ASSERT_TRUE(m.SetBaseOffset(0));
    m.SetChannelCount(1);
    Frame f;
    // Three samples: from just right of the picture along them, then down to the base line.
    for (ScopeInt v : {10, 20, 30}) m.Tick([v](std::size_t, ScopeInt& x) { x = v; });
    m.Layout(121, 41, f);
    const std::vector<Point>& p = f.lines[0];
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[1].x, 121);
    EXPECT_EQ(p[1].y, SampleY(30, 0, 100, 41));  // newest on the right
    EXPECT_EQ(p[2].x, 120);
    EXPECT_EQ(p[3].x, 119);
    EXPECT_EQ(p[3].y, SampleY(10, 0, 100, 41));
    EXPECT_EQ(p[4].x, 118);
    EXPECT_EQ(p[4].y, 40);  // the base line, on the bottom row
    EXPECT_GE(p[0].x, 121);
    EXPECT_EQ(p[0].y, 40);

    // 200 samples, width 121: 122 are drawn, the rest stay in the history.
    for (int i = 0; i < 197; ++i) m.Tick([i](std::size_t, ScopeInt& x) { x = i % 100; });
    m.Layout(121, 41, f);
    EXPECT_EQ(m.ChannelHistory(0).Count(), 200u);
    EXPECT_EQ(f.lines[0].size(), 1u + 122u);
    EXPECT_EQ(f.lines[0].back().x, 0);

    // Steps: each sample holds its level for one Frequency.
    m.Look(0).style = gsBar;
    ASSERT_TRUE(m.SetFrequency(40));
    m.Layout(121, 41, f);
    const std::vector<Point>& b = f.lines[0];
    ASSERT_GE(b.size(), 5u);
    EXPECT_EQ(b[1].x, 121);
    EXPECT_EQ(b[2].x, 81);
    EXPECT_EQ(b[2].y, b[1].y);
    EXPECT_EQ(b[3].x, 81);
    EXPECT_EQ(b[4].x, 41);
    EXPECT_EQ(b[4].y, b[3].y);
}

TEST(ScopeLayout, HugeFrequencyAndGridStayWithinTheCoordinates) {
    Model m;
    m.SetChannelCount(1);
    ASSERT_TRUE(m.SetFrequency(2147483647));
    ASSERT_TRUE(m.SetGridSize(2147483647));
    m.Tick([](std::size_t, ScopeInt& x) { x = 100; });
    Frame f;
    m.Layout(121, 41, f);
    for (const Point& pt : f.lines[0]) {
        EXPECT_GE(pt.x, -10);
        EXPECT_LE(pt.x, 131);
    }
    // The one sample is drawn at the right edge, whatever the line into it.
    ASSERT_EQ(f.lines[0].size(), 3u);
    EXPECT_EQ(f.lines[0][1].x, 121);
    EXPECT_EQ(f.lines[0][1].y, 0);
    for (const Segment& s : f.grid) {
        EXPECT_GE(s.y0, -10);
        EXPECT_LE(s.y0, 51);
    }
}

}  // namespace
}  // namespace widgets::scope
