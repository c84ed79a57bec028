// A font description with a text colour; tells its listeners about every change.
#pragma once
#include <windows.h>

#include <vector>

namespace kq {

class CakFontListener {
public:
    virtual void OnFontChanged() = 0;

protected:
    ~CakFontListener() = default;
};

class CakFont {
public:
    enum Style : UINT { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

    // The system's default GUI font in the colour of button text.
    CakFont();
    ~CakFont();
    CakFont(const CakFont&) = delete;
    CakFont& operator=(const CakFont&) = delete;

    void SetStyle(UINT style);
    UINT GetStyle() const { return m_nStyle; }
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_crColor; }
    HFONT Handle() const { return m_hFont; }
    // The same font without underline and strike-out, for text that draws its own lines.
    HFONT PlainHandle() const { return m_hPlain ? m_hPlain : m_hFont; }

    void AddListener(CakFontListener* l) { m_listeners.push_back(l); }
    void RemoveListener(CakFontListener* l);

private:
    void Recreate();
    void Notify();

    LOGFONTA m_lf{};
    HFONT m_hFont = nullptr;
    HFONT m_hPlain = nullptr;
    COLORREF m_crColor;
    UINT m_nStyle = 0;
    std::vector<CakFontListener*> m_listeners;
};

}  // namespace kq
