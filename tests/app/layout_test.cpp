// Alignment of children in creation order.
#include <gtest/gtest.h>

#include "monitor/ui/layout.h"

namespace ui {
namespace {

TEST(Align, GadgetTreeTopBottomClient) {
    // The gadget: graphs fill, bottom panel 26 high.
    AlignItem items[] = {{Align::Client, true, {}}, {Align::Bottom, true, {0, 0, 0, 26}}};
    Rect out[2];
    AlignChildren({0, 0, 150, 75}, items, 2, out);
    EXPECT_EQ(out[0], (Rect{0, 0, 150, 49}));
    EXPECT_EQ(out[1], (Rect{0, 49, 150, 26}));
}

TEST(Align, TopsStackInCreationOrderThenBottomsThenLeftThenClient) {
    AlignItem items[] = {
        {Align::Top, true, {0, 0, 0, 10}}, {Align::Bottom, true, {0, 0, 0, 5}},
        {Align::Top, true, {0, 0, 0, 20}}, {Align::Left, true, {0, 0, 7, 0}},
        {Align::Client, true, {}},         {Align::Bottom, true, {0, 0, 0, 3}},
    };
    Rect out[6];
    AlignChildren({0, 0, 100, 100}, items, 6, out);
    EXPECT_EQ(out[0], (Rect{0, 0, 100, 10}));
    EXPECT_EQ(out[2], (Rect{0, 10, 100, 20}));
    EXPECT_EQ(out[1], (Rect{0, 95, 100, 5}));
    EXPECT_EQ(out[5], (Rect{0, 92, 100, 3}));
    EXPECT_EQ(out[3], (Rect{0, 30, 7, 62}));
    EXPECT_EQ(out[4], (Rect{7, 30, 93, 62}));
}

TEST(Align, RightAfterLeftFromTheRightEdgeThenClient) {
    // The processes sheet: the list fills, the threads list 85 wide on the right with a
    // splitter left of it.
    AlignItem items[] = {{Align::Client, true, {}},
                         {Align::Right, true, {0, 0, 85, 0}},
                         {Align::Right, true, {0, 0, 3, 0}},
                         {Align::Left, true, {0, 0, 10, 0}}};
    Rect out[4];
    AlignChildren({0, 0, 200, 50}, items, 4, out);
    EXPECT_EQ(out[1], (Rect{115, 0, 85, 50}));
    EXPECT_EQ(out[2], (Rect{112, 0, 3, 50}));
    EXPECT_EQ(out[3], (Rect{0, 0, 10, 50}));
    EXPECT_EQ(out[0], (Rect{10, 0, 102, 50}));
}

TEST(Align, HiddenAndUnalignedKeepBounds) {
    AlignItem items[] = {
        {Align::Top, false, {3, 4, 5, 6}}, {Align::None, true, {1, 2, 3, 4}}, {Align::Client, true, {}}};
    Rect out[3];
    AlignChildren({0, 0, 50, 40}, items, 3, out);
    EXPECT_EQ(out[0], (Rect{3, 4, 5, 6}));
    EXPECT_EQ(out[1], (Rect{1, 2, 3, 4}));
    EXPECT_EQ(out[2], (Rect{0, 0, 50, 40}));
}

TEST(Align, TooSmallParentKeepsAlignedHeightsAndCutsClientToZero) {
    // A strip only as high as the bottom panels: the bottom panel keeps its height so it
    // comes back whole when the window grows.
    AlignItem items[] = {{Align::Client, true, {}}, {Align::Bottom, true, {0, 0, 0, 26}}};
    Rect out[2];
    AlignChildren({0, 0, 150, 20}, items, 2, out);
    EXPECT_EQ(out[1].height, 26);
    EXPECT_EQ(out[1].top, -6);
    EXPECT_EQ(out[0].height, 0);
}

}  // namespace
}  // namespace ui
