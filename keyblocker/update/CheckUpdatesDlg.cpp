#include "keyblocker/update/CheckUpdatesDlg.h"

#include "keyblocker/update/update_check.h"
#include "keyblocker/update/update_res.h"
#include "keyblocker/update/update_rule.h"

namespace kq {

CCheckUpdatesDlg::CCheckUpdatesDlg(HINSTANCE instance)
    : m_hInstance(instance ? instance : GetModuleHandleA(nullptr)) {}

INT_PTR CCheckUpdatesDlg::DoModal() {
    m_bChecked = false;
    m_result = kLater;
    DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(IDD_CHECK_UPDATES), nullptr, DlgProc,
                    reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    // Only a button the user pressed decides. A dialog that could not be made, or that the end
    // of the program closed (WM_QUIT ends its loop with a result nobody chose), counts as "later".
    return m_result;
}

void CCheckUpdatesDlg::End(INT_PTR result) {
    m_result = result;
    EndDialog(m_hWnd, result);
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
        case IDC_UPD_YES: self->OnCheck(); return TRUE;
        case IDC_UPD_NO:
        case IDC_UPD_CLOSE:
        case IDCANCEL: self->End(kLater); return TRUE;
        case IDC_UPD_CLOSE_AFTER_DL: self->End(kCloseAfterNews); return TRUE;
        case IDOK:
            // Enter before the news arrived must not count as "Download now".
            if (IsWindowVisible(GetDlgItem(wnd, IDOK))) self->End(kDownload);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

namespace {

// A device context of a window with the window's font selected, for measuring captions.
class CaptionMeasure {
public:
    explicit CaptionMeasure(HWND wnd) : m_wnd(wnd), m_dc(GetDC(wnd)) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0));
        if (m_dc && font) m_old = SelectObject(m_dc, font);
    }
    ~CaptionMeasure() {
        if (m_old) SelectObject(m_dc, m_old);
        if (m_dc) ReleaseDC(m_wnd, m_dc);
    }
    CaptionMeasure(const CaptionMeasure&) = delete;
    CaptionMeasure& operator=(const CaptionMeasure&) = delete;

    // The width of a caption as a button draws it (mnemonic ampersands take no room).
    int Width(HWND control) const {
        char text[128] = {};
        GetWindowTextA(control, text, sizeof text);
        RECT r{0, 0, 0, 0};
        if (m_dc) DrawTextA(m_dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        return r.right - r.left;
    }

private:
    HWND m_wnd;
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

}  // namespace

void CCheckUpdatesDlg::FitButtons() {
    // The rows as the dialog shows them: asking; the news; no update or a failure.
    static const int kRows[3][2] = {
        {IDC_UPD_YES, IDC_UPD_NO}, {IDOK, IDC_UPD_CLOSE_AFTER_DL}, {IDC_UPD_CLOSE, 0}};
    RECT client{};
    GetClientRect(m_hWnd, &client);
    RECT margin{0, 0, 12, 0};  // room beside the caption for the edges and the focus rectangle
    MapDialogRect(m_hWnd, &margin);
    const CaptionMeasure measure(m_hWnd);
    for (const auto& row : kRows) {
        const int count = row[1] ? 2 : 1;
        HWND buttons[2] = {};
        RECT rects[2] = {};
        int design[2] = {}, need[2] = {};
        for (int i = 0; i < count; ++i) {
            buttons[i] = GetDlgItem(m_hWnd, row[i]);
            GetWindowRect(buttons[i], &rects[i]);
            MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rects[i]), 2);
            design[i] = rects[i].right - rects[i].left;
            need[i] = measure.Width(buttons[i]) + margin.right;
        }
        const int gap = count == 2 ? rects[1].left - rects[0].right : 0;
        ButtonSpan spans[2];
        LayOutButtonRow(client.right, gap, design, need, count, spans);
        for (int i = 0; i < count; ++i)
            SetWindowPos(buttons[i], nullptr, spans[i].left, rects[i].top, spans[i].width,
                         rects[i].bottom - rects[i].top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CCheckUpdatesDlg::OnInitDialog() {
    FitButtons();
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
