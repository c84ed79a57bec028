#include "keyblocker/about/akUrlLabel.h"

#include <shellapi.h>

#include "keyblocker/about/akTheme.h"

namespace kq {

CakUrlLabel::CakUrlLabel() {
    m_font.SetStyle(CakFont::kUnderline);
    m_font.SetColor(kLinkColor);
}

bool CakUrlLabel::OnParentCommand(WPARAM wp, LPARAM lp) {
    if (!m_hWnd || reinterpret_cast<HWND>(lp) != m_hWnd) return false;
    if (HIWORD(wp) == BN_CLICKED) Open();
    return true;
}

void CakUrlLabel::Open() const {
    if (m_strTarget.empty()) return;
    ShellExecuteA(GetDesktopWindow(), "open", m_strTarget.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool CakUrlLabel::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg == WM_SETCURSOR) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    }
    return false;
}

void CakUrlLabel::Draw(HDC dc, const RECT& client, const DrawState& state) {
    RECT rc = client;
    CakTheme& theme = CakTheme::Get();
    if (!theme.Active() || FAILED(theme.DrawParentBackground(m_hWnd, dc, &rc)))
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));

    char text[256] = {};
    GetWindowTextA(m_hWnd, text, sizeof text);
    HGDIOBJ oldFont = SelectObject(dc, m_font.Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, oldFont);

    // The text goes where the base lays text out in the label, 8 pixels in from its edges.
    const LabelLayout lay = LayoutUrlLabel(Layout(client).text, size.cx, size.cy);
    if (state.focused && !state.hideFocus) {
        RECT f{lay.focus.left, lay.focus.top, lay.focus.right, lay.focus.bottom};
        DrawFocusRect(dc, &f);
    }
    RECT tr{lay.text.left, lay.text.top, lay.text.right, lay.text.bottom};
    DrawTextEmbossed(dc, text, tr, DT_LEFT | DT_VCENTER, state.disabled, kLinkColor);
}

}  // namespace kq
