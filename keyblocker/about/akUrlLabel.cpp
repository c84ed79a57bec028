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

namespace {

// A memory DC with a white 32-bit picture selected, for looking at rendered text.
class Scratch {
public:
    Scratch(HDC like, int width, int height) : m_width(width), m_height(height) {
        m_dc = CreateCompatibleDC(like);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        if (m_dc)
            m_bitmap =
                CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        if (m_bitmap) {
            m_old = SelectObject(m_dc, m_bitmap);
            for (int i = 0; i < width * height; ++i) m_bits[i] = 0x00FFFFFF;
        }
    }
    ~Scratch() {
        if (m_old) SelectObject(m_dc, m_old);
        if (m_bitmap) DeleteObject(m_bitmap);
        if (m_dc) DeleteDC(m_dc);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    HDC dc() const { return m_bitmap ? m_dc : nullptr; }
    // The rightmost column with anything but white, plus one (0 when all is white).
    int InkRight() const {
        GdiFlush();
        for (int x = m_width - 1; x >= 0; --x)
            for (int y = 0; y < m_height; ++y)
                if ((m_bits[y * m_width + x] & 0x00FFFFFF) != 0x00FFFFFF) return x + 1;
        return 0;
    }

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

}  // namespace

int CakUrlLabel::InkWidth(HDC like, HFONT font, const char* text, int width, int height) {
    // The advance widths a font reports can run a few pixels past the letters as they are
    // rendered (hinting, smoothing): the letters themselves tell where they end.
    if (width <= 0 || height <= 0) return 0;
    Scratch s(like, width, height);
    if (!s.dc()) return width;
    HGDIOBJ old = SelectObject(s.dc(), font);
    SetBkMode(s.dc(), TRANSPARENT);
    SetTextColor(s.dc(), RGB(0, 0, 0));
    TextOutA(s.dc(), 0, 0, text, lstrlenA(text));
    SelectObject(s.dc(), old);
    return s.InkRight();
}

int CakUrlLabel::TextLeft() const {
    RECT client{};
    if (m_hWnd) GetClientRect(m_hWnd, &client);
    return LayoutUrlLabel(Layout(client).text, 0, 0).text.left - client.left;
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
    if (!(m_font.GetStyle() & CakFont::kUnderline)) {
        DrawTextEmbossed(dc, text, tr, DT_LEFT | DT_VCENTER, state.disabled, kLinkColor);
        return;
    }
    // The font's own underline runs over the whole advance of the last letter and past
    // it: the text goes without it, and the line under exactly the letters.
    HFONT plain = m_font.PlainHandle();
    DrawTextEmbossed(dc, text, tr, DT_LEFT | DT_VCENTER, state.disabled, kLinkColor, plain);
    oldFont = SelectObject(dc, plain);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, oldFont);
    if (m_strInkText != text || m_hInkFont != plain) {
        m_strInkText = text;
        m_hInkFont = plain;
        m_nInkWidth = InkWidth(dc, plain, text, size.cx + tm.tmMaxCharWidth, tm.tmHeight);
    }
    const int top = tr.top + ((tr.bottom - tr.top) - tm.tmHeight) / 2 + tm.tmAscent + 1;
    const int right = m_nInkWidth < tr.right - tr.left ? tr.left + m_nInkWidth : tr.right;
    FillEmbossed(dc, RECT{tr.left, top, right, top + 1}, state.disabled, kLinkColor);
}

}  // namespace kq
