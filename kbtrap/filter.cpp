#include "kbtrap/filter.h"

#include <wtsapi32.h>

#include <atomic>

#include "kbtrap/handles.h"
#include "kbtrap/probe.h"
#include "kbtrap/rules.h"

namespace kbtrap {
namespace {

std::atomic<int> g_mode{kDefaultMode};

// Used on the filter thread only (the keyboard hook and the event hook are called there).
ShellStatus* g_status = nullptr;
LogoKeyGate g_gate;
ForegroundProbe g_probe;

// A thread message to the filter: refresh the foreground facts, then set the refreshed event.
constexpr UINT kRefreshMsg = WM_APP + 0x4B;

struct StartBlock {
    HANDLE stop;
    HANDLE ownerLock;
    HANDLE refreshed;
    ShellStatus* status;
    HANDLE ready;
    bool ok;
};

void Count(std::int32_t* field) {
    if (g_status) InterlockedIncrement(reinterpret_cast<volatile LONG*>(field));
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        if (key->vkCode == VK_LWIN || key->vkCode == VK_RWIN) {
            int mode = g_mode.load(std::memory_order_relaxed);
            bool blockNow = ShouldBlock(mode, g_probe.Gather(mode));
            bool up = (key->flags & LLKHF_UP) != 0;
            bool block = g_gate.OnKey(key->vkCode == VK_RWIN ? 1 : 0, up, blockNow);
            if (g_status) {
                Count(&g_status->logoSeen);
                if (block) Count(&g_status->logoBlocked);
            }
            if (block) return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// The slow facts about the foreground (its modules, the shell's Direct3D report) are
// gathered here, outside the keyboard hook, while a full-screen mode is in force: when the
// foreground changes; on a timer, for games that load their graphics runtime late or go
// full-screen in place (and under Wine, which reports no foreground changes); and when
// the shell side asks for it after a mode change (RefreshFilter).
constexpr UINT kRefreshMs = 500;

int Mode() { return g_mode.load(std::memory_order_relaxed); }

void CALLBACK ForegroundEvent(HWINEVENTHOOK, DWORD, HWND wnd, LONG, LONG, DWORD, DWORD) {
    g_probe.Refresh(wnd, Mode());
}

void CALLBACK RefreshTimer(HWND, UINT, UINT_PTR, DWORD) { g_probe.Refresh(GetForegroundWindow(), Mode()); }

// Windows drops a low-level hook without a word: after it once answered too slowly, and
// users see it after sleep or a locked session. The filter puts its hook in again when the
// system resumes or the session is unlocked, and every few minutes while a mode that can
// block is in force.
constexpr UINT kReinstallMs = 4 * 60 * 1000;
constexpr UINT_PTR kReinstallTimer = 1;
const char kFilterWindowClass[] = "KbtrapFilterWnd";

// Filter thread only.
HMODULE g_self = nullptr;
HookHandle g_keyboard;

bool InstallKeyboardHook() {
    // The new hook goes in before the old one comes out, and this thread handles no key in
    // between (hook calls arrive as messages): no key passes unfiltered, and the gate keeps
    // what it knows of keys held down, so a release still goes the way of its press.
    HookHandle fresh(SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, g_self, 0));
    if (!fresh) return false;  // the old hook, if it still works, stays
    g_keyboard = std::move(fresh);
    if (g_status) Count(&g_status->hookInstalls);
    return true;
}

LRESULT CALLBACK FilterWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_POWERBROADCAST:
        if (wp == PBT_APMRESUMEAUTOMATIC || wp == PBT_APMRESUMESUSPEND || wp == PBT_APMRESUMECRITICAL)
            InstallKeyboardHook();
        return TRUE;
    case WM_WTSSESSION_CHANGE:
        if (wp == WTS_SESSION_UNLOCK || wp == WTS_CONSOLE_CONNECT || wp == WTS_REMOTE_CONNECT)
            InstallKeyboardHook();
        return 0;
    case WM_TIMER:
        if (wp == kReinstallTimer) {
            if (Mode() != kModeNever) InstallKeyboardHook();
            return 0;
        }
        break;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

// The session notices come only to a window registered for them (wtsapi32, loaded here:
// the shell may not have it).
class SessionNotices {
public:
    explicit SessionNotices(HWND wnd) : wnd_(wnd) {
        if (!wnd_) return;
        lib_ = LoadLibraryA("wtsapi32.dll");
        if (!lib_) return;
        using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
        auto reg = reinterpret_cast<RegisterFn>(
            reinterpret_cast<void*>(GetProcAddress(lib_, "WTSRegisterSessionNotification")));
        registered_ = reg && reg(wnd_, NOTIFY_FOR_THIS_SESSION);
    }
    ~SessionNotices() {
        if (registered_) {
            using UnregisterFn = BOOL(WINAPI*)(HWND);
            auto unreg = reinterpret_cast<UnregisterFn>(
                reinterpret_cast<void*>(GetProcAddress(lib_, "WTSUnRegisterSessionNotification")));
            if (unreg) unreg(wnd_);
        }
        if (lib_) FreeLibrary(lib_);
    }
    SessionNotices(const SessionNotices&) = delete;
    SessionNotices& operator=(const SessionNotices&) = delete;

private:
    HWND wnd_;
    HMODULE lib_ = nullptr;
    bool registered_ = false;
};

// A hidden top-level window of the filter thread: power notices are sent to top-level
// windows only.
class FilterWindow {
public:
    explicit FilterWindow(HMODULE self) : self_(self) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = FilterWndProc;
        wc.hInstance = self;
        wc.lpszClassName = kFilterWindowClass;
        registered_ = RegisterClassA(&wc) != 0;
        wnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kFilterWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, self, nullptr);
        if (wnd_) SetTimer(wnd_, kReinstallTimer, kReinstallMs, nullptr);
    }
    ~FilterWindow() {
        if (wnd_) DestroyWindow(wnd_);
        if (registered_) UnregisterClassA(kFilterWindowClass, self_);
    }
    FilterWindow(const FilterWindow&) = delete;
    FilterWindow& operator=(const FilterWindow&) = delete;
    HWND get() const { return wnd_; }

private:
    HMODULE self_;
    bool registered_ = false;
    HWND wnd_ = nullptr;
};

void RunFilter(StartBlock* start, HMODULE self) {
    g_self = self;
    // The owner lock: owned by the arming thread while the hook is armed. This thread gets
    // it (and ends) once that thread lets it go or dies.
    HANDLE waits[2] = {start->stop, start->ownerLock};
    HANDLE refreshed = start->refreshed;
    g_status = start->status;
    g_gate = LogoKeyGate();
    g_probe = ForegroundProbe();

    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the message queue the hooks need
    const bool hooked = self && InstallKeyboardHook();
    WinEventHook foreground(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                            ForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    UINT_PTR timer = SetTimer(nullptr, 0, kRefreshMs, RefreshTimer);
    FilterWindow window(self);
    SessionNotices notices(window.get());
    start->ok = hooked;
    if (start->ok && g_status) InterlockedExchange(reinterpret_cast<volatile LONG*>(&g_status->running), 1);
    SetEvent(start->ready);  // *start is gone after this
    start = nullptr;
    g_probe.Refresh(GetForegroundWindow(), Mode());  // the window in front at the start

    if (hooked) {
        for (;;) {
            DWORD r = MsgWaitForMultipleObjects(2, waits, FALSE, INFINITE, QS_ALLINPUT);
            if (r == WAIT_OBJECT_0 + 1 || r == WAIT_ABANDONED_0 + 1) {
                ReleaseMutex(waits[1]);  // the next program that arms takes it
                break;
            }
            if (r != WAIT_OBJECT_0 + 2) break;  // stop, or a failed wait
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == nullptr && msg.message == kRefreshMsg) {
                    g_probe.Refresh(GetForegroundWindow(), Mode());
                    SetEvent(refreshed);
                    continue;
                }
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
    if (timer) KillTimer(nullptr, timer);
    g_keyboard.reset();
    foreground.reset();
    if (g_status) InterlockedExchange(reinterpret_cast<volatile LONG*>(&g_status->running), 0);
    g_status = nullptr;
    g_self = nullptr;
}

DWORD WINAPI FilterMain(void* param) {
    // Keep the library loaded while this thread runs, whatever happens to the hooks that
    // brought it into this process.
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&FilterMain), &self);
    RunFilter(static_cast<StartBlock*>(param), self);  // its window is gone on return
    if (self) FreeLibraryAndExitThread(self, 0);
    return 0;
}

}  // namespace

void SetFilterMode(int mode) { g_mode.store(mode, std::memory_order_relaxed); }
int FilterMode() { return g_mode.load(std::memory_order_relaxed); }

FilterThread StartFilter(HANDLE stopEvent, HANDLE ownerLock, HANDLE refreshedEvent, ShellStatus* status) {
    FilterThread out;
    UniqueHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ready) return out;
    StartBlock start{stopEvent, ownerLock, refreshedEvent, status, ready.get(), false};
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, FilterMain, &start, 0, &id);
    if (!thread) return out;
    // The thread only installs two hooks before it answers; the bound is a safety net.
    if (WaitForSingleObject(ready.get(), 5000) != WAIT_OBJECT_0) {
        // Should it answer later it must not touch this frame: stop it and wait for good.
        SetEvent(stopEvent);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        return out;
    }
    out.thread = thread;
    out.id = id;
    out.running = start.ok;
    return out;
}

void RefreshFilter(const FilterThread& filter, HANDLE refreshedEvent, DWORD timeoutMs) {
    if (!filter.running || !refreshedEvent) return;
    ResetEvent(refreshedEvent);  // a late answer to an earlier request does not count
    if (PostThreadMessageA(filter.id, kRefreshMsg, 0, 0)) WaitForSingleObject(refreshedEvent, timeoutMs);
}

}  // namespace kbtrap
