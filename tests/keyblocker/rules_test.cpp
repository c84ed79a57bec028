// kqel's small decisions: when an update check is due, the radio group, versions, tray events.
#include <gtest/gtest.h>

#include "keyblocker/rules.h"

namespace {

using kq::OsVersion;
using kq::TrayAction;

constexpr int64_t kNow = 1700000000;
constexpr int64_t kDay = 86400;

TEST(UpdateDue, NeedsThirtyWholeDays) {
    EXPECT_FALSE(kq::IsUpdateDue(kNow, kNow - (29 * kDay + 23 * 3600)));
    EXPECT_FALSE(kq::IsUpdateDue(kNow, kNow - 30 * kDay + 1));
    EXPECT_TRUE(kq::IsUpdateDue(kNow, kNow - 30 * kDay));
    EXPECT_TRUE(kq::IsUpdateDue(kNow, kNow - 31 * kDay));
    EXPECT_TRUE(kq::IsUpdateDue(kNow, 0));
}

TEST(UpdateDue, LastCheckInTheFutureIsNeverDue) {
    EXPECT_FALSE(kq::IsUpdateDue(kNow, kNow + 1));
    EXPECT_FALSE(kq::IsUpdateDue(kNow, kNow + 400 * kDay));
    EXPECT_FALSE(kq::IsUpdateDue(kNow, INT64_MAX / 2));
    EXPECT_FALSE(kq::IsUpdateDue(kNow, INT64_MAX));
}

TEST(UpdateDue, AnyStoredTimeFarInThePastIsDue) {
    // LastUpdate is whatever 8 bytes the registry holds; the oldest ones must not overflow.
    EXPECT_TRUE(kq::IsUpdateDue(kNow, INT64_MIN));
    EXPECT_TRUE(kq::IsUpdateDue(kNow, INT64_MIN + 1));
    EXPECT_TRUE(kq::IsUpdateDue(INT64_MAX, INT64_MIN));
    EXPECT_TRUE(kq::IsUpdateDue(kNow, -kNow));
}

TEST(RadioGroup, ModeIsThePlaceInTheGroupNotTheId) {
    EXPECT_EQ(kq::ModeFromRadio(1004), 0);  // Never
    EXPECT_EQ(kq::ModeFromRadio(1002), 1);  // games
    EXPECT_EQ(kq::ModeFromRadio(1003), 2);  // any full-screen window
    EXPECT_EQ(kq::ModeFromRadio(1001), 3);  // Always
    EXPECT_EQ(kq::ModeFromRadio(1000), -1);
    for (int mode = 0; mode < 4; ++mode) EXPECT_EQ(kq::ModeFromRadio(kq::RadioFromMode(mode)), mode);
    EXPECT_EQ(kq::RadioFromMode(4), 0);
    EXPECT_EQ(kq::RadioFromMode(-1), 0);
}

TEST(RadioGroup, HelpIds) {
    EXPECT_EQ(kq::HelpIdOf(1000), 0x806603E8u);
    EXPECT_EQ(kq::HelpIdOf(1001), 0x806603E9u);
    EXPECT_EQ(kq::HelpIdOf(1004), 0x806603ECu);
    EXPECT_EQ(kq::HelpIdOf(1005), 0u);
}

TEST(Versions, ComparedAsOrderedPairsOnOnePlatform) {
    const OsVersion xp{5, 1, kq::kPlatformNt}, w2k{5, 0, kq::kPlatformNt}, nt4{4, 0, kq::kPlatformNt},
        me{4, 90, kq::kPlatform9x}, w98{4, 10, kq::kPlatform9x}, w7{6, 1, kq::kPlatformNt},
        odd{6, 0, kq::kPlatformNt};
    EXPECT_TRUE(kq::AtLeast(w7, kq::kPlatformNt, 5, 1));
    EXPECT_TRUE(kq::AtLeast(odd, kq::kPlatformNt, 5, 1));  // 6.0 beats 5.1 though 0 < 1
    EXPECT_FALSE(kq::AtLeast(me, kq::kPlatformNt, 4, 0));
    EXPECT_EQ(kq::TrayIconId(xp), 140);
    EXPECT_EQ(kq::TrayIconId(w7), 140);
    EXPECT_EQ(kq::TrayIconId(me), 140);
    EXPECT_EQ(kq::TrayIconId(w2k), 138);
    EXPECT_EQ(kq::TrayIconId(w98), 138);
    EXPECT_TRUE(kq::HasBalloons(w2k));
    EXPECT_TRUE(kq::HasBalloons(me));
    EXPECT_FALSE(kq::HasBalloons(nt4));
    EXPECT_FALSE(kq::HasBalloons(w98));
}

TEST(TrayEvents, WhatEachEventDoes) {
    const OsVersion xp{5, 1, kq::kPlatformNt}, nt4{4, 0, kq::kPlatformNt};
    EXPECT_EQ(kq::DecideTrayEvent(false, 0x203, xp), TrayAction::OpenConfiguration);
    EXPECT_EQ(kq::DecideTrayEvent(false, 0x204, xp), TrayAction::ShowMenu);
    EXPECT_EQ(kq::DecideTrayEvent(false, 0x201, xp), TrayAction::None);  // single left click
    EXPECT_EQ(kq::DecideTrayEvent(false, 0x8064, xp), TrayAction::ShowBalloon);
    EXPECT_EQ(kq::DecideTrayEvent(false, 0x8064, nt4), TrayAction::OpenConfiguration);
}

TEST(TrayEvents, DroppedWhileADialogIsOpen) {
    const OsVersion xp{5, 1, kq::kPlatformNt};
    for (uint32_t e : {0x203u, 0x204u, 0x8064u})
        EXPECT_EQ(kq::DecideTrayEvent(true, e, xp), TrayAction::None);
}

TEST(SheetLayout, HelpButtonUnderTheTabsLevelWithOk) {
    const kq::Rect r = kq::HelpButtonRect({7, 7, 350, 300}, {190, 310, 265, 333});
    EXPECT_EQ(r.left, 7);
    EXPECT_EQ(r.top, 310);
    EXPECT_EQ(r.right - r.left, 33);
    EXPECT_EQ(r.bottom - r.top, 25);
}

TEST(SheetLayout, CentredOnTheWorkAreaAndNeverAboveOrLeftOfIt) {
    // A work area beside the taskbar on a second monitor.
    const kq::Rect work{1024, 0, 2304, 984};
    const kq::Rect r = kq::CentreIn({0, 0, 402, 338}, work);
    EXPECT_EQ(r.left, 1024 + (1280 - 402) / 2);
    EXPECT_EQ(r.top, (984 - 338) / 2);
    EXPECT_EQ(r.right - r.left, 402);
    EXPECT_EQ(r.bottom - r.top, 338);
    // Larger than the work area: its caption stays on it.
    const kq::Rect big = kq::CentreIn({-50, -50, 1450, 1150}, work);
    EXPECT_EQ(big.left, 1024);
    EXPECT_EQ(big.top, 0);
    EXPECT_EQ(big.right - big.left, 1500);
}

TEST(ProgramName, TitleAndFolder) {
    EXPECT_EQ(kq::ProgramTitle("C:\\Program Files\\Keyquell\\kqel.exe"), "kqel");
    EXPECT_EQ(kq::ProgramTitle("C:\\a.b\\kqel"), "kqel");
    EXPECT_EQ(kq::ProgramTitle("kqel.v2.exe"), "kqel.v2");
    EXPECT_EQ(kq::ProgramFolder("C:\\Program Files\\Keyquell\\kqel.exe"), "C:\\Program Files\\Keyquell");
    EXPECT_EQ(kq::ProgramFolder("kqel.exe"), "");
}

}  // namespace
