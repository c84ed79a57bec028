// Not a test: prints what the logo-key filter costs, as ratios from one run.
//  1. The work of the keyboard hook per logo key (the window queries, the rules and the
//     gate, as the filter runs them), against one bare GetForegroundWindow call.
//  2. The delay a logo key gains from SendInput to the window in front with the hook armed
//     (mode 2, an ordinary window, so the key passes after the whole check) against the
//     same key without the hook.
// Run it from build/bin: tools/wine-exec build ./kbtrap_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "kbtrap/kbtrap.h"
#include "kbtrap/probe.h"
#include "kbtrap/rules.h"
#include "kbtrap/shared_state.h"
#include "tests/support/e2e.h"

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double g_sentAt = 0;
std::vector<double> g_delays;

LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && wp == VK_LWIN && g_sentAt > 0) {
        g_delays.push_back(Now() - g_sentAt);
        g_sentAt = 0;
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

// The median delay from SendInput of a logo key press to its arrival in the window.
double KeyDelay(HWND wnd, int rounds) {
    g_delays.clear();
    for (int i = 0; i < rounds; ++i) {
        e2e::BringToFront(wnd);
        g_sentAt = Now();
        e2e::SendKey(VK_LWIN, false);
        e2e::PumpUntil([] { return g_sentAt == 0; }, 2000);
        e2e::SendKey(VK_LWIN, true);
        e2e::PumpUntil([] { return false; }, 5);
    }
    if (g_delays.empty()) return 0;
    std::sort(g_delays.begin(), g_delays.end());
    return g_delays[g_delays.size() / 2];
}

// The stored mode as it was, put back at the end.
struct StoredMode {
    bool present = false;
    DWORD type = 0, size = 0;
    BYTE data[64] = {};
    StoredMode() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velmora\\KQeL", 0, KEY_QUERY_VALUE, &key) !=
            ERROR_SUCCESS)
            return;
        size = sizeof data;
        present = RegQueryValueExA(key, "WhenToBlock", nullptr, &type, data, &size) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~StoredMode() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velmora\\KQeL", 0, KEY_SET_VALUE, &key) !=
            ERROR_SUCCESS)
            return;
        if (present)
            RegSetValueExA(key, "WhenToBlock", 0, type, data, size);
        else
            RegDeleteValueA(key, "WhenToBlock");
        RegCloseKey(key);
    }
};

void StoreMode(DWORD mode) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Velmora\\KQeL", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "WhenToBlock", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof mode);
    RegCloseKey(key);
}

}  // namespace

int main() {
    const StoredMode keep;
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KbtrapBenchWnd";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "kbtrap bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                               100, 320, 200, nullptr, nullptr, wc.hInstance, nullptr);
    if (!wnd || !e2e::BringToFront(wnd)) {
        std::printf("no window in front\n");
        return 1;
    }

    // 1. The hook's work per logo key, in this process, on the window in front. The machine
    //    may be busy with other work: each figure is the median of 31 blocks of 500 calls.
    kbtrap::ForegroundProbe probe;
    kbtrap::LogoKeyGate gate;
    probe.Refresh(GetForegroundWindow(), kbtrap::kModeFullScreenGame);
    const auto median = [](auto&& block) {
        std::vector<double> t;
        for (int b = 0; b < 31; ++b) {
            const double start = Now();
            block();
            t.push_back((Now() - start) / 500);
        }
        std::sort(t.begin(), t.end());
        return t[t.size() / 2];
    };
    volatile HWND sink = nullptr;
    const double bare = median([&] {
        for (int i = 0; i < 500; ++i) sink = GetForegroundWindow();
    });
    (void)sink;
    double perMode[4] = {};
    for (int mode = 0; mode < 4; ++mode) {
        volatile bool block = false;
        perMode[mode] = median([&] {
            for (int i = 0; i < 500; ++i)
                block = gate.OnKey(0, (i & 1) != 0, kbtrap::ShouldBlock(mode, probe.Gather(mode)));
        });
        (void)block;
    }
    std::printf(
        "hook work per logo key (us): mode 0 %.2f, 1 %.2f, 2 %.2f, 3 %.2f; one GetForegroundWindow %.2f\n",
        perMode[0] * 1e6, perMode[1] * 1e6, perMode[2] * 1e6, perMode[3] * 1e6, bare * 1e6);
    std::printf("ratio to one GetForegroundWindow: mode 1 %.1f, mode 2 %.1f\n", perMode[1] / bare,
                perMode[2] / bare);

    // 2. SendInput to the window, without and with the hook armed (mode 2: the key passes
    //    after the whole check).
    const int kRounds = 200;
    const double without = KeyDelay(wnd, kRounds);
    StoreMode(2);
    if (!SetHook()) {
        std::printf("cannot arm the hook\n");
        return 1;
    }
    PostMessageA(FindWindowA("Shell_TrayWnd", nullptr),
                 RegisterWindowMessageA("770CD077-2238-4cf6-BE50-43BD5468FC9E"), 0, 0);
    e2e::PumpUntil([] { return false; }, 500);
    const double with = KeyDelay(wnd, kRounds);
    // Mode 0: the hook is called as before but does no work; what it adds is the cost of a
    // low-level hook in another process as such.
    StoreMode(0);
    SendMessageA(FindWindowA("Shell_TrayWnd", nullptr),
                 RegisterWindowMessageA("3B12F922-89F9-4ca5-A973-B82AEE495AE9"), 0, 0);
    const double idle = KeyDelay(wnd, kRounds);
    SendMessageA(FindWindowA("Shell_TrayWnd", nullptr),
                 RegisterWindowMessageA("3C3EE5F0-1D01-4915-91F7-606C6FF172FB"), 0, 0);
    UnsetHook();
    std::printf(
        "SendInput to window, median of %d (us): without hook %.0f, hook in mode 0 %.0f, in mode 2 %.0f\n",
        kRounds, without * 1e6, idle * 1e6, with * 1e6);
    std::printf("ratios: mode 2 / no hook %.2f, mode 2 / mode 0 %.2f; the filter's own work adds %.0f us\n",
                without > 0 ? with / without : 0.0, idle > 0 ? with / idle : 0.0, (with - idle) * 1e6);
    DestroyWindow(wnd);
    return 0;
}
