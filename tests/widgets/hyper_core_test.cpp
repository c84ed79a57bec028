// The hyper-button's pointer states and what each looks like.
#include <gtest/gtest.h>

#include "widgets/hyper_core.h"

using namespace widgets;
using namespace widgets::hyper;

namespace {

const Colours kColours{11974332, 0xC8D0D4, 0x808080, 0x000001, 0x000002, 0x000003, 0x000004};

TEST(HyperButton, PointerStatesAndClicks) {
    ButtonState s;
    bool click = true;
    EXPECT_TRUE(s.MouseMove(true));
    EXPECT_FALSE(s.MouseMove(true));  // no repaint while nothing changes
    EXPECT_TRUE(s.Hot());
    EXPECT_TRUE(s.MouseDown());
    EXPECT_TRUE(s.PressedLook());
    // Dragged off and back while held: pressed only over the button.
    EXPECT_TRUE(s.MouseMove(false));
    EXPECT_FALSE(s.PressedLook());
    EXPECT_TRUE(s.Down());
    EXPECT_TRUE(s.MouseMove(true));
    EXPECT_TRUE(s.MouseUp(true, click));
    EXPECT_TRUE(click);
    EXPECT_TRUE(s.Hot());
    EXPECT_FALSE(s.Down());
    // Released elsewhere: no click, and no longer lit.
    s.MouseDown();
    EXPECT_TRUE(s.MouseUp(false, click));
    EXPECT_FALSE(click);
    EXPECT_FALSE(s.Hot());
    // A release without a press is no click.
    s.MouseMove(true);
    s.MouseUp(true, click);
    EXPECT_FALSE(click);
    // A lost capture ends the press without a click.
    s.MouseDown();
    EXPECT_TRUE(s.Cancel());
    EXPECT_FALSE(s.Down());
    EXPECT_FALSE(s.Cancel());
    // Disabled: never lit, pressed or clicked.
    EXPECT_TRUE(s.SetEnabled(false));
    EXPECT_FALSE(s.MouseMove(true));
    EXPECT_FALSE(s.MouseDown());
    s.MouseUp(true, click);
    EXPECT_FALSE(click);
    EXPECT_FALSE(s.SetEnabled(false));
}

TEST(HyperButton, LookOfEachStateAndItsPixels) {
    ButtonState s;
    Look l = LookOf(s, kColours);
    EXPECT_EQ(l.face, kColours.leave);
    EXPECT_EQ(l.frame, kColours.border);
    EXPECT_EQ(l.frameWidth, 1);
    EXPECT_EQ(l.textOffset, 0);
    EXPECT_EQ(l.text, kColours.font);
    s.MouseMove(true);
    l = LookOf(s, kColours);
    EXPECT_EQ(l.face, kColours.enter);
    EXPECT_EQ(l.frame, kColours.borderEnter);
    s.MouseDown();
    l = LookOf(s, kColours);
    EXPECT_EQ(l.face, kColours.enter);
    EXPECT_EQ(l.frame, kColours.borderDown);
    EXPECT_EQ(l.frameWidth, 2);
    EXPECT_EQ(l.textOffset, 1);
    s.SetEnabled(false);
    l = LookOf(s, kColours);
    EXPECT_EQ(l.face, kColours.leave);
    EXPECT_EQ(l.text, kColours.disabledFont);

    Image img;
    img.Resize(6, 5);
    s.SetEnabled(true);
    s.MouseMove(true);
    s.MouseDown();
    PaintFace(img.View(), LookOf(s, kColours));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool frame = x < 2 || y < 2 || x >= 4 || y >= 3;
            EXPECT_EQ(img.At(x, y), ToPixel(frame ? kColours.borderDown : kColours.enter)) << x << "," << y;
        }
}

}  // namespace
