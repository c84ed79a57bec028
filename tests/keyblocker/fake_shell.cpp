#include "tests/keyblocker/fake_shell.h"

namespace kqtest {
namespace {
FakeShell* g_shell = nullptr;
UINT g_start, g_changed, g_stop;
const char kWineDesktops[] = "Software\\Wine\\Explorer\\Desktops";
}  // namespace

FakeShell::FakeShell(const char* desktopName) : m_name(desktopName) {
    g_start = RegisterWindowMessageA("770CD077-2238-4cf6-BE50-43BD5468FC9E");
    g_changed = RegisterWindowMessageA("3B12F922-89F9-4ca5-A973-B82AEE495AE9");
    g_stop = RegisterWindowMessageA("3C3EE5F0-1D01-4915-91F7-606C6FF172FB");
    // Under Wine the desktop becomes a virtual one of its own, as the bench's desktop is: a
    // window that closes there needs no answer from an X window manager (without one, hiding
    // a window of a desktop on the X root waits two seconds for it).
    HKEY desktops = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kWineDesktops, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &desktops,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(desktops, desktopName, 0, REG_SZ, reinterpret_cast<const BYTE*>("800x600"), 8);
        RegCloseKey(desktops);
    }
    m_desktop = CreateDesktopA(desktopName, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    g_shell = this;
    m_thread = std::thread([this] { Run(); });
    std::unique_lock<std::mutex> hold(m_lock);
    m_changed.wait(hold, [this] { return m_ready; });
}

FakeShell::~FakeShell() {
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    if (m_taskbar) PostMessageA(m_taskbar, WM_CLOSE, 0, 0);
    m_thread.join();
    g_shell = nullptr;
    if (m_desktop) CloseDesktop(m_desktop);
    HKEY desktops = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kWineDesktops, 0, KEY_SET_VALUE, &desktops) == ERROR_SUCCESS) {
        RegDeleteValueA(desktops, m_name.c_str());
        RegCloseKey(desktops);
    }
}

namespace {
BOOL CALLBACK FindTray(HWND wnd, LPARAM found) {
    char cls[64] = "";
    GetClassNameA(wnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "Shell_TrayWnd") == 0) *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}
}  // namespace

void FakeShell::Run() {
    m_threadId = GetCurrentThreadId();
    if (m_desktop && SetThreadDesktop(m_desktop)) {
        // Wine's desktop process brings a tray window of its own to every new desktop; ours
        // comes after it and stays above it, so a lookup by class finds ours.
        GetDesktopWindow();
        for (int i = 0; i < 60; ++i) {
            bool found = false;
            EnumDesktopWindows(m_desktop, FindTray, reinterpret_cast<LPARAM>(&found));
            if (found) break;
            Sleep(50);
        }
        WNDCLASSA wc{};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Shell_TrayWnd";
        RegisterClassA(&wc);
        m_taskbar = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 0,
                                    0, nullptr, nullptr, wc.hInstance, nullptr);
    }
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_ready = true;
    }
    m_changed.notify_all();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    if (m_taskbar) DestroyWindow(m_taskbar);
}

LRESULT CALLBACK FakeShell::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (g_shell) {
        ShellEvent e{ShellEvent::HookStart, GetTickCount(), 0, {}};
        if (msg == g_start || msg == g_changed || msg == g_stop) {
            e.kind = msg == g_start     ? ShellEvent::HookStart
                     : msg == g_changed ? ShellEvent::ConfigChanged
                                        : ShellEvent::HookStop;
            g_shell->Record(e);
            return 0;
        }
        if (msg == WM_NULL && InSendMessage()) {
            e.kind = ShellEvent::NullBroadcast;
            g_shell->Record(e);
            return 0;
        }
        if (msg == WM_COPYDATA) {
            const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
            e.kind = ShellEvent::TrayData;
            e.trayCommand = static_cast<DWORD>(cds->dwData);
            e.payload.assign(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
            g_shell->Record(e);
            return TRUE;
        }
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

void FakeShell::Record(ShellEvent e) {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_events.push_back(std::move(e));
    }
    m_changed.notify_all();
}

std::vector<ShellEvent> FakeShell::Events() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_events;
}

void FakeShell::ClearEvents() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_events.clear();
}

bool FakeShell::WaitFor(const std::function<bool(const std::vector<ShellEvent>&)>& pred, DWORD ms) {
    std::unique_lock<std::mutex> hold(m_lock);
    return m_changed.wait_for(hold, std::chrono::milliseconds(ms), [&] { return pred(m_events); });
}

size_t Count(const std::vector<ShellEvent>& events, ShellEvent::Kind kind) {
    size_t n = 0;
    for (const auto& e : events) n += e.kind == kind;
    return n;
}

const ShellEvent* FindTray(const std::vector<ShellEvent>& events, DWORD command, const wchar_t* needle) {
    for (const auto& e : events)
        if (e.kind == ShellEvent::TrayData && e.trayCommand == command &&
            e.payload.find(needle) != std::wstring::npos)
            return &e;
    return nullptr;
}

}  // namespace kqtest
