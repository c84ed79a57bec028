// CAboutPage: the "About" page of the settings sheet: version, maker and links to the
// maker's home page and two more of its products.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "keyblocker/about/akUrlLabel.h"

namespace kq {

class CAboutPage {
public:
    explicit CAboutPage(HINSTANCE instance = nullptr);
    CAboutPage(const CAboutPage&) = delete;
    CAboutPage& operator=(const CAboutPage&) = delete;

    // The page for the property sheet.
    PROPSHEETPAGEA Page();

    // "Keyquell, Version: 1.1.0.10" from string 104 and the program's version.
    static std::string VersionLine(HINSTANCE instance);

    HWND GetHwnd() const { return m_hWnd; }
    CakUrlLabel& HomePage() { return m_home; }
    CakUrlLabel& Product1() { return m_product1; }
    CakUrlLabel& Product2() { return m_product2; }

private:
    static INT_PTR CALLBACK DlgProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnInitDialog();
    // Moves the static text `textId` so that it starts where the link's text starts.
    void AlignWithLinkText(const CakUrlLabel& link, int textId);

    HINSTANCE m_hInstance;
    HWND m_hWnd = nullptr;
    CakUrlLabel m_home;
    CakUrlLabel m_product1;
    CakUrlLabel m_product2;
};

}  // namespace kq
