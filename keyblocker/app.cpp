#include "keyblocker/app.h"

#include <commctrl.h>

#include "kbtrap/kbtrap.h"
#include "keyblocker/help.h"
#include "keyblocker/mainwnd.h"
#include "keyblocker/messages.h"
#include "keyblocker/resource.h"

UINT g_msgHookStart = 0;
UINT g_msgConfigChanged = 0;
UINT g_msgHookStop = 0;
UINT g_msgTrayNotify = 0;
UINT g_msgCheckUpdates = 0;
UINT g_msgTaskbarCreated = 0;

void RegisterKqelMessages() {
    g_msgHookStart = RegisterWindowMessageA("770CD077-2238-4cf6-BE50-43BD5468FC9E");
    g_msgConfigChanged = RegisterWindowMessageA("3B12F922-89F9-4ca5-A973-B82AEE495AE9");
    g_msgHookStop = RegisterWindowMessageA("3C3EE5F0-1D01-4915-91F7-606C6FF172FB");
    g_msgTrayNotify = RegisterWindowMessageA("599A6A10-A91F-4dd3-B7E8-6F25E148826D");
    g_msgCheckUpdates = RegisterWindowMessageA("CE510751-666B-4821-9422-9BF95A56F76C");
    g_msgTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
}

namespace {

constexpr const char* kMutexName = "kqelF97D518C-73D8-44ef-9CC3-629F31145F7D";
// How long the stop sequence's broadcast waits for any one window.
constexpr UINT kBroadcastWaitMs = 500;

kq::OsVersion ReadOsVersion() {
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof(vi);
    kq::OsVersion v;
    if (GetVersionExA(&vi)) {
        v.major = vi.dwMajorVersion;
        v.minor = vi.dwMinorVersion;
        v.platform = vi.dwPlatformId;
    }
    return v;
}

HWND FindTaskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }

}  // namespace

int64_t NowUnixSeconds() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const int64_t ticks = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return (ticks - 116444736000000000LL) / 10000000LL;
}

std::string ExePath() {
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n < MAX_PATH ? n : 0);
}

CTarnixApp::CTarnixApp(HINSTANCE instance)
    : m_hInstance(instance),
      m_config(m_registry, NowUnixSeconds(), FindTaskbar(), ExePath()),
      m_os(ReadOsVersion()) {}

CTarnixApp::~CTarnixApp() = default;

bool CTarnixApp::InitInstance() { return m_sequence.Start(); }

void CTarnixApp::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int CTarnixApp::ExitInstance() {
    m_hMutex.reset();
    m_pTrayWnd.reset();
    kq::CloseHelp();
    return 0;
}

void CTarnixApp::InitCommonControls() { ::InitCommonControls(); }

bool CTarnixApp::HasTaskbar() { return m_config.m_hTaskbarWnd != nullptr; }

void CTarnixApp::ShowNeedExplorer() {
    char text[256] = "";
    LoadStringA(m_hInstance, IDS_NEED_EXPLORER, text, sizeof(text));
    const std::string caption = kq::ProgramTitle(ExePath());
    MessageBoxA(nullptr, text, caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool CTarnixApp::TakeInstanceMutex() {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    m_hMutex.reset(mutex);  // kept until exit, also when another copy holds it
    return mutex && error != ERROR_ALREADY_EXISTS;
}

void CTarnixApp::AnnounceSecondCopy() {
    PostMessageA(HWND_BROADCAST, g_msgTrayNotify, 0, kq::kSecondCopyNotice);
}

void CTarnixApp::LoadConfiguration() { m_config.Load(); }

void CTarnixApp::SetHook() { ::SetHook(); }

void CTarnixApp::PostHookStart() { PostMessageA(m_config.m_hTaskbarWnd, g_msgHookStart, 0, 0); }

void CTarnixApp::SetHelpFileDefaults() { kq::SetHelpFileDefaults(); }

bool CTarnixApp::CreateTrayWindow() {
    m_pTrayWnd = std::make_unique<CMainWnd>(*this);
    return m_pTrayWnd->Create();
}

void CTarnixApp::SendHookStop() { SendMessageA(m_config.m_hTaskbarWnd, g_msgHookStop, 0, 0); }

void CTarnixApp::UnsetHook() { ::UnsetHook(); }

void CTarnixApp::BroadcastNull() {
    // Every thread with a top-level window handles one message, which lets the system take the
    // hook library out of it. A window that hangs is passed over rather than waited for: it
    // would keep Exit and the end of the logon waiting for good.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kBroadcastWaitMs,
                        &ignored);
}

void CTarnixApp::Pause(unsigned milliseconds) { Sleep(milliseconds); }

void CTarnixApp::FindTaskbarAgain() { m_config.m_hTaskbarWnd = FindTaskbar(); }
