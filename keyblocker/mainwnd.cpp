#include "keyblocker/mainwnd.h"

#include <shellapi.h>

#include "keyblocker/app.h"
#include "keyblocker/configsheet.h"
#include "keyblocker/help.h"
#include "keyblocker/messages.h"
#include "keyblocker/resource.h"
#include "keyblocker/rules.h"
#include "keyblocker/update/CheckUpdatesDlg.h"
#include "keyblocker/update/update_check.h"

namespace {

constexpr const char* kClassName = "KeyquellWndClass";
constexpr const char* kWindowName = "KeyquellWnd";
constexpr UINT kTrayId = 1;
// Runs the update dialog modally, without an owner, and returns its result: 1 "Download
// now", 3 the "Close" beside it, 2 anything else.
int RunUpdateDialog() { return static_cast<int>(kq::CCheckUpdatesDlg().DoModal()); }

}  // namespace

CMainWnd::CMainWnd(CTarnixApp& app) : m_app(app) {}

CMainWnd::~CMainWnd() {
    if (m_hWnd) DestroyWindow(m_hWnd);
}

bool CMainWnd::Create() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = m_app.Instance();
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, kWindowName, WS_OVERLAPPEDWINDOW, 0, 0, CW_USEDEFAULT,
                    CW_USEDEFAULT, nullptr, nullptr, m_app.Instance(), this);
    m_bCreated = m_hWnd != nullptr;
    return m_bCreated;
}

LRESULT CALLBACK CMainWnd::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CMainWnd*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<CMainWnd*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hWnd = wnd;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(wnd, msg, wp, lp);
    const LRESULT result = self->OnMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
    }
    return result;
}

LRESULT CMainWnd::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        if (DefWindowProcA(m_hWnd, msg, wp, lp) == -1) return -1;
        return OnCreate() ? 0 : -1;
    case WM_DESTROY:
        RemoveTrayIcon();
        DefWindowProcA(m_hWnd, msg, wp, lp);
        PostQuitMessage(0);  // the main window: its end is the program's
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case ID_TRAY_CONFIGURATION: OnConfiguration(); return 0;
        case ID_TRAY_HELP: kq::ShowHelpTopic("intro.htm"); return 0;
        case ID_TRAY_EXIT: OnExit(); return 0;
        }
        break;
    case WM_QUERYENDSESSION: return OnQueryEndSession(wp, lp);
    default:
        if (msg == g_msgTrayNotify && msg != 0) {
            OnTrayNotify(lp);
            return 0;
        }
        if (msg == g_msgCheckUpdates && msg != 0) {
            OnCheckUpdates();
            return 0;
        }
        if (msg == g_msgTaskbarCreated && msg != 0) {
            OnTaskbarCreated();
            return 0;
        }
    }
    return DefWindowProcA(m_hWnd, msg, wp, lp);
}

bool CMainWnd::OnCreate() {
    m_hIcon = LoadIconA(m_app.Instance(), MAKEINTRESOURCEA(IDI_MAIN));
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    const bool added = AddTrayIcon();
    if (kq::IsUpdateDue(NowUnixSeconds(), m_app.Configuration().m_tLastUpdate))
        PostMessageA(m_hWnd, g_msgCheckUpdates, 0, 0);
    return added;
}

bool CMainWnd::AddTrayIcon() {
    if (!m_hTrayIcon)
        m_hTrayIcon.reset(static_cast<HICON>(LoadImageA(
            m_app.Instance(), MAKEINTRESOURCEA(kq::TrayIconId(m_app.Os())), IMAGE_ICON, 16, 16, 0)));
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = kTrayId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = g_msgTrayNotify;
    nid.hIcon = m_hTrayIcon.get();
    char tip[256] = "";
    LoadStringA(m_app.Instance(), IDS_TRAY_TIP, tip, sizeof(tip));
    lstrcpynA(nid.szTip, tip, 64);
    return Shell_NotifyIconA(NIM_ADD, &nid) != FALSE;
}

void CMainWnd::RemoveTrayIcon() {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = kTrayId;
    Shell_NotifyIconA(NIM_DELETE, &nid);
}

void CMainWnd::OnTrayNotify(LPARAM event) {
    switch (kq::DecideTrayEvent(m_bBusy, static_cast<uint32_t>(event), m_app.Os())) {
    case kq::TrayAction::OpenConfiguration: PostMessageA(m_hWnd, WM_COMMAND, ID_TRAY_CONFIGURATION, 0); break;
    case kq::TrayAction::ShowMenu: ShowTrayMenu(); break;
    case kq::TrayAction::ShowBalloon: ShowSecondCopyBalloon(); break;
    case kq::TrayAction::None: break;
    }
}

void CMainWnd::ShowTrayMenu() {
    kq::UniqueMenu menu(LoadMenuA(m_app.Instance(), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    if (!popup) return;
    POINT pt{};
    GetCursorPos(&pt);
    SetForegroundWindow(m_hWnd);
    SetMenuDefaultItem(popup, ID_TRAY_CONFIGURATION, FALSE);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

void CMainWnd::ShowSecondCopyBalloon() {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = kTrayId;
    nid.uFlags = NIF_INFO;
    LoadStringA(m_app.Instance(), IDS_ALREADY_RUNNING, nid.szInfo, sizeof(nid.szInfo));
    LoadStringA(m_app.Instance(), IDS_BALLOON_TITLE, nid.szInfoTitle, sizeof(nid.szInfoTitle));
    nid.uTimeout = 5000;
    nid.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconA(NIM_MODIFY, &nid);
}

void CMainWnd::OnConfiguration() {
    RunModal([this] {
        CConfigSheet sheet(m_app.Configuration(), m_app.Instance());
        return sheet.DoModal();
    });
}

void CMainWnd::OnCheckUpdates() {
    const int result = RunModal([] { return RunUpdateDialog(); });
    // "Download now" and the "Close" beside it complete the check; anything else offers it
    // again at the next start.
    if (result == 1 || result == 3) {
        CConfiguration& config = m_app.Configuration();
        config.m_tLastUpdate = NowUnixSeconds();
        config.Save();
    }
    if (result == 1)
        ShellExecuteA(nullptr, "open", kq::MakerUrl(kq::kProductPagePath).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
}

void CMainWnd::OnExit() {
    m_app.UnhookAll();
    PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
}

LRESULT CMainWnd::OnQueryEndSession(WPARAM wp, LPARAM lp) {
    if (!DefWindowProcA(m_hWnd, WM_QUERYENDSESSION, wp, lp)) return 0;
    m_app.UnhookAll();
    PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    return 1;
}

void CMainWnd::OnTaskbarCreated() {
    // The shell restarted: its new tray has none of our icon, and the hook side that lived
    // in the old shell's process is gone.
    AddTrayIcon();
    m_app.ShellRestarted();
}
