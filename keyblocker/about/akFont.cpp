#include "keyblocker/about/akFont.h"

#include <algorithm>

namespace kq {

CakFont::CakFont() : m_crColor(GetSysColor(COLOR_BTNTEXT)) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof m_lf, &m_lf);
    Recreate();
}

CakFont::~CakFont() {
    if (m_hFont) DeleteObject(m_hFont);
    if (m_hPlain) DeleteObject(m_hPlain);
}

void CakFont::RemoveListener(CakFontListener* l) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), l), m_listeners.end());
}

void CakFont::SetStyle(UINT style) {
    m_nStyle = style;
    m_lf.lfWeight = (style & kBold) ? FW_BOLD : FW_NORMAL;
    m_lf.lfItalic = (style & kItalic) ? TRUE : FALSE;
    m_lf.lfUnderline = (style & kUnderline) ? TRUE : FALSE;
    m_lf.lfStrikeOut = (style & kStrikeOut) ? TRUE : FALSE;
    Recreate();
    Notify();
}

void CakFont::SetColor(COLORREF color) {
    m_crColor = color;
    Notify();
}

void CakFont::Recreate() {
    HFONT font = CreateFontIndirectA(&m_lf);
    if (!font) return;  // keep the previous ones
    LOGFONTA plain = m_lf;
    plain.lfUnderline = FALSE;
    plain.lfStrikeOut = FALSE;
    HFONT plainFont = CreateFontIndirectA(&plain);
    if (m_hFont) DeleteObject(m_hFont);
    if (m_hPlain) DeleteObject(m_hPlain);
    m_hFont = font;
    m_hPlain = plainFont;
}

void CakFont::Notify() {
    for (CakFontListener* l : m_listeners) l->OnFontChanged();
}

}  // namespace kq
