#include "monitor/ui/win_control.h"

#include <commctrl.h>

#include <stdexcept>

#include "monitor/ui/window_host.h"

namespace ui {

namespace {
const char kControlProp[] = "ui.WinControl";
constexpr UINT_PTR kSubclassId = 0x5743;
}  // namespace

HWND FirstTabStop(HWND parent) {
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        // Its own visibility: the parent may be about to show.
        if (!(GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) || !IsWindowEnabled(w)) continue;
        const LONG style = GetWindowLongA(w, GWL_STYLE);
        if (style & WS_TABSTOP) return w;
        if (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
            if (HWND inner = FirstTabStop(w)) return inner;
    }
    return nullptr;
}

WinControl::WinControl(const char* windowClass, DWORD style, DWORD exStyle)
    : class_(windowClass), style_(style), exStyle_(exStyle) {
    SetParentColor(true);
}

WinControl::~WinControl() { DestroyWindowNow(); }

WinControl* WinControl::FromHandle(HWND wnd) {
    return wnd ? static_cast<WinControl*>(GetPropA(wnd, kControlProp)) : nullptr;
}

void WinControl::HostReady() {
    WindowHost* host = HostOf();
    const HWND parent = host ? host->Handle() : nullptr;
    if (!parent) {
        DestroyWindowNow();
        return;
    }
    if (!wnd_) {
        CreateWindowNow(parent);
    } else if (GetParent(wnd_) != parent) {
        ::SetParent(wnd_, parent);
        PlaceWindow();
    }
}

void WinControl::CreateWindowNow(HWND parent) {
    WindowHost* host = HostOf();
    id_ = host->NextControlId();
    const Rect r = HostRect();
    DWORD style = style_ | WS_CHILD | WS_CLIPSIBLINGS;
    if (VisibleInHost()) style |= WS_VISIBLE;
    if (tabStop_) style |= WS_TABSTOP;
    if (!enabled_) style |= WS_DISABLED;
    if (StartsGroup()) style |= WS_GROUP;
    wnd_ = CreateWindowExA(exStyle_, class_, text_.c_str(), style, r.left, r.top, r.width, r.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), ModuleInstance(), nullptr);
    if (!wnd_) throw std::runtime_error(std::string("Cannot create a control of class ") + class_);
    SetPropA(wnd_, kControlProp, this);
    SetWindowSubclass(wnd_, &WinControl::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageA(wnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()), FALSE);
    HandleCreated();
}

void WinControl::DestroyWindowNow() {
    if (!wnd_) return;
    const HWND w = wnd_;
    wnd_ = nullptr;
    RemoveWindowSubclass(w, &WinControl::SubclassProc, kSubclassId);
    RemovePropA(w, kControlProp);
    DestroyWindow(w);
}

void WinControl::ShowingChanged() {
    if (!wnd_) return;
    const bool v = VisibleInHost();
    if (((GetWindowLongA(wnd_, GWL_STYLE) & WS_VISIBLE) != 0) != v) ShowWindow(wnd_, v ? SW_SHOWNA : SW_HIDE);
}

void WinControl::PlaceWindow() {
    if (!wnd_) return;
    const Rect r = HostRect();
    SetWindowPos(wnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinControl::SetText(const char* text) {
    text_.assign(text ? text : "");
    if (wnd_) SetWindowTextA(wnd_, text_.c_str());
}

std::string WinControl::Text() const {
    if (!wnd_) return text_;
    const int n = GetWindowTextLengthA(wnd_);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    const int got = GetWindowTextA(wnd_, &s[0], n + 1);
    s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return s;
}

HFONT WinControl::GetFont() const {
    if (font_) return font_;
    WindowHost* host = HostOf();
    return host ? host->DefaultFont() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void WinControl::SetFont(HFONT font) {
    font_ = font;
    if (wnd_) SendMessageA(wnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()), TRUE);
}

void WinControl::SetEnabled(bool v) {
    enabled_ = v;
    if (wnd_) EnableWindow(wnd_, v);
    EnabledChanged();
}

void WinControl::SetTabStop(bool v) {
    tabStop_ = v;
    if (wnd_) {
        const LONG s = GetWindowLongA(wnd_, GWL_STYLE);
        SetWindowLongA(wnd_, GWL_STYLE, v ? s | WS_TABSTOP : s & ~WS_TABSTOP);
    }
}

void WinControl::SetFocus() {
    if (wnd_) ::SetFocus(wnd_);
}

void WinControl::SetStyleBit(DWORD bits, bool on) {
    style_ = on ? style_ | bits : style_ & ~bits;
    if (wnd_) {
        const LONG s = GetWindowLongA(wnd_, GWL_STYLE);
        SetWindowLongA(wnd_, GWL_STYLE, on ? s | static_cast<LONG>(bits) : s & ~static_cast<LONG>(bits));
        InvalidateRect(wnd_, nullptr, TRUE);
    }
}

bool WinControl::Notified(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORBTN && msg != WM_CTLCOLOREDIT &&
        msg != WM_CTLCOLORLISTBOX)
        return false;
    // On the system's own background (the button face, a window for edits and lists) the
    // system draws as ever, themed where a theme is on; on another colour the control's
    // background is that colour.
    const bool editLike = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    const COLORREF c = Color();
    if (c == GetSysColor(editLike ? COLOR_WINDOW : COLOR_BTNFACE)) return false;
    if (!brush_) brush_.reset(CreateSolidBrush(c));
    SetBkColor(reinterpret_cast<HDC>(wp), c);
    result = reinterpret_cast<LRESULT>(brush_.get());
    return true;
}

bool WinControl::WindowMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT WinControl::CallDefault(UINT msg, WPARAM wp, LPARAM lp) { return DefSubclassProc(wnd_, msg, wp, lp); }

LRESULT CALLBACK WinControl::SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                          DWORD_PTR self) {
    auto* c = reinterpret_cast<WinControl*>(self);
    if (msg == WM_NCDESTROY) {
        // The host's window is going and takes this one with it.
        RemoveWindowSubclass(wnd, &WinControl::SubclassProc, kSubclassId);
        RemovePropA(wnd, kControlProp);
        if (c->wnd_ == wnd) c->wnd_ = nullptr;
        return DefSubclassProc(wnd, msg, wp, lp);
    }
    LRESULT r = 0;
    bool handled = false;
    if (!Guarded([&] { handled = c->WindowMessage(msg, wp, lp, r); })) return 0;
    if (!handled) r = DefSubclassProc(wnd, msg, wp, lp);
    if (msg == WM_SETFOCUS && c->OnEnter) Guarded([&] { c->OnEnter(*c); });
    if (msg == WM_KILLFOCUS && c->OnExit) Guarded([&] { c->OnExit(*c); });
    return r;
}

}  // namespace ui
