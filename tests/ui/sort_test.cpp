// The order of list cells: numbers as numbers in every way lists write them, texts without
// regard to case, and one consistent order in columns that mix both.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "monitor/ui/sort_core.h"

namespace ui {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end(),
              [](const std::string& a, const std::string& b) { return CompareCellTexts(a, b) < 0; });
    return v;
}

TEST(CellOrder, NumbersWithSeparatorsSignsAndDecimals) {
    EXPECT_EQ(Sorted({"1200", "4", "912", "88"}), (std::vector<std::string>{"4", "88", "912", "1200"}));
    EXPECT_EQ(Sorted({"1,234,567", "98,304", "1 024", "7.340.032"}),
              (std::vector<std::string>{"1 024", "98,304", "1,234,567", "7.340.032"}));
    EXPECT_EQ(Sorted({"10.3", "2.7", "-1", "0"}), (std::vector<std::string>{"-1", "0", "2.7", "10.3"}));
    EXPECT_LT(CompareCellTexts("-20", "-3"), 0);
    // A separator must stand between digits, groups are three digits.
    EXPECT_EQ(Sorted({"12,34", "5"}), (std::vector<std::string>{"5", "12,34"}));  // 12.34 as a decimal part
    EXPECT_LT(CompareCellTexts("1,2345", "2"), 0);                                // 1.2345
    EXPECT_GT(CompareCellTexts("1,,2", "2"), 0);  // not a number: after numbers
    EXPECT_GT(CompareCellTexts("12,", "2"), 0);
}

TEST(CellOrder, TextsIgnoreCaseAndNeverTie) {
    EXPECT_EQ(Sorted({"svchost.exe", "System", "explorer.exe"}),
              (std::vector<std::string>{"explorer.exe", "svchost.exe", "System"}));
    EXPECT_NE(CompareCellTexts("abc", "ABC"), 0);
    EXPECT_EQ(CompareCellTexts("abc", "abc"), 0);
    EXPECT_NE(CompareCellTexts("1,000", "1000"), 0);
    EXPECT_LT(CompareCellTexts("ab", "abc"), 0);
}

TEST(CellOrder, MixedColumnsKeepOneOrder) {
    // Numbers first, then texts: a transitive order even when a column mixes them.
    const std::vector<std::string> v{"2", "10", "1x", "N/A", "00400000", "7C800000", ""};
    for (const auto& a : v)
        for (const auto& b : v)
            for (const auto& c : v)
                if (CompareCellTexts(a, b) < 0 && CompareCellTexts(b, c) < 0) {
                    EXPECT_LT(CompareCellTexts(a, c), 0) << a << " " << b << " " << c;
                }
    EXPECT_EQ(Sorted({"N/A", "10", "1x", "2"}), (std::vector<std::string>{"2", "10", "1x", "N/A"}));
}

}  // namespace
}  // namespace ui
