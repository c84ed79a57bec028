#include "monitor/app/single_instance.h"
#include "monitor/ui/form.h"

#include <string>

namespace app {

namespace {

// Holds the registry's named lock for one scope. Any process can take the lock and keep it,
// so the wait is short. When it expires the table is used without the lock: every use copies
// the table once and validates its copy, so a stuck holder can at worst cost a registration
// (two copies on one path both start, or a notice misses a copy), never a hang or a fault.
class LockScope {
public:
    static constexpr DWORD kWaitMs = 250;
    explicit LockScope(HANDLE m) : m_(m) {
        if (m_) {
            const DWORD r = WaitForSingleObject(m_, kWaitMs);
            held_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
        }
    }
    ~LockScope() {
        if (held_) ReleaseMutex(m_);
    }
    LockScope(const LockScope&) = delete;
    LockScope& operator=(const LockScope&) = delete;

private:
    HANDLE m_;
    bool held_ = false;
};

// The mapped table, read and written one word at a time.
class SharedWords final : public InstanceMemory {
public:
    explicit SharedWords(void* view) : words_(static_cast<volatile uint32_t*>(view)) {}
    uint32_t Load(uint32_t word) const override { return word < kTableWords ? words_[word] : 0; }
    void Store(uint32_t word, uint32_t value) override {
        if (word < kTableWords) words_[word] = value;
    }

private:
    volatile uint32_t* words_;
};

struct FindData {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindProc(HWND wnd, LPARAM lp) {
    auto* d = reinterpret_cast<FindData*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid != d->pid) return TRUE;
    char cls[64];
    if (GetClassNameA(wnd, cls, sizeof cls) && lstrcmpA(cls, d->cls) == 0) {
        d->found = wnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

UINT InstanceNoticeMessage() {
    static const UINT msg = RegisterWindowMessageA("Corvane Statwell Instance");
    return msg;
}

HWND FindProcessWindow(DWORD pid, const char* className) {
    FindData d{pid, className, nullptr};
    EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&d));
    return d.found;
}

SingleInstance::SingleInstance(const char* exePath) {
    const std::string key = InstanceKey(exePath);
    lock_.reset(CreateMutexA(nullptr, FALSE, (key + "_LOCK").c_str()));
    mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(InstanceTable),
                                      (key + "_TABLE").c_str()));
    if (!mapping_) return;  // no registry: run on our own
    table_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(InstanceTable)));
    if (!table_) return;

    const DWORD self = GetCurrentProcessId();
    RegisterOutcome r;
    {
        LockScope lock(lock_.get());
        SharedWords words(table_.get());
        r = RegisterInstance(words, self);  // a refused copy leaves no entry behind
    }
    accepted_ = r.accepted;
    if (accepted_)
        NotifyOthers(kInstanceCreated);
    else
        ActivateFirst(r.firstPid);
}

SingleInstance::~SingleInstance() {
    if (!table_) return;
    if (accepted_) {
        {
            LockScope lock(lock_.get());
            SharedWords words(table_.get());
            UnregisterInstance(words, GetCurrentProcessId());
        }
        NotifyOthers(kInstanceDestroyed);
    }
}

void SingleInstance::NotifyOthers(WPARAM code) {
    InstanceTable copy;
    {
        LockScope lock(lock_.get());
        copy = CopyInstanceTable(SharedWords(table_.get()));
    }
    const DWORD self = GetCurrentProcessId();
    for (uint32_t i = 0; i < copy.count; ++i) {
        if (copy.pids[i] == self) continue;
        if (HWND w = FindProcessWindow(copy.pids[i], "TApplication"))
            SendNotifyMessageA(w, InstanceNoticeMessage(), code, static_cast<LPARAM>(self));
    }
}

void SingleInstance::ActivateFirst(DWORD pid) {
    HWND app = FindProcessWindow(pid, "TApplication");
    if (!app) return;
    if (IsIconic(app)) SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    HWND fg = GetForegroundWindow();
    const DWORD fgThread = fg ? GetWindowThreadProcessId(fg, nullptr) : 0;
    const DWORD appThread = GetWindowThreadProcessId(app, nullptr);
    if (fgThread && fgThread != appThread) {
        AttachThreadInput(fgThread, appThread, TRUE);
        SetForegroundWindow(app);
        AttachThreadInput(fgThread, appThread, FALSE);
        // Detaching may leave no foreground window at all (seen under Wine): ask once more.
        if (!GetForegroundWindow()) SetForegroundWindow(app);
    } else {
        SetForegroundWindow(app);
    }
    // The first copy hands the activation on to its gadget once it has arrived.
    PostMessageA(app, ui::Application::kBroughtForward, 0, 0);
}

}  // namespace app
