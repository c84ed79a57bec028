// TVrScope on Windows: its timers deliver ticks on this thread, OnNeedData feeds the channels,
// and what it paints into a memory DC (background, grid, base line, channels in order).
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "widgets/scope.h"

namespace widgets {
namespace {

struct CountingHost : Widget::Host {
    int invalidates = 0;
    void WidgetInvalidate() override { ++invalidates; }
    void WidgetResize(int, int) override {}
};

// Pumps messages until pred() holds or the time is up.
template <typename P>
bool PumpUntil(P pred, DWORD ms = 5000) {
    const DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    return true;
}

// A later timer of our own as the sentinel: whatever the scope's timers would deliver in
// five of their intervals arrives before it.
void SentinelRoundTrip() {
    const UINT_PTR sentinel = SetTimer(nullptr, 0, 100, nullptr);
    const DWORD start = GetTickCount();
    MSG m;
    while (GetTickCount() - start < 3000) {
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            continue;
        }
        if (m.message == WM_TIMER && !m.hwnd && m.wParam == sentinel) break;
        DispatchMessageA(&m);
    }
    KillTimer(nullptr, sentinel);
}

TEST(TVrScopeWin, BothTimersTickOnTheOwnThreadAndStopWhenInactive) {
    for (bool threaded : {false, true}) {
        TVrScope scope;
        CountingHost host;
        scope.SetHost(&host);
        EXPECT_FALSE(scope.Active());
        EXPECT_EQ(scope.Interval(), 100);
        EXPECT_TRUE(scope.Threaded());
        scope.Channels().Add();
        const DWORD self = GetCurrentThreadId();
        int ticks = 0;
        bool otherThread = false;
        scope.OnNeedData = [&](TVrScope&, int channel, int& v) {
            EXPECT_EQ(channel, 0);
            otherThread |= GetCurrentThreadId() != self;
            v = 40 + ticks++;
        };
        scope.SetThreaded(threaded);
        scope.SetInterval(20);
        scope.SetActive(true);
        ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; })) << threaded;
        EXPECT_FALSE(otherThread);
        EXPECT_GE(host.invalidates, 3);
        EXPECT_EQ(scope.Model().ChannelHistory(0).At(0), 40 + ticks - 1);
        scope.SetActive(false);
        const int stopped = ticks;
        SentinelRoundTrip();
        EXPECT_EQ(ticks, stopped);
        // No interval, no ticks, active or not.
        scope.SetInterval(0);
        scope.SetActive(true);
        SentinelRoundTrip();
        EXPECT_EQ(ticks, stopped);
        scope.SetInterval(-5);
        SentinelRoundTrip();
        EXPECT_EQ(ticks, stopped);
    }
}

TEST(TVrScopeWin, ErrorsOfTheHandlerGoToOnErrorAndTheNextTickStartsAfresh) {
    TVrScope scope;
    scope.Channels().Add();
    int calls = 0;
    std::string error;
    scope.OnNeedData = [&](TVrScope&, int, int& v) {
        if (++calls == 1) throw std::runtime_error("no reading");
        v = 7;
    };
    scope.OnError = [&](const char* text) { error = text; };
    scope.SetThreaded(false);
    scope.SetInterval(10);
    scope.SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return calls >= 2; }));
    scope.SetActive(false);
    EXPECT_EQ(error, "no reading");
    EXPECT_EQ(scope.Model().ChannelHistory(0).At(0), 7);
}

TEST(TVrScopeWin, PaintsBackgroundGridBaseLineAndChannelsLastToFirst) {
    TVrScope scope;
    scope.SetGridSize(10);
    scope.SetGridColor(0x005500);
    scope.SetBaseOffset(50);
    scope.SetBaseColor(0x0000FF);
    scope.SetColor(0x101010);
    scope.SetAnimateGrid(false);
    TVrChannel& a = scope.Channels().Add();
    TVrChannel& b = scope.Channels().Add();
    a.SetColor(0x00FFFF);
    b.SetColor(0xFF0000);
    // Both channels at the same level: channel 0 must end on top.
    scope.OnNeedData = [](TVrScope&, int, int& v) { v = 80; };
    for (int i = 0; i < 30; ++i) scope.Tick();

    Offscreen canvas;
    ASSERT_TRUE(canvas.Ensure(121, 41));
    const RECT r{0, 0, 121, 41};
    scope.Paint(canvas.Dc(), r);
    const int lineY = 41 - (41 * 80 / 100);  // 9
    EXPECT_EQ(GetPixel(canvas.Dc(), 115, lineY), 0x00FFFFu);
    EXPECT_EQ(GetPixel(canvas.Dc(), 95, lineY), 0x00FFFFu);
    // Grid on the columns and rows of 10 around the base line (20), base line over it.
    EXPECT_EQ(GetPixel(canvas.Dc(), 30, 5), 0x005500u);
    EXPECT_EQ(GetPixel(canvas.Dc(), 35, 30), 0x005500u);
    EXPECT_EQ(GetPixel(canvas.Dc(), 35, 20), 0x0000FFu);
    EXPECT_EQ(GetPixel(canvas.Dc(), 35, 5), 0x101010u);
    // Left of the oldest sample (x 91) the line goes down to the base line.
    EXPECT_EQ(GetPixel(canvas.Dc(), 65, 5), 0x101010u);
    EXPECT_EQ(GetPixel(canvas.Dc(), 65, lineY), 0x101010u);

    // Deleting channel 0 leaves channel 1's history and shows its colour.
    scope.Channels().Delete(0);
    EXPECT_EQ(scope.Model().ChannelHistory(0).Count(), 30u);
    scope.Paint(canvas.Dc(), r);
    EXPECT_EQ(GetPixel(canvas.Dc(), 115, lineY), 0xFF0000u);

    // A repaint after a range change shows no line at all: the histories are cleared.
    scope.SetMaxValue(200);
    scope.Paint(canvas.Dc(), r);
    EXPECT_EQ(GetPixel(canvas.Dc(), 115, lineY), 0x101010u);
    EXPECT_EQ(GetPixel(canvas.Dc(), 115, 20), 0x0000FFu);
}

TEST(TVrScopeWin, TransparentScopeKeepsTheHostPixels) {
    TVrScope scope;
    scope.SetTransparent(true);
    scope.SetGridSize(1000);
    scope.SetBaseOffset(0);
    EXPECT_FALSE(scope.Opaque());
    Offscreen canvas;
    ASSERT_TRUE(canvas.Ensure(20, 20));
    const RECT all{0, 0, 20, 20};
    SetBkColor(canvas.Dc(), 0x123456);
    ExtTextOutA(canvas.Dc(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    const RECT r{5, 5, 15, 15};
    scope.Paint(canvas.Dc(), r);
    EXPECT_EQ(GetPixel(canvas.Dc(), 10, 8), 0x123456u);
}

}  // namespace
}  // namespace widgets
