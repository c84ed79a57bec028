#include "keyblocker/about/akBitButton.h"

#include <string>

#include "keyblocker/about/akTheme.h"

namespace kq {

namespace {
// Push-button part and states of the "BUTTON" theme class.
constexpr int kPushButton = 1;
enum { kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kDefaulted = 5 };

std::string WindowText(HWND wnd) {
    char text[256] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}
}  // namespace

CakBitButton::~CakBitButton() { CakTheme::Get().Close(m_hTheme); }

bool CakBitButton::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == 0x031A /* WM_THEMECHANGED */ || msg == WM_DESTROY) {
        CakTheme::Get().Close(m_hTheme);
        m_hTheme = nullptr;
    }
    return false;
}

UINT CakBitButton::TextFormat() const {
    UINT f = DT_VCENTER;
    if (m_nTextAlign == kTextLeft)
        f |= DT_LEFT;
    else if (m_nTextAlign == kTextCenter)
        f |= DT_CENTER;
    else
        f |= DT_RIGHT;
    return f;
}

void CakBitButton::Draw(HDC dc, const RECT& client, const DrawState& state) {
    CakTheme& theme = CakTheme::Get();
    if (theme.Active()) {
        if (!m_hTheme) m_hTheme = theme.Open(m_hWnd, L"BUTTON");
        if (m_hTheme) {
            DrawThemed(dc, client, state);
            return;
        }
    }
    DrawClassic(dc, client, state);
}

void CakBitButton::DrawThemed(HDC dc, const RECT& client, const DrawState& state) {
    CakTheme& theme = CakTheme::Get();
    RECT rc = client;
    theme.DrawParentBackground(m_hWnd, dc, &rc);
    int st = kNormal;
    if (state.disabled)
        st = kDisabled;
    else if (state.pressed)
        st = kPressed;
    else if (state.hot)
        st = kHot;
    else if (state.focused || state.isDefault)
        st = kDefaulted;
    theme.DrawBackground(m_hTheme, dc, kPushButton, st, &client);
    if (state.focused && !state.hideFocus) {
        RECT f = client;
        InflateRect(&f, -3, -3);
        DrawFocusRect(dc, &f);
    }
    const ButtonLayout lay = Layout(client);
    if (!m_picture.Empty()) m_picture.Draw(dc, lay.picture.left, lay.picture.top);
    const std::string text = WindowText(m_hWnd);
    if (text.empty()) return;
    const int n = MultiByteToWideChar(CP_THREAD_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, text.c_str(), -1, &wide[0], n);
    RECT tr{lay.text.left, lay.text.top, lay.text.right, lay.text.bottom};
    HGDIOBJ oldFont = SelectObject(dc, m_font.Handle());
    theme.DrawText(m_hTheme, dc, kPushButton, st, wide.c_str(),
                   TextFormat() | DT_SINGLELINE | DT_END_ELLIPSIS, &tr);
    SelectObject(dc, oldFont);
}

void CakBitButton::DrawClassic(HDC dc, const RECT& client, const DrawState& state) {
    RECT rc = client;
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    // Outer black border.
    FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&rc, -1, -1);
    int shift = 0;
    if (state.pressed) {
        FrameRect(dc, &rc, GetSysColorBrush(COLOR_GRAYTEXT));
        shift = 1;
    } else {
        HPEN white = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHILIGHT));
        HPEN grey = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
        HPEN black = static_cast<HPEN>(GetStockObject(BLACK_PEN));
        if (white && grey) {
            HGDIOBJ old = SelectObject(dc, white);
            MoveToEx(dc, rc.left, rc.bottom - 1, nullptr);
            LineTo(dc, rc.left, rc.top);
            LineTo(dc, rc.right - 1, rc.top);
            // Bottom and right: black when focused, then grey inside.
            SelectObject(dc, state.focused ? black : grey);
            MoveToEx(dc, rc.left, rc.bottom - 1, nullptr);
            LineTo(dc, rc.right - 1, rc.bottom - 1);
            LineTo(dc, rc.right - 1, rc.top - 1);
            if (state.focused) {
                SelectObject(dc, grey);
                MoveToEx(dc, rc.left + 1, rc.bottom - 2, nullptr);
                LineTo(dc, rc.right - 2, rc.bottom - 2);
                LineTo(dc, rc.right - 2, rc.top);
            }
            SelectObject(dc, old);
        }
        if (white) DeleteObject(white);
        if (grey) DeleteObject(grey);
    }
    if ((state.focused || state.pressed) && !state.hideFocus) {
        RECT f = client;
        InflateRect(&f, -4, -4);
        DrawFocusRect(dc, &f);
    }
    DrawContent(dc, client, state, shift, false);
}

void CakBitButton::DrawContent(HDC dc, const RECT& client, const DrawState& state, int shift, bool) {
    const ButtonLayout lay = Layout(client);
    if (!m_picture.Empty()) m_picture.Draw(dc, lay.picture.left + shift, lay.picture.top + shift);
    const std::string text = WindowText(m_hWnd);
    if (text.empty()) return;
    RECT tr{lay.text.left + shift, lay.text.top + shift, lay.text.right + shift, lay.text.bottom + shift};
    DrawTextEmbossed(dc, text.c_str(), tr, TextFormat(), state.disabled, m_font.GetColor());
}

}  // namespace kq
