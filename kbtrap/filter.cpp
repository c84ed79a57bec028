#include "kbtrap/filter.h"

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
    HANDLE owner;
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

DWORD WINAPI FilterMain(void* param) {
    auto* start = static_cast<StartBlock*>(param);
    // Keep the library loaded while this thread runs, whatever happens to the hooks that
    // brought it into this process.
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&FilterMain),
                       &self);
    HANDLE waits[2] = {start->stop, start->owner};
    HANDLE refreshed = start->refreshed;
    g_status = start->status;
    g_gate = LogoKeyGate();
    g_probe = ForegroundProbe();

    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the message queue the hooks need
    HookHandle keyboard(SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, self, 0));
    WinEventHook foreground(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                            ForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    UINT_PTR timer = SetTimer(nullptr, 0, kRefreshMs, RefreshTimer);
    start->ok = static_cast<bool>(keyboard) && self != nullptr;
    if (start->ok && g_status) InterlockedExchange(reinterpret_cast<volatile LONG*>(&g_status->running), 1);
    SetEvent(start->ready);  // *start is gone after this
    start = nullptr;
    g_probe.Refresh(GetForegroundWindow(), Mode());  // the window in front at the start

    if (keyboard && self) {
        for (;;) {
            DWORD r = MsgWaitForMultipleObjects(2, waits, FALSE, INFINITE, QS_ALLINPUT);
            if (r != WAIT_OBJECT_0 + 2) break;  // stop, owner ended, or a failed wait
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
    keyboard.reset();
    foreground.reset();
    if (g_status) InterlockedExchange(reinterpret_cast<volatile LONG*>(&g_status->running), 0);
    g_status = nullptr;
    if (self) FreeLibraryAndExitThread(self, 0);
    return 0;
}

}  // namespace

void SetFilterMode(int mode) { g_mode.store(mode, std::memory_order_relaxed); }
int FilterMode() { return g_mode.load(std::memory_order_relaxed); }

FilterThread StartFilter(HANDLE stopEvent, HANDLE ownerProcess, HANDLE refreshedEvent, ShellStatus* status) {
    FilterThread out;
    UniqueHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ready) return out;
    StartBlock start{stopEvent, ownerProcess, refreshedEvent, status, ready.get(), false};
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
