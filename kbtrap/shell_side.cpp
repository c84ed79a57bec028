#include "kbtrap/shell_side.h"

#include <cstring>
#include <memory>

#include "kbtrap/filter.h"
#include "kbtrap/handles.h"
#include "kbtrap/rules.h"
#include "kbtrap/shared_state.h"

namespace kbtrap {
namespace {

// One armed session: the shared block, the controlling process and the filter thread.
struct Session {
    UniqueHandle mapping;
    MappedView view;
    UniqueHandle ownerLock;
    UniqueHandle stop;
    UniqueHandle refreshed;
    UniqueHandle thread;
    FilterThread filter;  // its thread handle is owned by thread

    ShellStatus* Status() const { return view ? &static_cast<SharedState*>(view.get())->status : nullptr; }
    bool FilterRunning() const { return thread && WaitForSingleObject(thread.get(), 0) == WAIT_TIMEOUT; }
};

// Touched on the taskbar thread only (and at unload).
std::unique_ptr<Session> g_session;

void Put(std::int32_t* field, LONG value) {
    InterlockedExchange(reinterpret_cast<volatile LONG*>(field), value);
}

void Published(Session& s) {
    if (ShellStatus* st = s.Status()) {
        Put(&st->mode, FilterMode());
        InterlockedIncrement(reinterpret_cast<volatile LONG*>(&st->generation));
    }
}

// How long a mode change waits for the filter to look at the foreground window again.
constexpr DWORD kRefreshWaitMs = 500;

// A new mode applies from the next key on; the filter first looks at the window in front
// (which it may not have judged under the old mode), so that key is decided on fresh facts.
void TakeUpStoredMode(Session& s) {
    SetFilterMode(ReadStoredMode());
    RefreshFilter(s.filter, s.refreshed.get(), kRefreshWaitMs);
    Published(s);
}

bool IsTaskbar(HWND wnd) {
    char cls[32] = {};
    return wnd && GetClassNameA(wnd, cls, sizeof cls) && std::strcmp(cls, "Shell_TrayWnd") == 0;
}

// Ends the session's filter (waiting for it) and drops the session.
void EndSession() {
    if (!g_session) return;
    Session& s = *g_session;
    if (s.thread) {
        SetEvent(s.stop.get());
        if (WaitForSingleObject(s.thread.get(), 5000) != WAIT_OBJECT_0) {
            // The thread still uses these handles and the view: leave them to it.
            s.mapping.release();
            s.view.release();
            s.ownerLock.release();
            s.stop.release();
            s.refreshed.release();
        }
    }
    if (ShellStatus* st = s.Status()) {
        Put(&st->running, 0);
        InterlockedIncrement(reinterpret_cast<volatile LONG*>(&st->generation));
    }
    g_session.reset();
}

// True when some other thread owns the mutex (this one takes and returns it otherwise).
bool HeldByAnother(HANDLE mutex) {
    const DWORD r = WaitForSingleObject(mutex, 0);
    if (r == WAIT_TIMEOUT) return true;
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) ReleaseMutex(mutex);
    return false;
}

void OnStart() {
    // A session whose arming program ended has a finished thread: drop it first.
    if (g_session && !g_session->FilterRunning()) EndSession();

    UniqueHandle mapping(OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, kSharedStateName));
    if (!mapping) return;
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
    if (!view) return;
    MEMORY_BASIC_INFORMATION mbi;
    if (!VirtualQuery(view.get(), &mbi, sizeof mbi)) return;
    SharedHeader header;
    if (CheckSharedHeader(view.get(), mbi.RegionSize, GetCurrentProcessId(), GetCurrentThreadId(), &header) !=
        HeaderCheck::kOk)
        return;

    if (g_session) {
        // Armed again: the running filter already follows the owner lock, whoever the
        // block now names. Take up the stored mode, keep the filter.
        TakeUpStoredMode(*g_session);
        return;
    }

    // The filter lives while the arming thread owns the lock; a start while nobody owns it
    // (the block is all that is left of a program that has gone) is refused.
    UniqueHandle lock(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kOwnerLockName));
    if (!lock || !HeldByAnother(lock.get())) return;

    auto s = std::make_unique<Session>();
    s->ownerLock = std::move(lock);
    s->stop.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    s->refreshed.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!s->stop || !s->refreshed) return;
    s->mapping = std::move(mapping);
    s->view = std::move(view);
    ShellStatus* st = s->Status();
    Put(&st->shellPid, static_cast<LONG>(GetCurrentProcessId()));
    SetFilterMode(ReadStoredMode());
    FilterThread f = StartFilter(s->stop.get(), s->ownerLock.get(), s->refreshed.get(), st);
    s->thread.reset(f.thread);
    s->filter = f;
    if (!f.running) {
        if (s->thread) WaitForSingleObject(s->thread.get(), 5000);
        return;  // Session released: the thread has ended (it failed to hook)
    }
    g_session = std::move(s);
    Published(*g_session);
}

void OnConfigChanged() {
    if (!g_session || !g_session->FilterRunning()) return;
    TakeUpStoredMode(*g_session);
}

void HandleTaskbarMessage(HWND wnd, UINT msg) {
    const HookMessages& m = Messages();
    if (msg == 0 || (msg != m.start && msg != m.configChanged && msg != m.stop)) return;
    if (!IsTaskbar(wnd)) return;
    if (msg == m.start)
        OnStart();
    else if (msg == m.configChanged)
        OnConfigChanged();
    else
        EndSession();
}

}  // namespace

const HookMessages& Messages() {
    static const HookMessages m = {
        RegisterWindowMessageA("770CD077-2238-4cf6-BE50-43BD5468FC9E"),
        RegisterWindowMessageA("3B12F922-89F9-4ca5-A973-B82AEE495AE9"),
        RegisterWindowMessageA("3C3EE5F0-1D01-4915-91F7-606C6FF172FB"),
    };
    return m;
}

int ReadStoredMode() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velmora\\KQeL", 0, KEY_QUERY_VALUE, &raw) !=
        ERROR_SUCCESS)
        return kDefaultMode;
    RegKey key(raw);
    DWORD type = 0, value = 0, size = sizeof value;
    bool ok = RegQueryValueExA(key.get(), "WhenToBlock", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                               &size) == ERROR_SUCCESS;
    return ModeFromStored(ok, type, size, value);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE) {
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        HandleTaskbarMessage(m->hwnd, m->message);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const CWPSTRUCT* c = reinterpret_cast<const CWPSTRUCT*>(lp);
        HandleTaskbarMessage(c->hwnd, c->message);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void ReleaseShellSide() {
    // A running filter holds its own reference to the library, so by the time the library
    // leaves the process the filter has ended: only handles are left to close.
    if (g_session && !g_session->FilterRunning())
        g_session.reset();
    else if (g_session)
        g_session.release();
}

}  // namespace kbtrap
