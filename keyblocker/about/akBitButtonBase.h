// What the bitmap button and the link label share: font, picture, their placement, and
// the window they draw. Both are push buttons drawn by the widget itself; the widget
// subclasses the button window and paints it in WM_PAINT, so the parent needs to forward
// nothing.
#pragma once
#include <windows.h>

#include "keyblocker/about/akFont.h"
#include "keyblocker/about/akPicture.h"
#include "keyblocker/about/widget_layout.h"

namespace kq {

// Button states that the drawing takes account of.
struct DrawState {
    bool pressed = false;
    bool focused = false;
    bool hot = false;
    bool isDefault = false;
    bool disabled = false;
    bool hideFocus = false;
};

class CakBitButtonBase : protected CakFontListener, protected CakPictureListener {
public:
    CakBitButtonBase();
    virtual ~CakBitButtonBase();
    CakBitButtonBase(const CakBitButtonBase&) = delete;
    CakBitButtonBase& operator=(const CakBitButtonBase&) = delete;

    // Takes over an existing button (a dialog's control).
    bool SubclassDlgItem(HWND parent, int id);
    // Creates a new owner-drawn button at `rc` in the parent's client coordinates.
    bool Create(HWND parent, const char* text, DWORD style, const RECT& rc, int id);

    HWND GetHwnd() const { return m_hWnd; }
    CakFont& Font() { return m_font; }
    CakPicture& Picture() { return m_picture; }
    void SetPicture(UINT bitmapId) { m_picture.Load(bitmapId); }
    void SetPicturePlacement(unsigned placement);
    void SetTextAlign(unsigned align);

    // The state the button is in now, as its drawing sees it.
    DrawState CurrentState() const;

protected:
    // Draws the whole button into `dc` (client coordinates).
    virtual void Draw(HDC dc, const RECT& client, const DrawState& state) = 0;
    // Handles a message before the button's own procedure; true when it was consumed.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Lays out picture and text in `rc`.
    ButtonLayout Layout(const RECT& rc) const;
    // Draws text single-line with end ellipsis; embossed when disabled. font: null for the
    // button's own font.
    void DrawTextEmbossed(HDC dc, const char* text, RECT rc, UINT format, bool disabled, COLORREF color,
                          HFONT font = nullptr);
    // Fills rc as DrawTextEmbossed colours text (for lines drawn with the text).
    static void FillEmbossed(HDC dc, RECT rc, bool disabled, COLORREF color);
    void Redraw() const;

    void OnFontChanged() override { Redraw(); }
    void OnPictureChanged() override { Redraw(); }

    HWND m_hWnd = nullptr;
    CakFont m_font;
    CakPicture m_picture;
    unsigned m_nPicPlacement = kPicLeft;
    unsigned m_nTextAlign = kTextLeft;
    bool m_bHover = false;

private:
    bool Attach(HWND wnd);
    void Detach();
    LRESULT Proc(UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK StaticProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

    WNDPROC m_pOldProc = nullptr;
};

}  // namespace kq
