// The decisions of the logo-key filter and the check of the block shared with the shell.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "kbtrap/rules.h"
#include "kbtrap/shared_state.h"

using namespace kbtrap;

TEST(StoredMode, OnlyAFourByteDwordInRangeCounts) {
    EXPECT_EQ(0, ModeFromStored(true, kRegDword, 4, 0));
    EXPECT_EQ(3, ModeFromStored(true, kRegDword, 4, 3));
    EXPECT_EQ(kDefaultMode, ModeFromStored(true, kRegDword, 4, 4));
    EXPECT_EQ(kDefaultMode, ModeFromStored(true, kRegDword, 4, 0xFFFFFFFFu));  // -1
    EXPECT_EQ(kDefaultMode, ModeFromStored(true, 1 /* REG_SZ */, 4, 2));
    EXPECT_EQ(kDefaultMode, ModeFromStored(true, kRegDword, 2, 2));
    EXPECT_EQ(kDefaultMode, ModeFromStored(false, kRegDword, 4, 2));
    EXPECT_EQ(1, kDefaultMode);
}

TEST(CoversMonitor, WholeMonitorOrMore) {
    Rect mon{0, 0, 1024, 768};
    EXPECT_TRUE(CoversMonitor({0, 0, 1024, 768}, mon));
    EXPECT_TRUE(CoversMonitor({-8, -8, 1032, 776}, mon));
    EXPECT_FALSE(CoversMonitor({0, 0, 1024, 738}, mon));  // stops at a taskbar
    EXPECT_FALSE(CoversMonitor({1, 0, 1024, 768}, mon));
    EXPECT_FALSE(CoversMonitor({0, 0, 1023, 768}, mon));
    // Second monitor to the left of the primary one.
    Rect left{-1280, 0, 0, 1024};
    EXPECT_TRUE(CoversMonitor({-1280, 0, 0, 1024}, left));
    EXPECT_FALSE(CoversMonitor({0, 0, 1024, 768}, left));
    // Empty rectangles never count.
    EXPECT_FALSE(CoversMonitor({0, 0, 0, 0}, Rect{0, 0, 0, 0}));
    EXPECT_FALSE(CoversMonitor({100, 100, 50, 50}, Rect{60, 60, 70, 70}));
}

TEST(WindowClasses, DesktopAndShell) {
    EXPECT_TRUE(IsShellClassName("Progman"));
    EXPECT_TRUE(IsShellClassName("WorkerW"));
    EXPECT_TRUE(IsShellClassName("shell_traywnd"));
    EXPECT_TRUE(IsShellClassName("#32769"));
    EXPECT_FALSE(IsShellClassName("Shell_TrayWndX"));
    EXPECT_FALSE(IsShellClassName("Progma"));
    EXPECT_FALSE(IsShellClassName(""));
    EXPECT_FALSE(IsShellClassName(nullptr));
}

TEST(GraphicsModules, NamesWithOrWithoutFolders) {
    for (const char* m : {"d3d8.dll", "D3D9.DLL", "d3d10.dll", "d3d10_1.dll", "d3d11.dll", "d3d12.dll",
                          "dxgi.dll", "ddraw.dll", "opengl32.dll", "vulkan-1.dll"})
        EXPECT_TRUE(IsGraphicsModuleName(m)) << m;
    EXPECT_TRUE(IsGraphicsModuleName("C:\\Windows\\System32\\OpenGL32.dll"));
    EXPECT_TRUE(IsGraphicsModuleName("c:/games/x/d3d9.dll"));
    EXPECT_FALSE(IsGraphicsModuleName("d3d9.dll.bak"));
    EXPECT_FALSE(IsGraphicsModuleName("myd3d9.dll"));
    EXPECT_FALSE(IsGraphicsModuleName("d3d9"));
    EXPECT_FALSE(IsGraphicsModuleName("C:\\opengl32.dll\\user32.dll"));
    EXPECT_FALSE(IsGraphicsModuleName("user32.dll"));
    EXPECT_FALSE(IsGraphicsModuleName(""));
    EXPECT_FALSE(IsGraphicsModuleName(nullptr));
}

namespace {
ForegroundFacts FullScreen(bool game) {
    ForegroundFacts f;
    f.present = true;
    f.coversMonitor = true;
    f.game = game;
    return f;
}
}  // namespace

TEST(Verdict, EachModeOverTheForegroundKinds) {
    ForegroundFacts none;
    ForegroundFacts normal;
    normal.present = true;
    normal.game = true;  // a game in a window is not full-screen
    ForegroundFacts app = FullScreen(false);
    ForegroundFacts game = FullScreen(true);
    ForegroundFacts desktop = FullScreen(false);
    desktop.shellOrDesktop = true;
    ForegroundFacts minimised = FullScreen(true);
    minimised.minimized = true;
    ForegroundFacts exclusive;  // the shell reports Direct3D full-screen
    exclusive.d3dFullScreen = true;

    struct Row {
        const ForegroundFacts* f;
        bool m0, m1, m2, m3;
    } rows[] = {
        {&none, false, false, false, true},    {&normal, false, false, false, true},
        {&app, false, false, true, true},      {&game, false, true, true, true},
        {&desktop, false, false, false, true}, {&minimised, false, false, false, true},
        {&exclusive, false, true, true, true},
    };
    int i = 0;
    for (const Row& r : rows) {
        EXPECT_EQ(r.m0, ShouldBlock(0, *r.f)) << "row " << i;
        EXPECT_EQ(r.m1, ShouldBlock(1, *r.f)) << "row " << i;
        EXPECT_EQ(r.m2, ShouldBlock(2, *r.f)) << "row " << i;
        EXPECT_EQ(r.m3, ShouldBlock(3, *r.f)) << "row " << i;
        ++i;
    }
    // Out-of-range modes act as the default (games only).
    EXPECT_TRUE(ShouldBlock(7, game));
    EXPECT_FALSE(ShouldBlock(-1, app));
}

TEST(LogoKeyGate, ReleaseFollowsItsPress) {
    LogoKeyGate g;
    // Blocked press: its release is swallowed even if the verdict changed meanwhile.
    EXPECT_TRUE(g.OnKey(0, false, true));
    EXPECT_TRUE(g.OnKey(0, false, false));  // auto-repeat follows the first press
    EXPECT_TRUE(g.OnKey(0, true, false));
    // Passed press: its release passes even if blocking began meanwhile (no stuck key).
    EXPECT_FALSE(g.OnKey(0, false, false));
    EXPECT_FALSE(g.OnKey(0, false, true));
    EXPECT_FALSE(g.OnKey(0, true, true));
    // A release without a seen press passes.
    EXPECT_FALSE(g.OnKey(1, true, true));
    // The two keys are independent.
    EXPECT_TRUE(g.OnKey(0, false, true));
    EXPECT_FALSE(g.OnKey(1, false, false));
    EXPECT_FALSE(g.OnKey(1, true, true));
    EXPECT_TRUE(g.OnKey(0, true, false));
    // Nonsense key numbers pass.
    EXPECT_FALSE(g.OnKey(2, false, true));
    EXPECT_FALSE(g.OnKey(-1, false, true));
}

TEST(GameVerdictCache, ChecksNewProcessesAndRechecksNonGamesLater) {
    GameVerdictCache c(3000);
    EXPECT_TRUE(c.NeedsCheck(10, 0));
    c.Store(10, false, 1000);
    EXPECT_FALSE(c.NeedsCheck(10, 3999));
    EXPECT_TRUE(c.NeedsCheck(10, 4000));
    EXPECT_TRUE(c.NeedsCheck(11, 1001));
    EXPECT_FALSE(c.IsGame(10));
    c.Store(10, true, 4000);
    EXPECT_TRUE(c.IsGame(10));
    EXPECT_FALSE(c.IsGame(11));
    EXPECT_FALSE(c.NeedsCheck(10, 4000 + 100000));
    // The tick counter wraps after 49.7 days.
    c.Store(12, false, 0xFFFFFF00u);
    EXPECT_FALSE(c.NeedsCheck(12, 0x00000100u));
    EXPECT_TRUE(c.NeedsCheck(12, 0x00000C00u));
    c.Clear();
    EXPECT_TRUE(c.NeedsCheck(10, 4001));
    EXPECT_FALSE(c.IsGame(10));
}

namespace {
SharedState GoodBlock() {
    SharedState s{};
    s.header.magic = kSharedMagic;
    s.header.version = kSharedVersion;
    s.header.size = sizeof(SharedState);
    s.header.ownerPid = 100;
    s.header.taskbarTid = 200;
    return s;
}
}  // namespace

TEST(SharedBlock, CheckedBeforeUse) {
    SharedState s = GoodBlock();
    SharedHeader out{};
    EXPECT_EQ(HeaderCheck::kOk, CheckSharedHeader(&s, sizeof s, 300, 200, &out));
    EXPECT_EQ(100u, out.ownerPid);
    EXPECT_EQ(HeaderCheck::kOk, CheckSharedHeader(&s, 4096, 300, 200, nullptr));

    EXPECT_EQ(HeaderCheck::kTooSmall, CheckSharedHeader(&s, sizeof s - 1, 300, 200, &out));
    EXPECT_EQ(HeaderCheck::kTooSmall, CheckSharedHeader(nullptr, 4096, 300, 200, &out));

    SharedState bad = GoodBlock();
    bad.header.magic ^= 1;
    EXPECT_EQ(HeaderCheck::kBadMagic, CheckSharedHeader(&bad, sizeof bad, 300, 200, &out));
    bad = GoodBlock();
    bad.header.version = kSharedVersion + 1;
    EXPECT_EQ(HeaderCheck::kBadMagic, CheckSharedHeader(&bad, sizeof bad, 300, 200, &out));
    bad = GoodBlock();
    bad.header.size = 0x7FFFFFFF;
    EXPECT_EQ(HeaderCheck::kBadSize, CheckSharedHeader(&bad, sizeof bad, 300, 200, &out));
    bad = GoodBlock();
    bad.header.ownerPid = 0;
    EXPECT_EQ(HeaderCheck::kNoOwner, CheckSharedHeader(&bad, sizeof bad, 300, 200, &out));
    EXPECT_EQ(HeaderCheck::kOwnerIsSelf, CheckSharedHeader(&s, sizeof s, 100, 200, &out));
    EXPECT_EQ(HeaderCheck::kWrongThread, CheckSharedHeader(&s, sizeof s, 300, 201, &out));

    // *out is left alone on failure.
    SharedHeader untouched{};
    untouched.ownerPid = 77;
    CheckSharedHeader(&bad, sizeof bad, 300, 200, &untouched);
    EXPECT_EQ(77u, untouched.ownerPid);
}

TEST(SharedBlock, MisalignedViewIsReadSafely) {
    std::vector<unsigned char> raw(sizeof(SharedState) + 1);
    SharedState s = GoodBlock();
    std::memcpy(raw.data() + 1, &s, sizeof s);
    SharedHeader out{};
    EXPECT_EQ(HeaderCheck::kOk, CheckSharedHeader(raw.data() + 1, sizeof s, 300, 200, &out));
    EXPECT_EQ(200u, out.taskbarTid);
}
