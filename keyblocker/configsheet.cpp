#include "keyblocker/configsheet.h"

#include "keyblocker/configuration.h"
#include "keyblocker/help.h"
#include "keyblocker/resource.h"
#include "keyblocker/rules.h"

namespace {
// The sheet being shown: the sheet callback carries no data of its own, and the tray
// window opens one sheet at a time.
CConfigSheet* g_shownSheet = nullptr;

kq::Rect ClientRectOf(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return kq::Rect{r.left, r.top, r.right, r.bottom};
}
}  // namespace

CConfigSheet::CConfigSheet(CConfiguration& config, HINSTANCE instance)
    : m_hInstance(instance), m_settingsPage(config, instance), m_aboutPage(instance) {
    // The pages, in the order they are shown.
    AddPage(m_settingsPage.Page());
    AddPage(m_aboutPage.Page());
}

INT_PTR CConfigSheet::DoModal() {
    // The system adds no Help button of its own: the sheet brings its own.
    for (auto& page : m_pages) page.dwFlags &= ~PSP_HASHELP;
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_PROPTITLE | PSH_USECALLBACK;
    header.hwndParent = nullptr;
    header.hInstance = m_hInstance;
    header.pszCaption = MAKEINTRESOURCEA(IDS_SHEET_CAPTION);
    header.nPages = static_cast<UINT>(m_pages.size());
    header.nStartPage = 0;
    header.ppsp = m_pages.data();
    header.pfnCallback = SheetCallback;
    g_shownSheet = this;
    const INT_PTR result = PropertySheetA(&header);
    g_shownSheet = nullptr;
    return result;
}

int CALLBACK CConfigSheet::SheetCallback(HWND sheet, UINT msg, LPARAM) {
    if (msg == PSCB_INITIALIZED && g_shownSheet) g_shownSheet->OnInitialized(sheet);
    return 0;
}

void CConfigSheet::OnInitialized(HWND sheet) {
    m_hSheet = sheet;
    // Open where the user looks: centred on the work area of the monitor with the cursor.
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT window{};
    if (GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor) &&
        GetWindowRect(sheet, &window)) {
        const RECT& work = monitor.rcWork;
        const kq::Rect r = kq::CentreIn(kq::Rect{window.left, window.top, window.right, window.bottom},
                                        kq::Rect{work.left, work.top, work.right, work.bottom});
        SetWindowPos(sheet, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowLongPtrA(sheet, GWL_EXSTYLE,
                      GetWindowLongPtrA(sheet, GWL_EXSTYLE) | WS_EX_APPWINDOW | WS_EX_CONTEXTHELP);
    HICON icon = LoadIconA(m_hInstance, MAKEINTRESOURCEA(IDI_MAIN));
    SendMessageA(sheet, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(sheet, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    const kq::Rect r = kq::HelpButtonRect(ClientRectOf(PropSheet_GetTabControl(sheet), sheet),
                                          ClientRectOf(GetDlgItem(sheet, IDOK), sheet));
    const RECT rc{r.left, r.top, r.right, r.bottom};
    m_helpButton.Create(sheet, "", WS_VISIBLE | WS_TABSTOP, rc, IDC_SHEET_HELP);
    m_helpButton.SetPicturePlacement(16);  // centred
    m_helpButton.SetPicture(IDB_HELP);
    SetWindowSubclass(sheet, SheetSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK CConfigSheet::SheetSubclass(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<CConfigSheet*>(data);
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDC_SHEET_HELP && HIWORD(wp) == BN_CLICKED) {
            kq::ShowHelpTopic("HOWTOuse.htm");
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(wnd, SheetSubclass, id);
        self->m_hSheet = nullptr;
        break;
    }
    return DefSubclassProc(wnd, msg, wp, lp);
}
