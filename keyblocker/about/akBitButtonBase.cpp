#include "keyblocker/about/akBitButtonBase.h"

#include <string>

namespace kq {

namespace {
const char kSelfProp[] = "kq.widget";

#ifndef WM_CHANGEUISTATE
#define WM_CHANGEUISTATE 0x0127
#define WM_UPDATEUISTATE 0x0128
#define WM_QUERYUISTATE 0x0129
#define UISF_HIDEFOCUS 0x1
#endif
}  // namespace

CakBitButtonBase::CakBitButtonBase() {
    m_font.AddListener(this);
    m_picture.AddListener(this);
}

CakBitButtonBase::~CakBitButtonBase() {
    m_font.RemoveListener(this);
    m_picture.RemoveListener(this);
    Detach();
}

bool CakBitButtonBase::SubclassDlgItem(HWND parent, int id) {
    HWND wnd = GetDlgItem(parent, id);
    if (!wnd) return false;
    // Drawn by us: the control must not draw itself.
    const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
    SetWindowLongPtrA(wnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    return Attach(wnd);
}

bool CakBitButtonBase::Create(HWND parent, const char* text, DWORD style, const RECT& rc, int id) {
    HWND wnd = CreateWindowExA(
        0, "BUTTON", text, style | WS_CHILD | BS_OWNERDRAW, rc.left, rc.top, rc.right - rc.left,
        rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!wnd) return false;
    SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Handle()), FALSE);
    return Attach(wnd);
}

bool CakBitButtonBase::Attach(HWND wnd) {
    Detach();
    m_hWnd = wnd;
    SetPropA(wnd, kSelfProp, this);
    m_pOldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CakBitButtonBase::StaticProc)));
    Redraw();
    return true;
}

void CakBitButtonBase::Detach() {
    if (!m_hWnd) return;
    if (IsWindow(m_hWnd)) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pOldProc));
        RemovePropA(m_hWnd, kSelfProp);
    }
    m_hWnd = nullptr;
    m_pOldProc = nullptr;
}

void CakBitButtonBase::SetPicturePlacement(unsigned placement) {
    m_nPicPlacement = placement;
    Redraw();
}

void CakBitButtonBase::SetTextAlign(unsigned align) {
    m_nTextAlign = align;
    Redraw();
}

void CakBitButtonBase::Redraw() const {
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

DrawState CakBitButtonBase::CurrentState() const {
    DrawState s;
    if (!m_hWnd) return s;
    const LRESULT st = SendMessageA(m_hWnd, BM_GETSTATE, 0, 0);
    s.pressed = (st & BST_PUSHED) != 0;
    s.focused = GetFocus() == m_hWnd;
    s.hot = m_bHover;
    s.disabled = !IsWindowEnabled(m_hWnd);
    HWND parent = GetParent(m_hWnd);
    if (parent) {
        const LRESULT def = SendMessageA(parent, DM_GETDEFID, 0, 0);
        s.isDefault = HIWORD(def) == DC_HASDEFID && LOWORD(def) == GetDlgCtrlID(m_hWnd);
    }
    s.hideFocus = (SendMessageA(m_hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    return s;
}

ButtonLayout CakBitButtonBase::Layout(const RECT& rc) const {
    WRect r{rc.left, rc.top, rc.right, rc.bottom};
    return LayoutBitButton(r, m_picture.Width(), m_picture.Height(), !m_picture.Empty(), m_nPicPlacement);
}

void CakBitButtonBase::FillEmbossed(HDC dc, RECT rc, bool disabled, COLORREF color) {
    if (disabled) {
        SetDCBrushColor(dc, GetSysColor(COLOR_3DHILIGHT));
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        OffsetRect(&rc, -1, -1);
        color = GetSysColor(COLOR_3DSHADOW);
    }
    const COLORREF old = SetDCBrushColor(dc, color);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, old);
}

void CakBitButtonBase::DrawTextEmbossed(HDC dc, const char* text, RECT rc, UINT format, bool disabled,
                                        COLORREF color, HFONT font) {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, font ? font : m_font.Handle());
    format |= DT_SINGLELINE | DT_END_ELLIPSIS;
    if (disabled) {
        // Raised look: a highlight copy, then the shadow copy one pixel up and left.
        const COLORREF old = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, text, -1, &rc, format);
        OffsetRect(&rc, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
        DrawTextA(dc, text, -1, &rc, format);
        SetTextColor(dc, old);
    } else {
        const COLORREF old = SetTextColor(dc, color);
        DrawTextA(dc, text, -1, &rc, format);
        SetTextColor(dc, old);
    }
    SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
}

bool CakBitButtonBase::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK CakBitButtonBase::StaticProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<CakBitButtonBase*>(GetPropA(wnd, kSelfProp));
    if (!self) return DefWindowProcA(wnd, msg, wp, lp);
    return self->Proc(msg, wp, lp);
}

LRESULT CakBitButtonBase::Proc(UINT msg, WPARAM wp, LPARAM lp) {
    HWND wnd = m_hWnd;
    WNDPROC old = m_pOldProc;
    LRESULT result = 0;
    if (OnMessage(msg, wp, lp, result)) return result;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        RECT client;
        GetClientRect(wnd, &client);
        Draw(dc, client, CurrentState());
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE:
        if (!m_bHover) {
            m_bHover = true;
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, wnd, 0};
            TrackMouseEvent(&tme);
            Redraw();
        }
        break;
    case WM_MOUSELEAVE:
        m_bHover = false;
        Redraw();
        break;
    case 0x031A:  // WM_THEMECHANGED
        Redraw();
        break;
    case WM_NCDESTROY: {
        // The window goes before the widget: hand it back and forget it.
        Detach();
        return CallWindowProcA(old, wnd, msg, wp, lp);
    }
    }
    const LRESULT r = CallWindowProcA(old, wnd, msg, wp, lp);
    switch (msg) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
        // The control drew (or asked its parent to draw) by itself: draw it our way again.
        Redraw();
        break;
    }
    return r;
}

}  // namespace kq
