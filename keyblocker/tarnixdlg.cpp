#include "keyblocker/tarnixdlg.h"

#include "keyblocker/configuration.h"
#include "keyblocker/help.h"
#include "keyblocker/messages.h"
#include "keyblocker/resource.h"
#include "keyblocker/rules.h"

namespace {

// Control and context-help number pairs for WinHelp, ending with two zeros.
const DWORD kHelpIds[] = {
    IDC_RUN_AT_STARTUP,
    kq::HelpIdOf(IDC_RUN_AT_STARTUP),
    IDC_MODE_ALWAYS,
    kq::HelpIdOf(IDC_MODE_ALWAYS),
    IDC_MODE_FULLSCREEN,
    kq::HelpIdOf(IDC_MODE_FULLSCREEN),
    IDC_MODE_GAMES,
    kq::HelpIdOf(IDC_MODE_GAMES),
    IDC_MODE_NEVER,
    kq::HelpIdOf(IDC_MODE_NEVER),
    0,
    0,
};

}  // namespace

CTarnixDlg::CTarnixDlg(CConfiguration& config, HINSTANCE instance)
    : m_config(config), m_hInstance(instance) {}

PROPSHEETPAGEA CTarnixDlg::Page() {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = m_hInstance;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_CONFIG_PAGE);
    page.pfnDlgProc = DlgProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK CTarnixDlg::DlgProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CTarnixDlg*>(GetWindowLongPtrA(wnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CTarnixDlg*>(reinterpret_cast<PROPSHEETPAGEA*>(lp)->lParam);
        self->m_hWnd = wnd;
        SetWindowLongPtrA(wnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    return self ? self->OnMessage(msg, wp, lp) : FALSE;
}

INT_PTR CTarnixDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        m_bRun = m_config.m_bRunAtStartup ? TRUE : FALSE;
        m_nMode = m_config.m_nWhenToBlock;
        UpdateData(false);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) >= IDC_RUN_AT_STARTUP && LOWORD(wp) <= IDC_MODE_NEVER)
            PropSheet_Changed(GetParent(m_hWnd), m_hWnd);
        return FALSE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lp)->code == static_cast<UINT>(PSN_APPLY)) {
            SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, OnApply() ? PSNRET_NOERROR : PSNRET_INVALID);
            return TRUE;
        }
        return FALSE;
    case WM_HELP: {
        const auto* info = reinterpret_cast<HELPINFO*>(lp);
        if (info->iContextType == HELPINFO_WINDOW)
            kq::ShowControlHelp(static_cast<HWND>(info->hItemHandle), kHelpIds);
        return TRUE;
    }
    case WM_CONTEXTMENU: kq::ShowContextMenuHelp(reinterpret_cast<HWND>(wp), kHelpIds); return TRUE;
    }
    return FALSE;
}

void CTarnixDlg::UpdateData(bool fromControls) {
    if (fromControls) {
        m_bRun = IsDlgButtonChecked(m_hWnd, IDC_RUN_AT_STARTUP) == BST_CHECKED;
        m_nMode = -1;
        for (int mode = 0; mode < 4; ++mode)
            if (IsDlgButtonChecked(m_hWnd, kq::RadioFromMode(mode)) == BST_CHECKED) m_nMode = mode;
    } else {
        CheckDlgButton(m_hWnd, IDC_RUN_AT_STARTUP, m_bRun ? BST_CHECKED : BST_UNCHECKED);
        for (int mode = 0; mode < 4; ++mode)
            CheckDlgButton(m_hWnd, kq::RadioFromMode(mode), mode == m_nMode ? BST_CHECKED : BST_UNCHECKED);
    }
}

BOOL CTarnixDlg::OnApply() {
    UpdateData(true);
    m_config.m_bRunAtStartup = m_bRun != FALSE;
    if (m_nMode >= 0) m_config.m_nWhenToBlock = m_nMode;
    m_config.Save();
    // The hook side re-reads the mode; wait until it has.
    SendMessageA(m_config.m_hTaskbarWnd, g_msgConfigChanged, 0, 0);
    return TRUE;
}
