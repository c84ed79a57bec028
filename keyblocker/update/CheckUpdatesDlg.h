// The "Update Keyquell" dialog: asks, checks on request, shows the outcome and closes
// with the user's choice.
#pragma once
#include <windows.h>

namespace kq {

class CCheckUpdatesDlg {
public:
    // The dialog's results.
    enum Result : INT_PTR {
        kDownload = 1,        // "Download now"
        kLater = 2,           // "No, check later", "Close" after no update or a failure, dismissed
        kCloseAfterNews = 3,  // "Close" beside "Download now"
    };

    // Results after which the check counts as done and its time is stored.
    static bool ResultCompletesCheck(INT_PTR result) {
        return result == kDownload || result == kCloseAfterNews;
    }

    // instance: the module holding dialog 135 and its strings (the program itself).
    explicit CCheckUpdatesDlg(HINSTANCE instance = nullptr);
    // Runs the dialog modally with no owner and returns its result.
    INT_PTR DoModal();

private:
    static INT_PTR CALLBACK DlgProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    void OnInitDialog();
    // Widens every button whose caption needs more room than the dialog's design gives it
    // (the dialog font differs between systems) and centres each row again.
    void FitButtons();
    void OnCheck();
    void SetStatus(UINT stringId);
    void Show(int id, bool visible);
    void Focus(int id);
    // Ends the dialog with the result of the button pressed.
    void End(INT_PTR result);

    HINSTANCE m_hInstance;
    HWND m_hWnd = nullptr;
    bool m_bChecked = false;
    bool m_bChecking = false;   // the request runs
    INT_PTR m_result = kLater;  // what the button pressed asked for
};

}  // namespace kq
