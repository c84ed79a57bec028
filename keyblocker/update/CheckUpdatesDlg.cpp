#include "keyblocker/update/CheckUpdatesDlg.h"

#include "keyblocker/update/update_check.h"
#include "keyblocker/update/update_res.h"

namespace kq {

CCheckUpdatesDlg::CCheckUpdatesDlg(HINSTANCE instance)
    : m_hInstance(instance ? instance : GetModuleHandleA(nullptr)) {}

INT_PTR CCheckUpdatesDlg::DoModal() {
    m_bChecked = false;
    const INT_PTR r = DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(IDD_CHECK_UPDATES), nullptr, DlgProc,
                                      reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    // A dialog that could not be made at all counts as "later".
    return r <= 0 ? kLater : r;
}

INT_PTR CALLBACK CCheckUpdatesDlg::DlgProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CCheckUpdatesDlg*>(GetWindowLongPtrA(wnd, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        self = reinterpret_cast<CCheckUpdatesDlg*>(lp);
        SetWindowLongPtrA(wnd, DWLP_USER, lp);
        self->m_hWnd = wnd;
        self->OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        if (!self) return FALSE;
        // While the request runs the dialog dispatches messages but answers no command.
        if (self->m_bChecking) return TRUE;
        switch (LOWORD(wp)) {
        case IDC_UPD_YES:
            self->OnCheck();
            return TRUE;
        case IDC_UPD_NO:
        case IDC_UPD_CLOSE:
        case IDCANCEL:
            EndDialog(wnd, kLater);
            return TRUE;
        case IDC_UPD_CLOSE_AFTER_DL:
            EndDialog(wnd, kCloseAfterNews);
            return TRUE;
        case IDOK:
            // Enter before the news arrived must not count as "Download now".
            if (IsWindowVisible(GetDlgItem(wnd, IDOK))) EndDialog(wnd, kDownload);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

void CCheckUpdatesDlg::OnInitDialog() {
    // It opens by itself at start-up: make sure the user sees it.
    SetForegroundWindow(m_hWnd);
    Focus(IDC_UPD_YES);
}

void CCheckUpdatesDlg::SetStatus(UINT stringId) {
    char text[256] = {};
    LoadStringA(m_hInstance, stringId, text, sizeof text);
    SetDlgItemTextA(m_hWnd, IDC_UPD_STATUS, text);
}

void CCheckUpdatesDlg::Show(int id, bool visible) {
    ShowWindow(GetDlgItem(m_hWnd, id), visible ? SW_SHOW : SW_HIDE);
}

void CCheckUpdatesDlg::Focus(int id) {
    SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, id)), TRUE);
}

void CCheckUpdatesDlg::OnCheck() {
    if (m_bChecked) return;  // one check per dialog
    m_bChecked = true;
    SetStatus(IDS_UPD_CHECKING);
    UpdateWindow(m_hWnd);

    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    m_bChecking = true;
    const UpdateOutcome outcome = RequestUpdateInfo(OwnProgramVersion());
    m_bChecking = false;
    SetCursor(old);

    Show(IDC_UPD_YES, false);
    Show(IDC_UPD_NO, false);
    switch (outcome) {
    case UpdateOutcome::Newer:
        Show(IDOK, true);
        Show(IDC_UPD_CLOSE_AFTER_DL, true);
        SetStatus(IDS_UPD_AVAILABLE);
        Focus(IDOK);
        break;
    case UpdateOutcome::NoUpdate:
        SetStatus(IDS_UPD_NONE);
        Show(IDC_UPD_CLOSE, true);
        Focus(IDC_UPD_CLOSE);
        break;
    case UpdateOutcome::Failed:
        SetStatus(IDS_UPD_CANNOT_CONNECT);
        Show(IDC_UPD_CLOSE, true);
        Focus(IDC_UPD_CLOSE);
        break;
    }
}

}  // namespace kq
