// The main tick over fake readings: every published reading, the tray, the rates and the
// status line.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "monitor/app/tick.h"
#include "tests/support/fake_metrics.h"

namespace app {
namespace {

using FakeSource = FakeMetricSource;

// Width of a text: 5 pixels per character.
struct CharMeasure : TextMeasure {
    int TextWidth(const char* t) override { return 5 * static_cast<int>(std::strlen(t)); }
};

struct TickTest : ::testing::Test {
    TickCounters counters;
    FakeSource src;
    CharMeasure measure;
    MainTick tick{counters};
    TickResult out;
    void Run(int width = 1000) { tick.Run(src, nullptr, measure, width, out); }
};

TEST(TrayImage, TableEdges) {
    EXPECT_EQ(TrayImageFor(0), 0);
    EXPECT_EQ(TrayImageFor(8), 0);
    EXPECT_EQ(TrayImageFor(9), 1);
    EXPECT_EQ(TrayImageFor(16), 1);
    EXPECT_EQ(TrayImageFor(17), 2);
    EXPECT_EQ(TrayImageFor(37), 4);
    EXPECT_EQ(TrayImageFor(96), 11);
    EXPECT_EQ(TrayImageFor(97), 12);
    EXPECT_EQ(TrayImageFor(100), 12);
}

TEST(Rounding, HalfToEvenAndGuards) {
    EXPECT_EQ(RoundHalfEven(12.5, -1), 12);
    EXPECT_EQ(RoundHalfEven(13.5, -1), 14);
    EXPECT_EQ(RoundHalfEven(36.6, -1), 37);
    EXPECT_EQ(RoundHalfEven(0.0 / 0.0, -7), -7);
    EXPECT_EQ(RoundHalfEven(1e300, -7), -7);
    EXPECT_EQ(TenthsHalfEven(2765 / 1024.0), 27);
    EXPECT_EQ(TenthsHalfEven(0.25), 2);  // 2.5 tenths: to even
}

TEST(Swap, DivisionGuard) {
    EXPECT_EQ(SwapPercent(970, 1000), 3);
    EXPECT_EQ(SwapPercent(1000, 1000), 0);
    EXPECT_EQ(SwapPercent(0, 0), 0);
    EXPECT_EQ(SwapPercent(5, 0), 0);
    EXPECT_EQ(SwapPercent(0, 1000), 100);
}

TEST(RateText, ShortestFormWithSeparator) {
    char b[32];
    FormatTenths(27, '.', b, sizeof b);
    EXPECT_STREQ(b, "2.7");
    FormatTenths(0, '.', b, sizeof b);
    EXPECT_STREQ(b, "0");
    FormatTenths(150, '.', b, sizeof b);
    EXPECT_STREQ(b, "15");
    FormatTenths(23, ',', b, sizeof b);
    EXPECT_STREQ(b, "2,3");
}

TEST_F(TickTest, TypicalSecondPublishesEveryReading) {
    src.load[0] = 0.37;
    Run();
    EXPECT_EQ(out.reached, TickResult::Status);
    EXPECT_EQ(out.barCPU1, 37);
    EXPECT_EQ(out.trayImage, 4);
    EXPECT_STREQ(out.hint, "CPU Usage: 37%");
    EXPECT_STREQ(out.trayText, "37");
    EXPECT_EQ(out.barRAM, 40);
    EXPECT_EQ(out.barSwap, 3);
    EXPECT_EQ(src.samples, 1);
    // Second tick: 2765 more bytes received on interface row 1.
    src.rows[1].inOctets += 2765;
    src.rows[1].outOctets += 1024 * 15;
    Run();
    EXPECT_EQ(out.lcdDown1, 2);
    EXPECT_EQ(out.lcdDown2, 7);
    EXPECT_STREQ(out.downText, "2.7");
    EXPECT_EQ(out.lcdUp1, 15);
    EXPECT_EQ(out.lcdUp2, 0);
    EXPECT_STREQ(out.upText, "15");
}

TEST_F(TickTest, TrayImageFollowsLoadAndChangesOnlyOnNewIndex) {
    const struct {
        double load;
        int image;
    } cases[] = {{0.08, 0}, {0.09, 1}, {0.96, 11}, {0.97, 12}, {1.0, 12}};
    for (const auto& c : cases) {
        src.load[0] = c.load;
        Run();
        EXPECT_EQ(out.trayImage, c.image) << c.load;
    }
    EXPECT_FALSE(out.trayImageChanged);  // 97 then 100: both image 12
}

TEST_F(TickTest, BarKeepsPreviousReadingOutsideRange) {
    src.load[0] = 0.5;
    Run();
    src.load[0] = 1.02;  // 102 %: the bar ignores it, the hint shows it
    Run();
    EXPECT_EQ(out.barCPU1, 50);
    EXPECT_EQ(tick.BarCPU1(), 50);
    EXPECT_STREQ(out.hint, "CPU Usage: 102%");
    EXPECT_EQ(out.trayImage, TrayImageFor(50));
}

TEST_F(TickTest, StatusLineSingleAndDual) {
    src.load[0] = 0.12;
    src.mem = {40, 1000, 970};
    Run();
    EXPECT_STREQ(out.measureText, "CPU 12  RAM 40 Swap 3");
    EXPECT_TRUE(out.statusCopy);

    counters.DualCPU = true;
    src.load[1] = 0.30;
    Run();
    EXPECT_EQ(out.barCPU2, 30);
    EXPECT_STREQ(out.measureText, "CPU 12  CPU 30  RAM 40 Swap 3");
}

TEST_F(TickTest, StatusLineTooWideGoesBlankOnTheNextTick) {
    src.load[0] = 0.12;
    src.mem = {40, 1000, 970};  // "CPU 12  RAM 40 Swap 3": 21 characters, 105 pixels
    Run(105);
    ASSERT_TRUE(out.statusCopy);
    Run(105);
    ASSERT_TRUE(out.statusCopy);
    src.mem = {40, 1000, 700};  // "... Swap 30": 110 pixels, wider than the panel
    Run(105);
    EXPECT_FALSE(out.statusClear) << "on that tick the line still shows the new text";
    EXPECT_TRUE(out.statusCopy);
    EXPECT_STREQ(out.measureText, "CPU 12  RAM 40 Swap 30");
    Run(105);
    EXPECT_TRUE(out.statusClear) << "blank on the next tick";
    EXPECT_FALSE(out.statusCopy);
    Run(105);
    EXPECT_TRUE(out.statusClear) << "and it stays blank";
    src.mem = {40, 1000, 970};
    Run(105);
    EXPECT_TRUE(out.statusClear) << "the previous text still did not fit";
    Run(105);
    EXPECT_FALSE(out.statusClear);
    EXPECT_TRUE(out.statusCopy);
}

TEST_F(TickTest, InterfaceChoiceBeyondRowsSumsAll) {
    counters.AdapterIndex = 99;
    Run();
    EXPECT_EQ(counters.DownOctets, 3000u);
    EXPECT_EQ(counters.UpOctets, 1200u);
    src.rows[0].inOctets += 1024;
    src.rows[1].inOctets += 1024;
    Run();
    EXPECT_EQ(out.lcdDown1, 2);
    counters.AdapterIndex = -1;  // negative: also all
    tick.GetOctets(src, nullptr, -1);
    EXPECT_EQ(counters.DownOctets, 5048u);
}

TEST_F(TickTest, CounterWrapGivesBytesMoved) {
    src.rows[1].inOctets = 0xFFFFFF00u;
    Run();
    src.rows[1].inOctets = 0x00000900u;  // wrapped: 0x100 + 0x900 = 2560 bytes
    Run();
    EXPECT_EQ(out.lcdDown1, 2);
    EXPECT_EQ(out.lcdDown2, 5);
}

TEST_F(TickTest, ResumeOrAnotherInterfaceGivesOneZeroReadingInsteadOfASpike) {
    Run();
    src.rows[1].inOctets += 2765;
    Run();
    EXPECT_EQ(out.lcdDown1, 2);

    // Asleep for a night: the counter was reset by the driver (below the last reading).
    src.rows[1].inOctets = 100;
    tick.Resumed();
    Run();
    EXPECT_EQ(out.lcdDown1, 0) << "primed again after the resume, no wrapped difference";
    EXPECT_STREQ(out.downText, "0");
    src.rows[1].inOctets += 2048;
    Run();
    EXPECT_EQ(out.lcdDown1, 2) << "rates as usual from the next tick on";

    // Another interface now sits at the chosen row (an adapter was removed).
    src.rows[1] = {9, 50, 60};
    Run();
    EXPECT_EQ(out.lcdDown1, 0);
    EXPECT_EQ(out.lcdUp1, 0);
    src.rows[1].inOctets += 1024;
    Run();
    EXPECT_EQ(out.lcdDown1, 1);

    // Summing every row: a row that comes or goes changes the sum by its whole counter.
    counters.AdapterIndex = 99;
    Run();
    src.rows.push_back({12, 4000000000u, 7});
    Run();
    EXPECT_EQ(out.lcdDown1, 0) << "a new row is a new baseline";
    src.rows.pop_back();
    Run();
    EXPECT_EQ(out.lcdDown1, 0) << "and so is a row that went";
}

TEST_F(TickTest, ZeroCounterPrimesEveryTickAndEmptyTableReadsZero) {
    src.rows[1].outOctets = 0;
    Run();
    EXPECT_EQ(src.reads, 2);
    Run();
    EXPECT_EQ(src.reads, 4) << "a counter still 0 primes again";
    src.rows.clear();
    Run();
    EXPECT_EQ(out.lcdDown1, 0);
    EXPECT_STREQ(out.downText, "0");
}

TEST_F(TickTest, TrimOnSixtiethTickThenEverySixHundred) {
    int first = 0, count = 0;
    for (int i = 1; i <= 700; ++i) {
        Run();
        if (out.trimmed) {
            if (!first) first = i;
            ++count;
        }
    }
    EXPECT_EQ(first, 60);
    EXPECT_EQ(count, 2);  // ticks 60 and 660
}

TEST_F(TickTest, ErrorEndsTickButKeepsWhatWasDecided) {
    src.load[0] = 0.2;
    src.failRead = true;
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(out.reached, TickResult::Memory);
    EXPECT_EQ(out.barCPU1, 20);
    src.failSample = true;
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(out.reached, TickResult::None);
}

struct ListSink : AdapterListSink {
    std::vector<uint32_t> seen;
    void AdapterCounters(const InterfaceCounters& r) override { seen.push_back(r.index); }
};

TEST_F(TickTest, DetailsShownGetsEveryRowEachRead) {
    ListSink sink;
    tick.GetOctets(src, &sink, 0);
    EXPECT_EQ(sink.seen, (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(counters.DownOctets, 1000u);
    tick.GetOctets(src, nullptr, 1);
    EXPECT_EQ(sink.seen.size(), 2u);
}

struct FakeBlend : BlendWindow {
    bool visible = true, variable = true, alpha = true;
    int base = 100, range = 155, opacity = 180;
    std::vector<int> steps;
    bool Visible() const override { return visible; }
    bool VariableBlend() const override { return variable; }
    bool AlphaBlend() const override { return alpha; }
    int AlphaBase() const override { return base; }
    int AlphaRange() const override { return range; }
    int Opacity() const override { return opacity; }
    void SetOpacity(int v) override {
        opacity = v;
        steps.push_back(v);
        if (steps.size() > 1000) throw std::runtime_error("runaway blending");
    }
};

TEST(VariableBlend, StepsOneValueAtATimeToTarget) {
    FakeBlend w;
    StepVariableBlend(w, 100);
    EXPECT_EQ(w.opacity, 255);
    EXPECT_EQ(w.steps.size(), 76u);
    EXPECT_EQ(w.steps.front(), 180);
    StepVariableBlend(w, 0);
    EXPECT_EQ(w.opacity, 100);
    w.steps.clear();
    w.variable = false;
    StepVariableBlend(w, 50);
    EXPECT_TRUE(w.steps.empty());
}

TEST(VariableBlend, TargetStaysAnOpacityForAnyStoredBaseAndRange) {
    EXPECT_EQ(BlendTarget(50, 73, 182), 164);
    // Exact shares, which floating point misses by one.
    EXPECT_EQ(BlendTarget(29, 0, 100), 29);
    EXPECT_EQ(BlendTarget(58, 10, 50), 39);
    EXPECT_EQ(BlendTarget(70, 0, 170), 119);
    // AlphaBase plus AlphaRange past 255 (a hand-edited file): the stepping ends at 255, not
    // at a value the window cannot take.
    EXPECT_EQ(BlendTarget(100, 200, 255), 255);
    EXPECT_EQ(BlendTarget(100, 2147483647, 2147483647), 255);
    EXPECT_EQ(BlendTarget(0, -40, 255), 0);
    EXPECT_EQ(BlendTarget(100, -2147483647 - 1, -2147483647 - 1), 0);
    FakeBlend w;
    w.base = 250;
    w.range = 100;
    w.opacity = 250;
    StepVariableBlend(w, 100);
    EXPECT_EQ(w.steps, (std::vector<int>{250, 251, 252, 253, 254, 255}));
}

}  // namespace
}  // namespace app
