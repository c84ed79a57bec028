#include <gtest/gtest.h>

#include <cmath>

#include "monitor/metrics/elapsed.h"

using metrics::ElapsedOptions;
using metrics::FormatElapsed;

namespace {
constexpr double kMin = 60, kHour = 3600, kDay = 86400, kWeek = 7 * kDay, kYear = 365 * kDay;
constexpr double kMonth = kYear / 12;  // 30 days 10 hours
}  // namespace

TEST(Elapsed, UnitBoundaries) {
    EXPECT_EQ("0 seconds", FormatElapsed(0));
    EXPECT_EQ("1 second", FormatElapsed(1));
    EXPECT_EQ("59 seconds", FormatElapsed(59));
    EXPECT_EQ("1 minute", FormatElapsed(kMin));
    EXPECT_EQ("1 minute, 1 second", FormatElapsed(61));
    EXPECT_EQ("59 minutes, 59 seconds", FormatElapsed(kHour - 1));
    EXPECT_EQ("1 hour", FormatElapsed(kHour));
    EXPECT_EQ("23 hours, 59 minutes, 59 seconds", FormatElapsed(kDay - 1));
    EXPECT_EQ("1 day", FormatElapsed(kDay));
    EXPECT_EQ("6 days, 23 hours, 59 minutes, 59 seconds", FormatElapsed(kWeek - 1));
    EXPECT_EQ("1 week", FormatElapsed(kWeek));
    EXPECT_EQ("4 weeks, 2 days, 9 hours, 59 minutes, 59 seconds", FormatElapsed(kMonth - 1));
    EXPECT_EQ("1 month", FormatElapsed(kMonth));
    EXPECT_EQ("11 months, 4 weeks, 2 days, 9 hours, 59 minutes, 59 seconds", FormatElapsed(kYear - 1));
    EXPECT_EQ("1 year", FormatElapsed(kYear));
    EXPECT_EQ("2 years, 1 month, 1 week, 1 day, 1 hour, 1 minute, 1 second",
              FormatElapsed(2 * kYear + kMonth + kWeek + kDay + kHour + kMin + 1));
}

TEST(Elapsed, ZeroUnitsInsideAreLeftOut) {
    EXPECT_EQ("1 hour, 5 seconds", FormatElapsed(kHour + 5));
    EXPECT_EQ("3 days, 2 minutes", FormatElapsed(3 * kDay + 120));
}

TEST(Elapsed, WholeSecondsOption) {
    EXPECT_EQ("59 seconds", FormatElapsed(59.99));  // whole seconds count down, never up
    ElapsedOptions frac;
    frac.wholeSeconds = false;
    EXPECT_EQ("59.99 seconds", FormatElapsed(59.99, frac));
    EXPECT_EQ("0.29 seconds", FormatElapsed(0.29, frac));
    EXPECT_EQ("1 minute, 0.50 seconds", FormatElapsed(60.5, frac));
    EXPECT_EQ("1 minute", FormatElapsed(60.001, frac));
    EXPECT_EQ("0.00 seconds", FormatElapsed(0, frac));
}

TEST(Elapsed, ShortUnitsAndZerosOptions) {
    ElapsedOptions s;
    s.shortUnits = true;
    EXPECT_EQ("1y 2mo 3w 4d 5h 6m 7s",
              FormatElapsed(kYear + 2 * kMonth + 3 * kWeek + 4 * kDay + 5 * kHour + 6 * kMin + 7, s));
    EXPECT_EQ("0s", FormatElapsed(0, s));
    ElapsedOptions z;
    z.showZeros = true;
    EXPECT_EQ("1 day, 0 hours, 0 minutes, 5 seconds", FormatElapsed(kDay + 5, z));
    EXPECT_EQ("1 minute, 0 seconds", FormatElapsed(kMin, z));
    EXPECT_EQ("0 seconds", FormatElapsed(0, z));
    z.shortUnits = true;
    EXPECT_EQ("1h 0m 0s", FormatElapsed(kHour, z));
}

TEST(Elapsed, OddInput) {
    EXPECT_EQ("0 seconds", FormatElapsed(-5));
    EXPECT_EQ("0 seconds", FormatElapsed(std::nan("")));
    EXPECT_FALSE(FormatElapsed(1e300).empty());
    EXPECT_FALSE(FormatElapsed(INFINITY).empty());
    // The longest tick value: 2^32 ms.
    EXPECT_EQ("1 month, 2 weeks, 5 days, 7 hours, 2 minutes, 47 seconds",
              FormatElapsed(std::round(4294967296.0 / 1000)));
}

TEST(Elapsed, IntoABuffer) {
    // The longest text there is (the capped figure with every unit) fits the buffer whole.
    metrics::ElapsedOptions all;
    all.wholeSeconds = false;
    all.showZeros = true;
    const std::string longest = FormatElapsed(1e300, all);
    char text[metrics::kElapsedTextSize];
    FormatElapsed(1e300, all, text, sizeof text);
    EXPECT_EQ(longest, text);
    EXPECT_LT(longest.size(), sizeof text - 1);
    // A short buffer is cut, always terminated; none at all is left alone.
    char shortText[8] = "xxxxxxx";
    FormatElapsed(61, metrics::ElapsedOptions(), shortText, sizeof shortText);
    EXPECT_STREQ("1 minut", shortText);
    FormatElapsed(61, metrics::ElapsedOptions(), shortText, 0);
    EXPECT_STREQ("1 minut", shortText);
}
