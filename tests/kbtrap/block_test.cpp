// End to end: the hook library armed the way kqel arms it, with Wine's explorer as the shell
// and a window of this test in the foreground; logo keys and "A" are sent with SendInput and
// what reaches the window's procedure is checked.
//
// The same executable also plays two helpers, chosen by its first argument:
//   --game-window  a full-screen window of a process that has loaded opengl32.dll
//   --arm          a process that arms the hook and then is killed without disarming
#include <windows.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "kbtrap/kbtrap.h"
#include "kbtrap/shared_state.h"
#include "tests/support/e2e.h"

namespace {

const char kKeyPath[] = "Software\\Velmora\\KQeL";
const char kGameClass[] = "KbtrapTestGameWnd";
const char kArmedEvent[] = "Local\\kbtrap.test.armed";
const UINT kQueryDowns = WM_APP + 1;  // to the game window: key-down count of wParam
const UINT kQueryUps = WM_APP + 2;    // to the game window: key-up count of wParam
const WORD kSentinel = 'Z';           // sent last; once its release arrives, all before it has

UINT StartMsg() { return RegisterWindowMessageA("770CD077-2238-4cf6-BE50-43BD5468FC9E"); }
UINT ConfigMsg() { return RegisterWindowMessageA("3B12F922-89F9-4ca5-A973-B82AEE495AE9"); }
UINT StopMsg() { return RegisterWindowMessageA("3C3EE5F0-1D01-4915-91F7-606C6FF172FB"); }
HWND Taskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }

using e2e::BringToFront;
using e2e::Pump;
using e2e::Tap;

// Polls with this thread's messages dispatched, for 3 s unless told otherwise.
bool WaitFor(const std::function<bool()>& done, DWORD ms = 3000) { return e2e::PumpUntil(done, ms); }

// The stored blocking mode, written the way the program writes it.
void StoreMode(DWORD mode) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &key, nullptr));
    RegSetValueExA(key, "WhenToBlock", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof mode);
    RegCloseKey(key);
}

// Keeps the user's stored WhenToBlock across the run and puts it back afterwards.
class RegistryKeeper : public ::testing::Environment {
public:
    void SetUp() override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
            keyExisted_ = true;
            DWORD size = 0;
            if (RegQueryValueExA(key, "WhenToBlock", nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
                data_.resize(size);
                valueExisted_ = RegQueryValueExA(key, "WhenToBlock", nullptr, &type_, data_.data(), &size) ==
                                ERROR_SUCCESS;
                data_.resize(size);
            }
            RegCloseKey(key);
        }
    }
    void TearDown() override {
        if (!keyExisted_) {
            RegDeleteKeyA(HKEY_CURRENT_USER, kKeyPath);
            return;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        if (valueExisted_)
            RegSetValueExA(key, "WhenToBlock", 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
        else
            RegDeleteValueA(key, "WhenToBlock");
        RegCloseKey(key);
    }

private:
    bool keyExisted_ = false, valueExisted_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// What the shell side reports in the shared block (read only).
class StatusView {
public:
    StatusView() {
        mapping_ = OpenFileMappingA(FILE_MAP_READ, FALSE, kbtrap::kSharedStateName);
        if (mapping_)
            view_ = static_cast<const kbtrap::SharedState*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
    }
    ~StatusView() {
        if (view_) UnmapViewOfFile(view_);
        if (mapping_) CloseHandle(mapping_);
    }
    StatusView(const StatusView&) = delete;
    StatusView& operator=(const StatusView&) = delete;
    bool ok() const { return view_ != nullptr; }
    LONG Get(const std::int32_t kbtrap::ShellStatus::*field) const {
        return *reinterpret_cast<const volatile LONG*>(&(view_->status.*field));
    }

private:
    HANDLE mapping_ = nullptr;
    const kbtrap::SharedState* view_ = nullptr;
};

// ---- the window of this test ------------------------------------------------------------

struct KeyEvent {
    UINT msg;
    WPARAM vk;
};
std::vector<KeyEvent> g_events;

LRESULT CALLBACK TestWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) {
        g_events.push_back({msg == WM_SYSKEYDOWN ? WM_KEYDOWN : msg == WM_SYSKEYUP ? WM_KEYUP : msg, wp});
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

RECT MonitorRect() {
    MONITORINFO mi;
    mi.cbSize = sizeof mi;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    return mi.rcMonitor;
}

// Which keys reached a window: down and up seen, per key.
struct Seen {
    bool lwinDown = false, lwinUp = false, rwinDown = false, rwinUp = false, aDown = false, aUp = false;
    bool Logo() const { return lwinDown || lwinUp || rwinDown || rwinUp; }
    bool AllLogo() const { return lwinDown && lwinUp && rwinDown && rwinUp; }
    bool A() const { return aDown && aUp; }
};

// ---- the fixture: armed like kqel arms it, disarmed like its stop sequence ---------------

class KeyBlocking : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, Taskbar()) << "no shell taskbar in the bench";
        WNDCLASSA wc;
        std::memset(&wc, 0, sizeof wc);
        wc.lpfnWndProc = TestWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KbtrapTestWnd";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassA(&wc);
        wnd_ = CreateWindowExA(0, wc.lpszClassName, "kbtrap test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                               320, 200, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, wnd_);
        ASSERT_TRUE(BringToFront(wnd_));
        StoreMode(0);
        Arm();
    }
    void TearDown() override {
        Disarm();
        if (wnd_) DestroyWindow(wnd_);
        Pump();
    }

    void Arm() {
        ASSERT_TRUE(SetHook());
        status_ = std::make_unique<StatusView>();
        ASSERT_TRUE(status_->ok());
        LONG generation = status_->Get(&kbtrap::ShellStatus::generation);
        PostMessageA(Taskbar(), StartMsg(), 0, 0);
        ASSERT_TRUE(WaitFor([&] {
            return status_->Get(&kbtrap::ShellStatus::generation) != generation &&
                   status_->Get(&kbtrap::ShellStatus::running) == 1;
        })) << "the filter did not start in the shell's process";
        armed_ = true;
    }
    // The stop sequence of kqel, without its closing pause: once every top-level window has
    // handled the broadcast, nothing of the hook may remain.
    void Disarm() {
        if (!armed_) return;
        armed_ = false;
        SendMessageA(Taskbar(), StopMsg(), 0, 0);
        stoppedAtOnce_ = status_->Get(&kbtrap::ShellStatus::running) == 0;
        UnsetHook();
        DWORD_PTR ignored;
        SendMessageTimeoutA(HWND_BROADCAST, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
    // Writes the mode and tells the shell side, as the settings page's Apply does.
    void ChangeMode(DWORD mode) {
        StoreMode(mode);
        SendMessageA(Taskbar(), ConfigMsg(), 0, 0);
    }

    // Sends both logo keys and "A" to the foreground window of this process.
    Seen Press(HWND target) {
        EXPECT_TRUE(BringToFront(target));
        g_events.clear();
        Tap(VK_LWIN);
        Tap(VK_RWIN);
        Tap('A');
        Tap(kSentinel);
        bool arrived = WaitFor([] {
            for (const KeyEvent& e : g_events)
                if (e.msg == WM_KEYUP && e.vk == kSentinel) return true;
            return false;
        });
        EXPECT_TRUE(arrived) << "the sentinel key never reached the window";
        Seen s;
        for (const KeyEvent& e : g_events) {
            bool down = e.msg == WM_KEYDOWN;
            if (e.vk == VK_LWIN) (down ? s.lwinDown : s.lwinUp) = true;
            if (e.vk == VK_RWIN) (down ? s.rwinDown : s.rwinUp) = true;
            if (e.vk == 'A') (down ? s.aDown : s.aUp) = true;
        }
        return s;
    }

    HWND MakeFullScreenWindow() {
        RECT r = MonitorRect();
        HWND w = CreateWindowExA(0, "KbtrapTestWnd", "kbtrap full screen", WS_POPUP | WS_VISIBLE, r.left,
                                 r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(nullptr, w);
        return w;
    }

    HWND wnd_ = nullptr;
    bool armed_ = false;
    bool stoppedAtOnce_ = false;
    std::unique_ptr<StatusView> status_;
};

TEST_F(KeyBlocking, LibraryRunsInTheShellAndSeesInjectedKeys) {
    DWORD shellPid = 0;
    GetWindowThreadProcessId(Taskbar(), &shellPid);
    EXPECT_EQ(static_cast<LONG>(shellPid), status_->Get(&kbtrap::ShellStatus::shellPid));
    EXPECT_NE(GetCurrentProcessId(), shellPid);
    LONG seen = status_->Get(&kbtrap::ShellStatus::logoSeen);
    Press(wnd_);
    EXPECT_EQ(seen + 4, status_->Get(&kbtrap::ShellStatus::logoSeen));
}

TEST_F(KeyBlocking, SecondStartKeepsOneFilter) {
    LONG generation = status_->Get(&kbtrap::ShellStatus::generation);
    ASSERT_TRUE(SetHook());
    PostMessageA(Taskbar(), StartMsg(), 0, 0);
    ASSERT_TRUE(WaitFor([&] { return status_->Get(&kbtrap::ShellStatus::generation) != generation; }));
    EXPECT_EQ(1, status_->Get(&kbtrap::ShellStatus::running));
    ChangeMode(3);
    LONG seen = status_->Get(&kbtrap::ShellStatus::logoSeen);
    EXPECT_FALSE(Press(wnd_).Logo());
    EXPECT_EQ(seen + 4, status_->Get(&kbtrap::ShellStatus::logoSeen)) << "more than one filter runs";
}

TEST_F(KeyBlocking, ShellSideIgnoresAForgedBlock) {
    Disarm();
    ChangeMode(3);
    ASSERT_TRUE(SetHook());
    {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kbtrap::kSharedStateName);
        ASSERT_NE(nullptr, mapping);
        auto* block = static_cast<kbtrap::SharedState*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
        ASSERT_NE(nullptr, block);
        block->header.taskbarTid += 1;
        UnmapViewOfFile(block);
        CloseHandle(mapping);
    }
    SendMessageA(Taskbar(), StartMsg(), 0, 0);  // sent, so it has been handled on return
    EXPECT_EQ(0, status_->Get(&kbtrap::ShellStatus::running));
    EXPECT_TRUE(Press(wnd_).AllLogo());
    // Arming again writes a sound block.
    ASSERT_TRUE(SetHook());
    SendMessageA(Taskbar(), StartMsg(), 0, 0);
    EXPECT_EQ(1, status_->Get(&kbtrap::ShellStatus::running));
    armed_ = true;
    EXPECT_FALSE(Press(wnd_).Logo());
}

TEST_F(KeyBlocking, AlwaysBlocksOnlyTheLogoKeysAndNeverPassesThem) {
    ChangeMode(3);
    Seen always = Press(wnd_);
    EXPECT_FALSE(always.Logo());
    EXPECT_TRUE(always.A());

    ChangeMode(0);
    Seen never = Press(wnd_);
    EXPECT_TRUE(never.AllLogo());
    EXPECT_TRUE(never.A());
}

TEST_F(KeyBlocking, ModeChangeTakesEffectWithTheChangeMessage) {
    Seen before = Press(wnd_);
    EXPECT_TRUE(before.AllLogo());
    ChangeMode(3);  // no pause: the send returns after the shell side took the mode up
    EXPECT_EQ(3, status_->Get(&kbtrap::ShellStatus::mode));
    EXPECT_FALSE(Press(wnd_).Logo());
    ChangeMode(0);
    EXPECT_TRUE(Press(wnd_).AllLogo());
}

TEST_F(KeyBlocking, UnusableStoredModeActsAsFullScreenGamesOnly) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &key, nullptr));
    DWORD four = 4;
    RegSetValueExA(key, "WhenToBlock", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&four), sizeof four);
    RegCloseKey(key);
    SendMessageA(Taskbar(), ConfigMsg(), 0, 0);
    EXPECT_EQ(1, status_->Get(&kbtrap::ShellStatus::mode));
}

TEST_F(KeyBlocking, FullScreenModesWithOrdinaryWindows) {
    ChangeMode(1);
    EXPECT_TRUE(Press(wnd_).AllLogo()) << "mode 1, normal window";
    ChangeMode(2);
    EXPECT_TRUE(Press(wnd_).AllLogo()) << "mode 2, normal window";

    // A maximised window with a caption is not full-screen.
    ShowWindow(wnd_, SW_MAXIMIZE);
    EXPECT_TRUE(Press(wnd_).AllLogo()) << "mode 2, maximised window";

    HWND full = MakeFullScreenWindow();
    ASSERT_NE(nullptr, full);
    Seen any = Press(full);
    EXPECT_FALSE(any.Logo()) << "mode 2, full-screen window";
    EXPECT_TRUE(any.A());
    ChangeMode(1);
    EXPECT_TRUE(Press(full).AllLogo()) << "mode 1, full-screen window that is no game";
    DestroyWindow(full);
}

// The game is a window of another process, which has loaded OpenGL.
class GameWindow {
public:
    GameWindow() {
        if (!process_.Start(e2e::ExePath(), "--game-window")) return;
        WaitFor([&] { return (wnd_ = FindWindowA(kGameClass, nullptr)) != nullptr; }, 10000);
        // The game is in front before a test picks the mode, as when a player starts it: the
        // filter judges the window in front when the mode changes (found before it is shown,
        // the window may not be in front yet).
        if (wnd_) BringToFront(wnd_);
    }
    ~GameWindow() {
        if (wnd_) PostMessageA(wnd_, WM_CLOSE, 0, 0);
        process_.WaitExit(5000);  // else the process owner ends it
    }
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;
    HWND wnd() const { return wnd_; }
    LRESULT Downs(WORD vk) const { return SendMessageA(wnd_, kQueryDowns, vk, 0); }
    LRESULT Ups(WORD vk) const { return SendMessageA(wnd_, kQueryUps, vk, 0); }

    // Sends the keys to the game window; returns how many logo key events reached it.
    LRESULT PressLogo(LRESULT* aDowns) {
        EXPECT_TRUE(BringToFront(wnd_));
        LRESULT logo = Downs(VK_LWIN) + Ups(VK_LWIN) + Downs(VK_RWIN) + Ups(VK_RWIN);
        LRESULT a = Downs('A'), sentinel = Ups(kSentinel);
        Tap(VK_LWIN);
        Tap(VK_RWIN);
        Tap('A');
        Tap(kSentinel);
        EXPECT_TRUE(WaitFor([&] { return Ups(kSentinel) > sentinel; }));
        *aDowns = Downs('A') - a;
        return Downs(VK_LWIN) + Ups(VK_LWIN) + Downs(VK_RWIN) + Ups(VK_RWIN) - logo;
    }

private:
    e2e::Process process_;
    HWND wnd_ = nullptr;
};

TEST_F(KeyBlocking, FullScreenGameIsBlockedInBothFullScreenModes) {
    GameWindow game;
    ASSERT_NE(nullptr, game.wnd()) << "the game window did not appear";
    LRESULT a = 0;
    ChangeMode(1);
    EXPECT_EQ(0, game.PressLogo(&a)) << "mode 1, full-screen game";
    EXPECT_EQ(1, a);
    ChangeMode(2);
    EXPECT_EQ(0, game.PressLogo(&a)) << "mode 2, full-screen game";
    EXPECT_EQ(1, a);
    ChangeMode(0);
    EXPECT_EQ(4, game.PressLogo(&a)) << "mode 0, full-screen game";
}

TEST_F(KeyBlocking, StopSequenceLeavesNothingActive) {
    ChangeMode(3);
    EXPECT_FALSE(Press(wnd_).Logo());
    Disarm();
    EXPECT_TRUE(stoppedAtOnce_) << "the filter still ran when the stop message returned";
    EXPECT_EQ(0, status_->Get(&kbtrap::ShellStatus::running));
    Seen after = Press(wnd_);
    EXPECT_TRUE(after.AllLogo());
    EXPECT_TRUE(after.A());
}

// Another process arms the hook (mode 3) and waits to be killed without disarming.
bool StartArmer(e2e::Process* armer) {
    HANDLE armed = CreateEventA(nullptr, TRUE, FALSE, kArmedEvent);
    if (!armed) return false;
    bool ok = armer->Start(e2e::ExePath(), "--arm") && WaitForSingleObject(armed, 10000) == WAIT_OBJECT_0;
    CloseHandle(armed);
    return ok;
}

TEST_F(KeyBlocking, FilterEndsWhenTheArmingProgramDies) {
    Disarm();
    ChangeMode(3);
    e2e::Process armer;
    ASSERT_TRUE(StartArmer(&armer));
    StatusView status;
    ASSERT_TRUE(status.ok());
    EXPECT_EQ(1, status.Get(&kbtrap::ShellStatus::running));
    EXPECT_FALSE(Press(wnd_).Logo()) << "the other program's filter blocks";
    armer.Kill();
    EXPECT_TRUE(WaitFor([&] { return status.Get(&kbtrap::ShellStatus::running) == 0; }));
    EXPECT_TRUE(Press(wnd_).AllLogo());
}

TEST_F(KeyBlocking, ForgedOwnerDoesNotKeepTheFilterAliveAfterTheArmingProgramDies) {
    Disarm();
    ChangeMode(3);
    e2e::Process armer;
    ASSERT_TRUE(StartArmer(&armer));
    // Any process of the user may rewrite the block: it names this long-lived process as
    // the owner and has the shell side start again.
    {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kbtrap::kSharedStateName);
        ASSERT_NE(nullptr, mapping);
        auto* block = static_cast<kbtrap::SharedState*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
        ASSERT_NE(nullptr, block);
        block->header.ownerPid = GetCurrentProcessId();
        UnmapViewOfFile(block);
        CloseHandle(mapping);
    }
    SendMessageA(Taskbar(), StartMsg(), 0, 0);
    StatusView status;
    ASSERT_TRUE(status.ok());
    EXPECT_EQ(1, status.Get(&kbtrap::ShellStatus::running));
    EXPECT_FALSE(Press(wnd_).Logo());
    armer.Kill();
    EXPECT_TRUE(WaitFor([&] { return status.Get(&kbtrap::ShellStatus::running) == 0; }, 1000))
        << "the filter outlived the program that armed it";
    EXPECT_TRUE(Press(wnd_).AllLogo());
}

// Waits until the filter has looked at `count` more logo key events than `before`.
bool WaitForLogoSeen(const StatusView& status, LONG before, LONG count) {
    return WaitFor([&] { return status.Get(&kbtrap::ShellStatus::logoSeen) >= before + count; });
}

// The keys of this thread's window since the last clear, after a sentinel tap.
std::vector<KeyEvent> EventsAfterSentinel() {
    Tap(kSentinel);
    WaitFor([] {
        for (const KeyEvent& e : g_events)
            if (e.msg == WM_KEYUP && e.vk == kSentinel) return true;
        return false;
    });
    return g_events;
}

bool Has(const std::vector<KeyEvent>& events, UINT msg, WPARAM vk) {
    for (const KeyEvent& e : events)
        if (e.msg == msg && e.vk == vk) return true;
    return false;
}

TEST_F(KeyBlocking, KeyboardHookGoesInAgainOnResumeAndUnlockWithoutLosingARelease) {
    HWND filterWnd = FindWindowA("KbtrapFilterWnd", nullptr);
    ASSERT_NE(nullptr, filterWnd) << "the filter has no window for power and session notices";
    const LONG installs = status_->Get(&kbtrap::ShellStatus::hookInstalls);
    ASSERT_TRUE(BringToFront(wnd_));

    // Pressed while nothing blocks, released after blocking began and the hook went in
    // again: the release still reaches the window.
    g_events.clear();
    LONG seen = status_->Get(&kbtrap::ShellStatus::logoSeen);
    e2e::SendKey(VK_LWIN, false);
    ASSERT_TRUE(WaitForLogoSeen(*status_, seen, 1));
    ChangeMode(3);
    SendMessageA(filterWnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_EQ(installs + 1, status_->Get(&kbtrap::ShellStatus::hookInstalls));
    e2e::SendKey(VK_LWIN, true);
    std::vector<KeyEvent> events = EventsAfterSentinel();
    EXPECT_TRUE(Has(events, WM_KEYDOWN, VK_LWIN));
    EXPECT_TRUE(Has(events, WM_KEYUP, VK_LWIN)) << "the logo key was left held down";

    // Swallowed when pressed, the hook put in again on unlock: the release is swallowed too.
    g_events.clear();
    seen = status_->Get(&kbtrap::ShellStatus::logoSeen);
    e2e::SendKey(VK_RWIN, false);
    ASSERT_TRUE(WaitForLogoSeen(*status_, seen, 1));
    SendMessageA(filterWnd, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_EQ(installs + 2, status_->Get(&kbtrap::ShellStatus::hookInstalls));
    e2e::SendKey(VK_RWIN, true);
    events = EventsAfterSentinel();
    EXPECT_FALSE(Has(events, WM_KEYDOWN, VK_RWIN) || Has(events, WM_KEYUP, VK_RWIN));

    // Other notices leave the hook alone; one hook, not three, looks at each key.
    SendMessageA(filterWnd, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    SendMessageA(filterWnd, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    EXPECT_EQ(installs + 2, status_->Get(&kbtrap::ShellStatus::hookInstalls));
    seen = status_->Get(&kbtrap::ShellStatus::logoSeen);
    EXPECT_FALSE(Press(wnd_).Logo());
    EXPECT_EQ(seen + 4, status_->Get(&kbtrap::ShellStatus::logoSeen));
}

// ---- helper processes --------------------------------------------------------------------

LONG g_downs[256], g_ups[256];

LRESULT CALLBACK GameWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (wp < 256 && !(lp & (1L << 30))) ++g_downs[wp];
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (wp < 256) ++g_ups[wp];
        return 0;
    case kQueryDowns: return wp < 256 ? g_downs[wp] : 0;
    case kQueryUps: return wp < 256 ? g_ups[wp] : 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

int RunGameWindow() {
    if (!LoadLibraryA("opengl32.dll")) return 2;
    WNDCLASSA wc;
    std::memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = GameWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kGameClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassA(&wc);
    RECT r = MonitorRect();
    HWND w = CreateWindowExA(0, kGameClass, "kbtrap game", WS_POPUP | WS_VISIBLE, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (!w) return 3;
    SetForegroundWindow(w);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}

int RunArmer() {
    HANDLE armed = OpenEventA(EVENT_MODIFY_STATE, FALSE, kArmedEvent);
    if (!armed || !SetHook()) return 2;
    PostMessageA(Taskbar(), StartMsg(), 0, 0);
    StatusView status;
    if (!status.ok() || !WaitFor([&] { return status.Get(&kbtrap::ShellStatus::running) == 1; })) return 3;
    SetEvent(armed);
    for (;;) {  // killed by the test
        WaitMessage();
        Pump();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--game-window") == 0) return RunGameWindow();
    if (argc > 1 && std::strcmp(argv[1], "--arm") == 0) return RunArmer();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new RegistryKeeper);
    return RUN_ALL_TESTS();
}
