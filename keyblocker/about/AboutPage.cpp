#include "keyblocker/about/AboutPage.h"

#include <cstdio>

#include "keyblocker/about/about_res.h"
#include "keyblocker/update/update_check.h"

namespace kq {

CAboutPage::CAboutPage(HINSTANCE instance) : m_hInstance(instance ? instance : GetModuleHandleA(nullptr)) {}

PROPSHEETPAGEA CAboutPage::Page() {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = m_hInstance;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_ABOUT_PAGE);
    page.pfnDlgProc = DlgProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

std::string CAboutPage::VersionLine(HINSTANCE instance) {
    char format[128] = {};
    if (!LoadStringA(instance, IDS_ABOUT_VERSION, format, sizeof format)) return {};
    const ProgramVersion& v = OwnProgramVersion();
    char line[256];
    std::snprintf(line, sizeof line, format, static_cast<int>(v.major), static_cast<int>(v.minor),
                  static_cast<int>(v.build), static_cast<int>(v.revision));
    return line;
}

INT_PTR CALLBACK CAboutPage::DlgProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CAboutPage*>(GetWindowLongPtrA(wnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CAboutPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lp)->lParam);
        self->m_hWnd = wnd;
        SetWindowLongPtrA(wnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    return self ? self->OnMessage(msg, wp, lp) : FALSE;
}

INT_PTR CAboutPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: OnInitDialog(); return TRUE;
    case WM_COMMAND:
        if (m_home.OnParentCommand(wp, lp) || m_product1.OnParentCommand(wp, lp) ||
            m_product2.OnParentCommand(wp, lp))
            return TRUE;
        break;
    case WM_DESTROY: m_hWnd = nullptr; break;
    }
    return FALSE;
}

void CAboutPage::OnInitDialog() {
    m_home.SubclassDlgItem(m_hWnd, IDC_ABOUT_HOMEPAGE);
    m_product1.SubclassDlgItem(m_hWnd, IDC_ABOUT_PRODUCT1);
    m_product2.SubclassDlgItem(m_hWnd, IDC_ABOUT_PRODUCT2);
    m_home.SetTarget(MakerUrl(kHomePagePath));
    m_product1.SetTarget(MakerUrl("/capsquell.shtml"));
    m_product2.SetTarget(MakerUrl("/clipwarden.shtml"));
    SetDlgItemTextA(m_hWnd, IDC_ABOUT_VERSION, VersionLine(m_hInstance).c_str());
    // The maker's link stands under the version and copyright lines: its text starts where
    // theirs does.
    RECT version{}, home{};
    GetWindowRect(GetDlgItem(m_hWnd, IDC_ABOUT_VERSION), &version);
    GetWindowRect(m_home.GetHwnd(), &home);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&version), 2);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&home), 2);
    SetWindowPos(m_home.GetHwnd(), nullptr, version.left - m_home.TextLeft(), home.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    AlignWithLinkText(m_product1, IDC_ABOUT_PRODUCT1_TEXT);
    AlignWithLinkText(m_product2, IDC_ABOUT_PRODUCT2_TEXT);
}

void CAboutPage::AlignWithLinkText(const CakUrlLabel& link, int textId) {
    HWND text = GetDlgItem(m_hWnd, textId);
    if (!text || !link.GetHwnd()) return;
    // The link's text lies inside the label, so the dialog units of the template cannot
    // say where it starts under every font: the label can.
    RECT l{}, t{};
    GetWindowRect(link.GetHwnd(), &l);
    GetWindowRect(text, &t);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&l), 2);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&t), 2);
    const int left = l.left + link.TextLeft();
    SetWindowPos(text, nullptr, left, t.top, t.right - left, t.bottom - t.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kq
