// The scale's marks: on the scope graph's rows, rounded values, peak marks, labels that fit.
#include <gtest/gtest.h>

#include <climits>

#include "widgets/scale_core.h"

using namespace widgets::scale;

TEST(Scale, MarksOnTheGraphsRows) {
    Mark m[64];
    // 0..100 on 100 rows, four labelled divisions with one small mark between.
    int n = Marks(0, 100, 80, 100, 4, 1, m, 64);
    ASSERT_EQ(9, n);
    EXPECT_EQ(0, m[0].value);
    EXPECT_EQ(99, m[0].y);  // the bottom row, not below the picture
    EXPECT_TRUE(m[0].major);
    EXPECT_FALSE(m[1].major);
    EXPECT_EQ(13, m[1].value);  // 12.5 rounds up
    EXPECT_EQ(50, m[4].value);
    EXPECT_EQ(50, m[4].y);
    EXPECT_EQ(100, m[8].value);
    EXPECT_EQ(0, m[8].y);
    // Marks at and above the peak level.
    EXPECT_FALSE(m[5].peak);  // 63
    EXPECT_TRUE(m[7].peak);   // 88
    EXPECT_EQ(88, m[7].value);
    // The graph's own rule: 50 of 100 on 41 rows lies where the scope draws it.
    EXPECT_EQ(41 - 20, ValueY(50, 0, 100, 41));
    n = Marks(0, 150, 120, 41, 4, 0, m, 64);
    ASSERT_EQ(5, n);
    EXPECT_EQ(38, m[1].value);
    EXPECT_EQ(113, m[3].value);
    EXPECT_EQ(ValueY(38, 0, 150, 41), m[1].y);
    // Nothing for an empty range; never more than the room given.
    EXPECT_EQ(0, Marks(5, 5, 0, 100, 4, 1, m, 64));
    EXPECT_EQ(3, Marks(0, 100, 80, 100, 4, 1, m, 3));
}

TEST(Scale, LabelsThatFit) {
    EXPECT_EQ(4, FittingMajors(100, 8, 4));
    EXPECT_EQ(2, FittingMajors(25, 8, 4));
    EXPECT_EQ(1, FittingMajors(5, 8, 4));
}

// Counts and bounds at the ends of their range: 64-bit arithmetic throughout, every mark on
// the picture (UBSan stops the test at an overflow).
TEST(Scale, ExtremeCountsAndBoundsNeitherOverflowNorLeaveThePicture) {
    Mark m[8];
    const int n = Marks(INT_MIN, INT_MAX, 0, 100, INT_MAX, INT_MAX, m, 8);
    ASSERT_EQ(8, n);
    EXPECT_EQ(INT_MIN, m[0].value);
    for (int i = 0; i < n; ++i) {
        EXPECT_GE(m[i].y, 0);
        EXPECT_LE(m[i].y, 99);
    }
    EXPECT_EQ(0, ValueY(LLONG_MAX, LLONG_MIN, LLONG_MAX, 100));
    EXPECT_EQ(100, ValueY(LLONG_MIN, LLONG_MIN, LLONG_MAX, 100));
    EXPECT_EQ(50, ValueY(0, LLONG_MIN, LLONG_MAX, 100));
    EXPECT_EQ(1, FittingMajors(10, INT_MAX, 4));
    EXPECT_EQ(10, FittingMajors(100, 8, INT_MAX)) << "at once, not by counting down";
    EXPECT_EQ(1, FittingMajors(-100, 8, INT_MAX));
}
