// The stopwatch's clock, its whole-second readings and the figures they give.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/stopwatch/stopwatch_core.h"

using namespace stopwatch;

namespace {

struct Row {
    uint32_t dwInOctets;
    uint32_t dwOutOctets;
    uint32_t dwIndex = 1;
};

// An interface table read by the octet rule; `fail` makes the next read throw.
struct FakeCounters : CounterSource {
    int32_t choice = 0;
    std::vector<Row> rows{{0, 0}};
    bool fail = false;
    int reads = 0;
    bool Read(metrics::Octets& o, TableShape& shape) override {
        ++reads;
        if (fail) {
            fail = false;
            throw std::runtime_error("table");
        }
        if (rows.empty()) return false;
        const uint32_t n = static_cast<uint32_t>(rows.size());
        metrics::SelectOctets(choice, rows.data(), n, o);
        shape = ShapeOf(choice, rows.data(), n);
        return true;
    }
    void Add(uint32_t in, uint32_t out) {
        rows[0].dwInOctets += in;
        rows[0].dwOutOctets += out;
    }
};

std::string Text(double x) {
    char b[32];
    FormatFigure(x, b, sizeof b);
    return b;
}

// Runs timer events every `stepMs` from `fromMs` up to and including `toMs`; counts readings.
int Events(StopwatchRun& run, FakeCounters& c, uint64_t fromMs, uint64_t toMs, uint64_t stepMs) {
    int readings = 0;
    for (uint64_t t = fromMs; t <= toMs; t += stepMs) readings += run.Advance(t, c).reading;
    return readings;
}

TEST(StopwatchTime, SplitsTenthsIntoTheDisplayedFields) {
    auto parts = [](int32_t t) {
        const TimeParts p = SplitTenths(t);
        char b[32];
        std::snprintf(b, sizeof b, "%02d:%02d:%02d.%d", p.hours, p.minutes, p.seconds, p.tenths);
        return std::string(b);
    };
    EXPECT_EQ(parts(0), "00:00:00.0");
    EXPECT_EQ(parts(25), "00:00:02.5");
    EXPECT_EQ(parts(599), "00:00:59.9");
    EXPECT_EQ(parts(36000), "01:00:00.0");
    EXPECT_EQ(parts(kLastTenths), "23:59:59.9");
    EXPECT_EQ(parts(-5), "00:00:00.0");
}

TEST(StopwatchTime, ElapsedTenthsComeFromTheClockAndStopAtTheLimit) {
    const uint64_t s = 0x123456789000ull;  // far past 2^32 ms of uptime
    EXPECT_EQ(ElapsedTenths(s, s - 1), 0);
    EXPECT_EQ(ElapsedTenths(s, s + 99), 0);
    EXPECT_EQ(ElapsedTenths(s, s + 100), 1);
    EXPECT_EQ(ElapsedTenths(s, s + 2549), 25);
    EXPECT_EQ(ElapsedTenths(s, s + 86399900), kLastTenths);
    EXPECT_EQ(ElapsedTenths(s, s + 10ull * 86400000), kLastTenths);
}

TEST(StopwatchFigures, RoundToOneDecimalTiesToEvenAndShortestText) {
    EXPECT_EQ(Text(RoundTo1(2765 / 1024.0)), "2.7");
    EXPECT_EQ(Text(RoundTo1(0)), "0");
    EXPECT_EQ(Text(RoundTo1(15)), "15");
    EXPECT_EQ(Text(RoundTo1(2.34)), "2.3");
    EXPECT_EQ(Text(RoundTo1(2.36)), "2.4");
    // Exact halves go to the even tenth.
    EXPECT_EQ(Text(RoundTo1(1280 / 1024.0)), "1.2");
    EXPECT_EQ(Text(RoundTo1(2816 / 1024.0)), "2.8");
    EXPECT_EQ(Text(RoundTo1(256 / 1024.0)), "0.2");
    EXPECT_EQ(Text(RoundTo1(51 / 1024.0)), "0");
    EXPECT_EQ(Text(RoundTo1(5368709120.0 / 1024)), "5242880");
    char small[4];
    EXPECT_EQ(FormatFigure(123456.5, small, sizeof small), 3u);
    EXPECT_STREQ(small, "123");
}

TEST(StopwatchRunTest, ReadsOncePerWholeSecondAndShowsThatSecondsFigures) {
    FakeCounters c;
    c.rows[0] = {1000, 500};
    StopwatchRun run;
    EXPECT_STREQ(run.ButtonCaption(), "Start");
    run.Start(10000, c);
    EXPECT_STREQ(run.ButtonCaption(), "Stop");
    EXPECT_EQ(c.reads, 1);
    EXPECT_EQ(Events(run, c, 10100, 10900, 100), 0);
    c.Add(2765, 1024);
    EXPECT_EQ(Events(run, c, 11000, 11900, 100), 1);
    EXPECT_EQ(run.Down().current, RoundTo1(2765 / 1024.0));
    EXPECT_EQ(Text(run.Down().current), "2.7");
    EXPECT_EQ(Text(run.Up().current), "1");
    c.Add(10240, 0);
    EXPECT_EQ(Events(run, c, 12000, 12500, 100), 1);
    EXPECT_EQ(run.Tenths(), 25);
    // The figures of second 2.
    EXPECT_EQ(Text(run.Down().current), "10");
    EXPECT_EQ(Text(run.Down().max), "10");
    EXPECT_EQ(Text(run.Down().total), "12.7");
    EXPECT_EQ(Text(run.Down().average), "6.4");  // 13005 bytes in 2.0 s
    EXPECT_EQ(Text(run.Up().current), "0");
    EXPECT_EQ(Text(run.Up().max), "1");
    EXPECT_EQ(Text(run.Up().average), "0.5");
    run.Stop();
    EXPECT_STREQ(run.ButtonCaption(), "Start");
    EXPECT_FALSE(run.Advance(13000, c).reading);
    EXPECT_EQ(run.Tenths(), 25);  // a stopped run keeps its time and figures
    EXPECT_EQ(Text(run.Down().total), "12.7");

    // Starting again clears every figure, the maximum included, and takes a new base.
    run.Start(20000, c);
    EXPECT_EQ(run.Tenths(), 0);
    EXPECT_EQ(run.Down().max, 0);
    EXPECT_EQ(run.Down().total, 0);
    c.Add(1024, 0);
    EXPECT_EQ(Events(run, c, 20100, 21000, 100), 1);
    EXPECT_EQ(Text(run.Down().max), "1");
    EXPECT_EQ(Text(run.Down().total), "1");
}

TEST(StopwatchRunTest, ALateTimerNeitherSlowsTheClockNorSkipsOrRepeatsASecond) {
    FakeCounters c;
    StopwatchRun run;
    run.Start(0, c);
    // Events 115 ms apart for an hour: the tenths follow the clock, one reading a second.
    int readings = 0;
    uint64_t t = 0;
    for (; t < 3600000; t += 115) readings += run.Advance(t, c).reading;
    EXPECT_EQ(run.Tenths(), static_cast<int32_t>((t - 115) / 100));
    EXPECT_EQ(readings, 3599);
    // Events stalled for three seconds: one reading, the rate over the gap.
    run.Start(0, c);
    EXPECT_EQ(Events(run, c, 1000, 1000, 100), 1);
    c.Add(3 * 2048, 0);
    EXPECT_TRUE(run.Advance(4050, c).reading);
    EXPECT_EQ(Text(run.Down().current), "2");
    EXPECT_EQ(Text(run.Down().max), "2");
    EXPECT_EQ(Text(run.Down().total), "6");
}

TEST(StopwatchRunTest, StopsOnTheEventAfterTheLastTenth) {
    FakeCounters c;
    StopwatchRun run;
    run.Start(0, c);
    StopwatchRun::Step s = run.Advance(86399800, c);
    EXPECT_FALSE(s.stop);
    EXPECT_EQ(run.Tenths(), kLastTenths - 1);
    s = run.Advance(86399900, c);
    EXPECT_FALSE(s.stop);
    EXPECT_EQ(run.Tenths(), kLastTenths);
    s = run.Advance(86400000, c);
    EXPECT_TRUE(s.stop);
    EXPECT_FALSE(s.reading);
    EXPECT_EQ(run.Tenths(), kLastTenths);
    run.Stop();
    EXPECT_STREQ(run.ButtonCaption(), "Start");
    // A clock far past the limit still shows the last tenth, then stops.
    run.Start(0, c);
    EXPECT_FALSE(run.Advance(90000000, c).stop);
    EXPECT_EQ(run.Tenths(), kLastTenths);
    EXPECT_TRUE(run.Advance(90000100, c).stop);
}

TEST(StopwatchRunTest, TotalsSurviveCounterWrapsAndRunsOfMoreThanFourGigabytes) {
    FakeCounters c;
    c.rows[0] = {0xFFFFF000u, 0xFFFFFF00u};
    StopwatchRun run;
    run.Start(0, c);
    c.Add(0x2000, 0x200);  // both counters wrap
    EXPECT_EQ(Events(run, c, 1000, 1000, 100), 1);
    EXPECT_EQ(Text(run.Down().total), "8");
    EXPECT_EQ(Text(run.Down().current), "8");
    EXPECT_EQ(Text(run.Up().total), "0.5");
    // Five seconds of 1 GB each: the 32-bit counters wrap again and again.
    for (uint64_t s = 2; s <= 6; ++s) {
        c.Add(0x40000000u, 0);
        EXPECT_TRUE(run.Advance(s * 1000, c).reading);
    }
    EXPECT_EQ(run.TotalDownBytes(), 5ull * 0x40000000u + 0x2000);
    EXPECT_EQ(Text(run.Down().total), "5242888");
    EXPECT_EQ(Text(run.Down().current), "1048576");
    EXPECT_EQ(Text(run.Down().max), "1048576");
    EXPECT_EQ(Text(run.Down().average), "873814.7");  // (5 GiB + 8 KB) / 6 s
}

TEST(StopwatchRunTest, MissingTablesAndReadErrorsKeepThePreviousBase) {
    FakeCounters c;
    c.choice = 2;  // "All Interfaces": the position after the last row
    c.rows = {{100, 10}, {200, 20}};
    StopwatchRun run;
    run.Start(0, c);
    c.rows[1].dwInOctets += 2048;
    EXPECT_EQ(Events(run, c, 1000, 1000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "2");
    // Second 2: no table; the counters stay, so nothing moved.
    const std::vector<Row> saved = c.rows;
    c.rows.clear();
    EXPECT_EQ(Events(run, c, 2000, 2000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "0");
    EXPECT_EQ(Text(run.Down().total), "2");
    EXPECT_EQ(Text(run.Down().max), "2");
    // Second 3: the reader throws; the figures stay and that second is not read again.
    c.rows = saved;
    c.rows[0].dwInOctets += 4096;
    c.fail = true;
    EXPECT_THROW(run.Advance(3000, c), std::runtime_error);
    EXPECT_EQ(Text(run.Down().total), "2");
    const int reads = c.reads;
    EXPECT_FALSE(run.Advance(3100, c).reading);
    EXPECT_EQ(c.reads, reads);
    // Second 4 reads the two seconds since the last good reading.
    EXPECT_TRUE(run.Advance(4000, c).reading);
    EXPECT_EQ(Text(run.Down().current), "2");
    EXPECT_EQ(Text(run.Down().total), "6");
    EXPECT_EQ(Text(run.Down().average), "1.5");

    // A Start whose reading throws starts nothing and keeps the stopped run's figures.
    run.Stop();
    c.fail = true;
    EXPECT_THROW(run.Start(9000, c), std::runtime_error);
    EXPECT_FALSE(run.Running());
    EXPECT_EQ(run.Tenths(), 40);
    EXPECT_EQ(Text(run.Down().total), "6");
}

TEST(StopwatchRunTest, AResumeOrAnotherInterfaceIsANewBaseNotASpike) {
    FakeCounters c;
    c.rows = {{5000, 500, 7}, {9000, 900, 8}};
    StopwatchRun run;
    run.Start(0, c);
    c.rows[0].dwInOctets += 2048;
    EXPECT_EQ(Events(run, c, 1000, 1000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "2");

    // Asleep for a while: the driver reset the counters. The first reading after the resume
    // adds nothing; the next second counts again from there.
    run.Resumed();
    c.rows[0] = {100, 10, 7};
    EXPECT_EQ(Events(run, c, 2000, 2000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "0");
    EXPECT_EQ(Text(run.Up().current), "0");
    EXPECT_EQ(Text(run.Down().max), "2");
    EXPECT_EQ(Text(run.Down().total), "2");
    c.rows[0].dwInOctets += 1024;
    EXPECT_EQ(Events(run, c, 3000, 3000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "1");
    EXPECT_EQ(Text(run.Down().total), "3");

    // A resume flagged while the table is missing waits for the table to come back.
    run.Resumed();
    const std::vector<Row> saved = c.rows;
    c.rows.clear();
    EXPECT_EQ(Events(run, c, 4000, 4000, 100), 1);
    c.rows = saved;
    c.rows[0].dwInOctets = 0x7FFFFFFF;
    EXPECT_EQ(Events(run, c, 5000, 5000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "0");
    EXPECT_EQ(Text(run.Down().total), "3");

    // Another interface chosen in Options during the run: later readings come from it, the
    // totals mix the two, and the change itself is no spike.
    c.choice = 1;
    EXPECT_EQ(Events(run, c, 6000, 6000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "0");
    c.rows[1].dwInOctets += 4096;
    EXPECT_EQ(Events(run, c, 7000, 7000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "4");
    EXPECT_EQ(Text(run.Down().total), "7");
    EXPECT_EQ(Text(run.Down().max), "4");

    // The row at the chosen position is now another interface (an adapter came before it);
    // then "All Interfaces" and an adapter more: each a new base.
    c.rows.insert(c.rows.begin(), Row{1, 1, 9});
    EXPECT_EQ(Events(run, c, 8000, 8000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "0");
    c.choice = -1;
    EXPECT_EQ(Events(run, c, 9000, 9000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "0");
    c.rows.push_back(Row{0x40000000u, 0, 10});
    EXPECT_EQ(Events(run, c, 10000, 10000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "0");
    c.rows[3].dwInOctets += 3072;
    EXPECT_EQ(Events(run, c, 11000, 11000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "3");
    EXPECT_EQ(Text(run.Down().total), "10");

    // Start clears a resume flagged before it.
    run.Stop();
    run.Resumed();
    run.Start(20000, c);
    c.rows[0].dwInOctets += 1024;
    EXPECT_EQ(Events(run, c, 21000, 21000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "1");

    // Started without a table: the first table read is the base, not the bytes since the
    // last run.
    run.Stop();
    const std::vector<Row> before = c.rows;
    c.rows.clear();
    run.Start(30000, c);
    c.rows = before;
    c.rows[0].dwInOctets += 50000;
    EXPECT_EQ(Events(run, c, 31000, 31000, 100), 1);
    EXPECT_EQ(Text(run.Down().current), "0");
    EXPECT_EQ(Text(run.Down().total), "0");
}

}  // namespace
