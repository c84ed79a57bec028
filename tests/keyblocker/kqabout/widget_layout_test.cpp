// Where the bitmap button puts picture and text, and where the link label draws.
#include <gtest/gtest.h>

#include "keyblocker/about/widget_layout.h"

using kq::ButtonLayout;
using kq::LayoutBitButton;
using kq::WRect;

namespace {
const WRect kButton{10, 20, 110, 60};  // 100 x 40
}

TEST(BitButtonLayout, PicturePlacements) {
    // Left: picture 8 from the left edge, text 10 right of it.
    ButtonLayout l = LayoutBitButton(kButton, 16, 14, true, kq::kPicLeft);
    EXPECT_EQ(l.picture, (WRect{18, 33, 34, 47}));
    EXPECT_EQ(l.text, (WRect{44, 28, 102, 52}));
    // Right.
    l = LayoutBitButton(kButton, 16, 14, true, kq::kPicRight);
    EXPECT_EQ(l.picture, (WRect{86, 33, 102, 47}));
    EXPECT_EQ(l.text, (WRect{18, 28, 76, 52}));
    // Top and bottom.
    l = LayoutBitButton(kButton, 16, 14, true, kq::kPicTop);
    EXPECT_EQ(l.picture, (WRect{52, 28, 68, 42}));
    EXPECT_EQ(l.text.top, 52);
    l = LayoutBitButton(kButton, 16, 14, true, kq::kPicBottom);
    EXPECT_EQ(l.picture, (WRect{52, 38, 68, 52}));
    EXPECT_EQ(l.text.bottom, 28);
}

TEST(BitButtonLayout, HelpButtonPictureIsCentred) {
    // The settings sheet's help button: 33 x 25 with a 14 x 16 picture, placement 16.
    const ButtonLayout l = LayoutBitButton(WRect{0, 0, 33, 25}, 14, 16, true, 16);
    EXPECT_EQ(l.picture, (WRect{9, 4, 23, 20}));
}

TEST(BitButtonLayout, TextKeepsEightPixelsFromTheEdgesWithoutPicture) {
    const ButtonLayout l = LayoutBitButton(kButton, 0, 0, false, kq::kPicLeft);
    EXPECT_EQ(l.text, (WRect{18, 28, 102, 52}));
    EXPECT_EQ(l.picture, WRect{});
}

TEST(UrlLabelLayout, FocusAndTextRectangles) {
    const kq::LabelLayout l = kq::LayoutUrlLabel(WRect{5, 10, 205, 30}, 60, 13);
    // d = (20 - 13) / 2 = 3
    EXPECT_EQ(l.focus, (WRect{5, 11, 69, 30}));
    EXPECT_EQ(l.text, (WRect{7, 13, 67, 28}));
}

TEST(SystemVersion, OrderedPairComparison) {
    EXPECT_TRUE(kq::VersionAtLeast(5, 1, 5, 1));
    EXPECT_TRUE(kq::VersionAtLeast(6, 0, 5, 1));
    EXPECT_FALSE(kq::VersionAtLeast(5, 0, 5, 1));
    EXPECT_FALSE(kq::VersionAtLeast(4, 90, 5, 1));
}
