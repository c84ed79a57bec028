// The real Network Stopwatch window: its frame, the button driven by mouse messages, runs over
// a fake clock (the limit, Stop and Start again, closing), a run on the real timer and clock,
// and a transfer over loopback read from the real interface table.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "monitor/stopwatch/frmStopWatch.h"
#include "tests/support/e2e.h"

using namespace stopwatch;

namespace {

struct FakeClock : Clock {
    std::uint64_t now = 5000000;
    std::uint64_t NowMs() override { return now; }
};

struct FakeCounters : CounterSource {
    metrics::Octets value{1000, 2000};
    bool Read(metrics::Octets& o, TableShape&) override {
        o = value;
        return true;
    }
};

std::string Caption(const ui::Panel& p) { return p.Caption(); }

std::string Shown(TfrmStopWatch& f) {
    char b[32];
    std::snprintf(b, sizeof b, "%02d:%02d:%02d.%d", f.lcdHour->Value(), f.lcdMin->Value(), f.lcdSec->Value(),
                  f.lcdMSec->Value());
    return b;
}

std::vector<std::string> Figures(TfrmStopWatch& f) {
    return {Caption(f.pnlNowDown), Caption(f.pnlNowUp), Caption(f.pnlAvgDown),   Caption(f.pnlAvgUp),
            Caption(f.pnlMaxDown), Caption(f.pnlMaxUp), Caption(f.pnlTotalDown), Caption(f.pnlTotalUp)};
}

LPARAM At(const ui::Control& c, int dx = 10, int dy = 10) {
    const ui::Rect r = c.HostRect();
    return MAKELPARAM(r.left + dx, r.top + dy);
}

// A press and release of the left button over the start button, as the mouse sends them.
void ClickStart(TfrmStopWatch& f) {
    SendMessageA(f.Handle(), WM_MOUSEMOVE, 0, At(f.btnStart));
    SendMessageA(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(f.btnStart));
    SendMessageA(f.Handle(), WM_LBUTTONUP, 0, At(f.btnStart));
}

TEST(StopWatchWin, WindowFrameControlsAndFirstShow) {
    FakeCounters c;
    FakeClock clock;
    TfrmStopWatch f(&c, &clock);
    f.FormCreate();
    const HWND w = f.Handle();
    ASSERT_NE(w, nullptr);
    char cls[64] = "", text[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    EXPECT_STREQ(cls, "TfrmStopWatch");
    EXPECT_STREQ(text, "Network Stopwatch");
    EXPECT_FALSE(IsWindowVisible(w));
    RECT rc;
    GetClientRect(w, &rc);
    EXPECT_EQ(rc.right, 291);
    EXPECT_EQ(rc.bottom, 147);
    const LONG style = GetWindowLongA(w, GWL_STYLE), ex = GetWindowLongA(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(w, GW_OWNER), nullptr);

    EXPECT_EQ(f.btnStart.Width(), 100);
    EXPECT_EQ(f.btnStart.Height(), 25);
    EXPECT_EQ(f.btnStart->Caption(), "Start");
    EXPECT_EQ(f.btnStart->ColorEnter(), 11974332u);
    EXPECT_EQ(f.pnlTime.Color(), 0u);
    EXPECT_EQ(f.lcdHour->Style(), widgets::ns11x20);
    EXPECT_EQ(f.lcdHour->Digits(), 2);
    EXPECT_TRUE(f.lcdSec->LeadingZero());
    EXPECT_EQ(f.lcdMSec->Digits(), 1);
    EXPECT_EQ(f.lcdMin->Palette().Low(), 0x800000u);
    EXPECT_EQ(f.lcdMin->Palette().High(), 16751001u);
    // The digits and their separators sit inside the black panel, in order.
    const ui::Control* order[] = {&f.lcdHour, &f.imgColon1, &f.lcdMin, &f.imgColon2,
                                  &f.lcdSec,  &f.imgPoint,  &f.lcdMSec};
    for (int i = 1; i < 7; ++i) EXPECT_EQ(order[i]->Left(), order[i - 1]->Left() + order[i - 1]->Width());
    EXPECT_GE(f.lcdHour.Left(), 0);
    EXPECT_LE(f.lcdMSec.Left() + f.lcdMSec.Width(), f.pnlTime.Width());
    for (const ui::Panel* p : {&f.pnlNowDown, &f.pnlTotalUp}) {
        EXPECT_EQ(p->Width(), 89);
        EXPECT_EQ(p->Height(), 17);
        EXPECT_EQ(p->Color(), 15263976u);
    }
    EXPECT_EQ(f.lblNow.Caption(), "Current KB/s");
    EXPECT_LT(f.pnlNowDown.Top(), f.pnlAvgDown.Top());
    EXPECT_LT(f.pnlAvgDown.Top(), f.pnlMaxDown.Top());
    EXPECT_LT(f.pnlMaxDown.Top(), f.pnlTotalDown.Top());
    EXPECT_LT(f.pnlNowDown.Left(), f.pnlNowUp.Left());
    EXPECT_LE(f.pnlTotalUp.Top() + f.pnlTotalUp.Height(), 147);
    EXPECT_LE(f.pnlTotalUp.Left() + f.pnlTotalUp.Width(), 291);
    EXPECT_EQ(Figures(f), std::vector<std::string>(8, "0"));
    EXPECT_EQ(Shown(f), "00:00:00.0");

    // Shown the first time: centred on the desktop; moved and shown again it stays.
    f.SetVisible(true);
    RECT wr, desk;
    GetWindowRect(w, &wr);
    GetWindowRect(GetDesktopWindow(), &desk);
    EXPECT_LE(std::abs((wr.left + wr.right) / 2 - (desk.left + desk.right) / 2), 1);
    EXPECT_LE(std::abs((wr.top + wr.bottom) / 2 - (desk.top + desk.bottom) / 2), 1);
    SetWindowPos(w, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    f.SetVisible(false);
    f.SetVisible(true);
    GetWindowRect(w, &wr);
    EXPECT_EQ(wr.left, 10);
    EXPECT_EQ(wr.top, 20);
    // "Always On Top": a real check box, checked, not a tab stop; a click takes the window
    // off the top and back, where it is.
    ASSERT_NE(f.cbTop.Handle(), nullptr);
    GetWindowTextA(f.cbTop.Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Always On Top");
    EXPECT_TRUE(f.cbTop.Checked());
    EXPECT_FALSE(GetWindowLongA(f.cbTop.Handle(), GWL_STYLE) & WS_TABSTOP);
    f.cbTop.Click();
    EXPECT_FALSE(f.cbTop.Checked());
    EXPECT_FALSE(f.AlwaysOnTop());
    f.cbTop.Click();
    EXPECT_TRUE(f.cbTop.Checked());
    EXPECT_TRUE(f.AlwaysOnTop());
    GetWindowRect(w, &wr);
    EXPECT_EQ(wr.left, 10);
    EXPECT_EQ(wr.right - wr.left, f.WindowRect().width);
}

TEST(StopWatchWin, TheMouseLightsPressesAndClicksTheButton) {
    FakeCounters c;
    FakeClock clock;
    TfrmStopWatch f(&c, &clock);
    f.FormCreate();
    f.SetVisible(true);  // clicks reach only a shown button
    const HWND w = f.Handle();
    SendMessageA(w, WM_MOUSEMOVE, 0, At(f.btnStart));
    EXPECT_TRUE(f.btnStart->Hot());
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, At(f.btnStart));
    EXPECT_TRUE(f.btnStart->Pressed());
    EXPECT_FALSE(f.Run().Running());  // nothing before the release
    // Dragged off and released outside: no click.
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(f.pnlTotalDown));
    EXPECT_FALSE(f.btnStart->Pressed());
    SendMessageA(w, WM_LBUTTONUP, 0, At(f.pnlTotalDown));
    EXPECT_FALSE(f.Run().Running());
    EXPECT_FALSE(f.btnStart->Hot());
    // A press elsewhere does nothing to the button.
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, At(f.pnlTime));
    SendMessageA(w, WM_LBUTTONUP, 0, At(f.pnlTime));
    EXPECT_FALSE(f.Run().Running());
    ClickStart(f);
    EXPECT_TRUE(f.Run().Running());
    EXPECT_EQ(f.btnStart->Caption(), "Stop");
    EXPECT_TRUE(f.Timer.Enabled());
    SendMessageA(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(f.btnStart->Hot());
    ClickStart(f);
    EXPECT_FALSE(f.Run().Running());
    EXPECT_EQ(f.btnStart->Caption(), "Start");
    EXPECT_FALSE(f.Timer.Enabled());
    // A quick second click arrives as a double click: it clicks all the same.
    ClickStart(f);
    SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, At(f.btnStart));
    SendMessageA(w, WM_LBUTTONUP, 0, At(f.btnStart));
    EXPECT_FALSE(f.Run().Running());
}

TEST(StopWatchWin, RunsOverTheClockStopsAtTheLimitAndWhenClosed) {
    FakeCounters c;
    FakeClock clock;
    TfrmStopWatch f(&c, &clock);
    f.FormCreate();
    f.SetVisible(true);
    ClickStart(f);
    for (int i = 1; i <= 9; ++i) {
        clock.now += 100;
        f.TimerTimer();
    }
    EXPECT_EQ(Shown(f), "00:00:00.9");
    c.value.down += 2765;
    c.value.up += 512;
    clock.now += 100;
    f.TimerTimer();
    EXPECT_EQ(Shown(f), "00:00:01.0");
    EXPECT_EQ(Figures(f), (std::vector<std::string>{"2.7", "0.5", "2.7", "0.5", "2.7", "0.5", "2.7", "0.5"}));
    c.value.down += 1024;
    clock.now += 1000;
    f.TimerTimer();
    clock.now += 570;  // a late event
    f.TimerTimer();
    EXPECT_EQ(Shown(f), "00:00:02.5");
    ClickStart(f);  // Stop: figures of second 2 stay
    EXPECT_EQ(Figures(f), (std::vector<std::string>{"1", "0", "1.9", "0.2", "2.7", "0.5", "3.7", "0.5"}));
    clock.now += 1000;
    EXPECT_EQ(Shown(f), "00:00:02.5");

    // Start again: every figure back to 0, the maximum too.
    ClickStart(f);
    EXPECT_EQ(Figures(f), std::vector<std::string>(8, "0"));
    EXPECT_EQ(Shown(f), "00:00:00.0");
    clock.now += 1000;
    f.TimerTimer();
    EXPECT_EQ(Caption(f.pnlMaxDown), "0");

    // Back from sleep with the counters reset: that second is a new base, not a wrapped spike.
    EXPECT_EQ(SendMessageA(f.Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0), TRUE);
    c.value = {10, 20};
    clock.now += 1000;
    f.TimerTimer();
    EXPECT_EQ(Figures(f), std::vector<std::string>(8, "0"));
    c.value.down += 2048;
    clock.now += 1000;
    f.TimerTimer();
    EXPECT_EQ(Caption(f.pnlNowDown), "2");
    EXPECT_EQ(Caption(f.pnlTotalDown), "2");

    // The limit: 23:59:59.9 shows, the next event stops the run.
    clock.now += 86400000;
    f.TimerTimer();
    EXPECT_EQ(Shown(f), "23:59:59.9");
    EXPECT_TRUE(f.Run().Running());
    clock.now += 100;
    f.TimerTimer();
    EXPECT_FALSE(f.Run().Running());
    EXPECT_EQ(f.btnStart->Caption(), "Start");
    EXPECT_FALSE(f.Timer.Enabled());
    EXPECT_EQ(Shown(f), "23:59:59.9");

    // Closing while running stops the run and only hides the window.
    f.SetVisible(true);
    ClickStart(f);
    SendMessageA(f.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(f.Handle()));
    EXPECT_FALSE(IsWindowVisible(f.Handle()));
    EXPECT_FALSE(f.Run().Running());
    EXPECT_EQ(f.btnStart->Caption(), "Start");
    EXPECT_FALSE(f.Timer.Enabled());
}

TEST(StopWatchWin, ARunOnTheRealTimerKeepsTime) {
    FakeCounters c;
    TfrmStopWatch f(&c);  // the performance counter
    f.FormCreate();
    f.SetVisible(true);
    ClickStart(f);
    const DWORD start = GetTickCount();
    c.value.down += 4096;
    EXPECT_TRUE(e2e::PumpUntil([&] { return GetTickCount() - start >= 2500; }, 5000));
    ClickStart(f);
    const int tenths = f.Run().Tenths();
    EXPECT_GE(tenths, 24);
    EXPECT_LE(tenths, 26);
    EXPECT_EQ(f.lcdSec->Value(), tenths / 10);
    EXPECT_EQ(f.lcdMSec->Value(), tenths % 10);
    EXPECT_EQ(Caption(f.pnlTotalDown), "4");
    EXPECT_EQ(Caption(f.pnlMaxDown), "4");
    EXPECT_EQ(Caption(f.pnlNowDown), tenths >= 20 ? "0" : "4");
    // STOPWATCH_LOOK=<ms> keeps the window on screen that long afterwards, for looking at.
    if (const char* look = std::getenv("STOPWATCH_LOOK")) {
        const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(look));
        e2e::PumpUntil([&] { return GetTickCount() >= until; }, 120000);
    }
}

TEST(StopWatchWin, ALoopbackTransferShowsInAllInterfaces) {
    WSADATA wsa;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &wsa), 0);
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    int len = sizeof a;
    getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
    listen(listener, 1);

    FakeClock clock;
    TfrmStopWatch f(nullptr, &clock);    // the real interface table
    f.AdapterIndex = [] { return -1; };  // all interfaces
    f.FormCreate();
    f.SetVisible(true);
    ClickStart(f);

    constexpr int kBytes = 4 << 20;
    std::thread receiver([&] {
        SOCKET s = accept(listener, nullptr, nullptr);
        std::vector<char> buf(65536);
        int got = 0;
        while (got < kBytes) {
            const int n = recv(s, buf.data(), static_cast<int>(buf.size()), 0);
            if (n <= 0) break;
            got += n;
        }
        closesocket(s);
    });
    SOCKET out = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_EQ(connect(out, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    std::vector<char> data(kBytes, 'x');
    int sent = 0;
    while (sent < kBytes) {
        const int n = send(out, data.data() + sent, kBytes - sent, 0);
        if (n <= 0) break;
        sent += n;
    }
    closesocket(out);
    receiver.join();
    closesocket(listener);
    EXPECT_EQ(sent, kBytes);

    // The host's counters may take a moment to show the bytes.
    double total = 0, current = 0;
    EXPECT_TRUE(e2e::PumpUntil(
        [&] {
            clock.now += 1000;
            f.TimerTimer();
            total = std::atof(Caption(f.pnlTotalDown).c_str());
            current = std::max(current, std::atof(Caption(f.pnlNowDown).c_str()));
            return total >= kBytes / 1024;
        },
        5000))
        << total;
    EXPECT_GE(current, kBytes / 1024 / 4);  // the bytes came within a second or two
    EXPECT_GE(std::atof(Caption(f.pnlTotalUp).c_str()), kBytes / 1024);
    EXPECT_GE(std::atof(Caption(f.pnlMaxDown).c_str()), current);
    WSACleanup();
}

}  // namespace
