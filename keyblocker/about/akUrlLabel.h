// A link: underlined blue text that opens its target in the browser when clicked.
#pragma once
#include <string>

#include "keyblocker/about/akBitButtonBase.h"

namespace kq {

class CakUrlLabel : public CakBitButtonBase {
public:
    static constexpr COLORREF kLinkColor = RGB(0, 0, 255);  // 0xFF0000 as a Windows colour

    CakUrlLabel();

    void SetTarget(const std::string& url) { m_strTarget = url; }
    const std::string& GetTarget() const { return m_strTarget; }

    // The parent's WM_COMMAND: opens the target when it is this label's click. True when
    // the command was this label's.
    bool OnParentCommand(WPARAM wp, LPARAM lp);
    // Opens the target (nothing when it is empty).
    void Open() const;
    // Where the text starts, in pixels from the label's left edge.
    int TextLeft() const;

protected:
    void Draw(HDC dc, const RECT& client, const DrawState& state) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    // How far the letters of text reach from its start as font renders them, in a box of
    // width x height pixels.
    static int InkWidth(HDC like, HFONT font, const char* text, int width, int height);

    std::string m_strTarget;
    // The underline's length, kept for the text and font it was measured for.
    std::string m_strInkText;
    HFONT m_hInkFont = nullptr;
    int m_nInkWidth = 0;
};

}  // namespace kq
