// CTarnixDlg: the "Configuration" page of the settings sheet: when to block the logo key and
// whether to start with Windows.
#pragma once
#include <windows.h>
#include <commctrl.h>

class CConfiguration;

class CTarnixDlg {
public:
    CTarnixDlg(CConfiguration& config, HINSTANCE instance);

    PROPSHEETPAGEA Page();

    BOOL m_bRun = FALSE;  // check box 1000
    int m_nMode = 0;      // place of the chosen radio button in its group

private:
    static INT_PTR CALLBACK DlgProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Moves the data fields into the controls (false) or back (true).
    void UpdateData(bool fromControls);
    BOOL OnApply();

    CConfiguration& m_config;
    HINSTANCE m_hInstance;
    HWND m_hWnd = nullptr;
};
