// CConfigSheet: the settings property sheet ("Keyquell" properties) with its pages and the
// help button beside the tabs.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "keyblocker/about/AboutPage.h"
#include "keyblocker/about/akBitButton.h"
#include "keyblocker/tarnixdlg.h"

class CConfiguration;

class CConfigSheet {
public:
    CConfigSheet(CConfiguration& config, HINSTANCE instance);
    CConfigSheet(const CConfigSheet&) = delete;
    CConfigSheet& operator=(const CConfigSheet&) = delete;

    // Adds a page; pages show in the order they are added.
    void AddPage(const PROPSHEETPAGEA& page) { m_pages.push_back(page); }
    // Runs the sheet modally, without an owner, first page selected.
    INT_PTR DoModal();

private:
    static int CALLBACK SheetCallback(HWND sheet, UINT msg, LPARAM lp);
    static LRESULT CALLBACK SheetSubclass(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                          DWORD_PTR data);
    void OnInitialized(HWND sheet);

    HINSTANCE m_hInstance;
    CTarnixDlg m_settingsPage;
    kq::CAboutPage m_aboutPage;
    std::vector<PROPSHEETPAGEA> m_pages;
    HWND m_hSheet = nullptr;
    kq::CakBitButton m_helpButton;
};
