#include "monitor/ui/window_host.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "monitor/ui/form.h"
#include "monitor/ui/menu.h"
#include "monitor/ui/paint.h"
#include "monitor/ui/theme.h"
#include "monitor/ui/win_control.h"

namespace ui {

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

// ---- WindowHost

WindowHost::WindowHost(const char* className) : className_(className) {}

WindowHost::~WindowHost() {
    for (Timer* t : timers_) t->SetEnabled(false);
    if (wnd_) {
        SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
        DestroyWindow(wnd_);
    }
    if (bufferDc_ && bufferOld_) SelectObject(bufferDc_.get(), bufferOld_);
}

WindowHost* WindowHost::FromHandle(HWND wnd) {
    if (!wnd || GetWindowLongPtrA(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WindowHost::Proc))
        return nullptr;
    return reinterpret_cast<WindowHost*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

void WindowHost::CreateWindowOf(DWORD style, DWORD exStyle, HWND parent, int x, int y, int width, int height,
                                const char* caption) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(ModuleInstance(), className_, &wc)) {
        wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &WindowHost::Proc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        // The program's icon, as the program gave it to its Application.
        wc.hIcon = Application::Current() ? Application::Current()->Icon() : nullptr;
        wc.lpszClassName = className_;
        RegisterClassExA(&wc);
    }
    RECT r{0, 0, width, height};
    if (!(style & WS_CHILD)) AdjustWindowRectEx(&r, style, FALSE, exStyle);
    wnd_ = CreateWindowExA(exStyle, className_, caption, style, x, y, r.right - r.left, r.bottom - r.top,
                           parent, nullptr, ModuleInstance(), this);
    if (!wnd_) throw std::runtime_error("Cannot create window");
    SyncClientSize();
    for (Timer* t : timers_) t->Start();
    CreateChildWindows();
}

void WindowHost::CreateChildWindows() {
    for (Control* c : Children()) c->AttachTree();
}

void WindowHost::HostReady() {
    // Only a host inside another control is a child window; a form creates its own.
    if (!IsChildHost()) return;
    const HWND parent = ParentWindow();
    if (!parent) {
        if (wnd_) {
            SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
            DestroyWindow(wnd_);
            wnd_ = nullptr;
        }
        return;
    }
    if (wnd_) {
        if (GetParent(wnd_) != parent) ::SetParent(wnd_, parent);
        PlaceWindow();
        return;
    }
    const Rect r = WindowBounds();
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (VisibleInHost() ? WS_VISIBLE : 0);
    CreateWindowOf(style, WS_EX_CONTROLPARENT, parent, r.left, r.top, r.width, r.height, "");
}

void WindowHost::ShowingChanged() {
    if (!IsChildHost() || !wnd_) return;
    const bool v = VisibleInHost();
    if (((GetWindowLongA(wnd_, GWL_STYLE) & WS_VISIBLE) != 0) != v) ShowWindow(wnd_, v ? SW_SHOWNA : SW_HIDE);
}

void WindowHost::BoundsChanged() {
    if (IsChildHost()) PlaceWindow();
}

int WindowHost::NextControlId() {
    if (IsChildHost())
        if (WindowHost* h = HostOf()) return h->NextControlId();
    return nextControlId_++;
}

HWND WindowHost::ParentWindow() const {
    WindowHost* host = HostOf();
    return host ? host->Handle() : nullptr;
}

void WindowHost::PlaceWindow() {
    if (!IsChildHost() || !wnd_) return;
    const Rect r = WindowBounds();
    SetWindowPos(wnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT WindowHost::DefaultFont() {
    if (!defaultFont_) {
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof ncm;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
            defaultFont_.reset(CreateFontIndirectA(&ncm.lfMessageFont));
        if (!defaultFont_) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    return defaultFont_.get();
}

void WindowHost::Forget(Control* c) {
    auto within = [c](Control* x) {
        for (; x; x = x->Parent())
            if (x == c) return true;
        return false;
    };
    if (within(hot_)) hot_ = nullptr;
    if (within(pressed_)) pressed_ = nullptr;
    if (within(dragging_)) dragging_ = nullptr;
}

void WindowHost::SyncClientSize() {
    RECT r{0, 0, 0, 0};
    GetClientRect(wnd_, &r);
    if (r.right == Width() && r.bottom == Height()) return;
    if (IsChildHost()) {
        // A child host's size comes from its bounds; the window only follows them.
        Realign();
    } else {
        Control::SetBounds(0, 0, r.right, r.bottom);
    }
    Resized();
}

void WindowHost::InvalidateRect(const Rect& r) {
    if (!wnd_ || r.width <= 0 || r.height <= 0) return;
    RECT rc{r.left, r.top, r.right(), r.bottom()};
    ::InvalidateRect(wnd_, &rc, FALSE);
}

void WindowHost::AddTimer(Timer* t) { timers_.push_back(t); }
void WindowHost::RemoveTimer(Timer* t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
}

void WindowHost::Paint() {
    PaintScope ps(wnd_);
    HDC dc = ps.dc();
    if (!dc) return;
    const int w = std::max(1, Width()), h = std::max(1, Height());
    if (!bufferDc_ || w > bufferSize_.cx || h > bufferSize_.cy) {
        if (!bufferDc_) bufferDc_.reset(CreateCompatibleDC(dc));
        if (bufferOld_) SelectObject(bufferDc_.get(), bufferOld_);
        const int bw = std::max<int>(w, bufferSize_.cx), bh = std::max<int>(h, bufferSize_.cy);
        buffer_.reset(CreateCompatibleBitmap(dc, bw, bh));
        bufferOld_ = SelectObject(bufferDc_.get(), buffer_.get());
        bufferSize_ = {bw, bh};
    }
    HDC mem = bufferDc_.get();
    const RECT& u = ps.area();
    {
        SavedDc saved(mem);
        IntersectClipRect(mem, u.left, u.top, u.right, u.bottom);
        PaintTree(mem, 0, 0);
    }
    BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, mem, u.left, u.top, SRCCOPY);
}

LRESULT WindowHost::HitTest(POINT) { return HTCLIENT; }

bool WindowHost::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void WindowHost::MouseDown(MouseButton b, LPARAM lp) {
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    Control* hit = ControlAt(x, y);
    // The nearest control with a handler gets the event, in its own coordinates.
    Control* c = hit;
    while (c && c != this && !c->OnMouseDown) c = c->Parent();
    if (c && c->OnMouseDown) {
        const Rect hr = c == this ? Rect{} : c->HostRect();
        c->OnMouseDown(*c, b, x - hr.left, y - hr.top);
    }
    if (b != MouseButton::Left) return;
    for (c = hit; c && c != this; c = c->Parent())
        if (c->DragStart(x, y)) {
            dragging_ = c;
            SetCapture(wnd_);
            return;
        }
    c = hit;
    while (c && c != this && !c->OnClick) c = c->Parent();
    if (c && c != this && c->OnClick) {
        pressed_ = c;
        SetCapture(wnd_);
    }
}

void WindowHost::MouseUp(LPARAM lp) {
    if (Control* d = dragging_) {
        dragging_ = nullptr;
        if (GetCapture() == wnd_) ReleaseCapture();
        d->DragEnd();
        return;
    }
    Control* c = pressed_;
    if (!c) return;
    pressed_ = nullptr;
    if (GetCapture() == wnd_) ReleaseCapture();
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    if (c->Showing() && c->HostRect().Contains(x, y) && c->OnClick) c->OnClick(*c);
}

void WindowHost::SetHot(Control* c) {
    if (c == hot_) return;
    Control* old = hot_;
    hot_ = c;
    if (old && old->OnMouseLeave) old->OnMouseLeave(*old);
    if (c && c == hot_ && c->OnMouseEnter) c->OnMouseEnter(*c);
}

void WindowHost::MouseMove(LPARAM lp) {
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    if (dragging_) {
        dragging_->DragMove(x, y);
        return;
    }
    Control* c = ControlAt(x, y);
    if (c == this) c = nullptr;
    if (c && !tracking_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, wnd_, 0};
        tracking_ = TrackMouseEvent(&tme) != FALSE;
    }
    SetHot(c);
}

bool WindowHost::SetCursorFor(POINT p) {
    for (Control* c = ControlAt(p.x, p.y); c; c = c == this ? nullptr : c->Parent())
        if (c->Cursor()) {
            ::SetCursor(c->Cursor());
            return true;
        }
    return false;
}

bool WindowHost::Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND from = nullptr;
    switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: from = reinterpret_cast<HWND>(lp); break;
    case WM_NOTIFY: from = reinterpret_cast<const NMHDR*>(lp)->hwndFrom; break;
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (dis->CtlType != ODT_MENU) from = dis->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lp);
        if (mis->CtlType != ODT_MENU) from = GetDlgItem(wnd_, static_cast<int>(mis->CtlID));
        break;
    }
    default: return false;
    }
    WinControl* c = WinControl::FromHandle(from);
    return c && c->Notified(msg, wp, lp, result);
}

LRESULT WindowHost::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    // The class asks for double clicks, so a quick second press arrives as one: to the
    // windowless controls, and to every form's own handling, it is a press like the first
    // (a button clicked twice quickly clicks twice).
    switch (msg) {
    case WM_LBUTTONDBLCLK: msg = WM_LBUTTONDOWN; break;
    case WM_RBUTTONDBLCLK: msg = WM_RBUTTONDOWN; break;
    case WM_MBUTTONDBLCLK: msg = WM_MBUTTONDOWN; break;
    }
    if (Reflect(msg, wp, lp, result)) return result;
    if ((msg == WM_MEASUREITEM || msg == WM_DRAWITEM) && PopupMenu::OwnerMessage(msg, lp, result))
        return result;
    if (HandleMessage(msg, wp, lp, result)) return result;
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_SIZE: SyncClientSize(); return 0;
    case WM_SYSCOLORCHANGE:
        SysColorChange();
        ::InvalidateRect(wnd_, nullptr, FALSE);
        break;
    case WM_THEMECHANGED:
        ThemeChanged();
        ::InvalidateRect(wnd_, nullptr, FALSE);
        break;
    case WM_NCHITTEST: {
        const LRESULT frame = DefaultProc(msg, wp, lp);
        if (frame != HTCLIENT) return frame;
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ScreenToClient(wnd_, &p);
        Control* c = ControlAt(p.x, p.y);
        if (c && c != this && !c->HitTransparent()) return HTCLIENT;
        return HitTest(p);
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wp) == wnd_ && LOWORD(lp) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(wnd_, &p);
            if (SetCursorFor(p)) return TRUE;
        }
        break;
    case WM_LBUTTONDOWN: MouseDown(MouseButton::Left, lp); return 0;
    case WM_LBUTTONUP: MouseUp(lp); return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != wnd_) {
            pressed_ = nullptr;
            if (Control* d = std::exchange(dragging_, nullptr)) d->DragEnd();
        }
        break;
    case WM_MOUSEMOVE: MouseMove(lp); return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        SetHot(nullptr);
        return 0;
    case WM_RBUTTONDOWN: MouseDown(MouseButton::Right, lp); return 0;
    case WM_MBUTTONDOWN: MouseDown(MouseButton::Middle, lp); return 0;
    case WM_CONTEXTMENU:
        if (popup_) {
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (p.x == -1 && p.y == -1) GetCursorPos(&p);
            popup_->Popup(wnd_, p.x, p.y);
            return 0;
        }
        break;
    case WM_TIMER:
        for (Timer* t : timers_)
            if (t->Id() == wp) {
                t->Fire();
                return 0;
            }
        break;
    case WM_DESTROY: Destroyed(); break;
    }
    return DefaultProc(msg, wp, lp);
}

LRESULT CALLBACK WindowHost::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto* h = static_cast<WindowHost*>(cs->lpCreateParams);
        h->wnd_ = wnd;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(h));
    }
    auto* h = reinterpret_cast<WindowHost*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!h) return DefWindowProcA(wnd, msg, wp, lp);
    LRESULT r = 0;
    const bool handled = Guarded([&] { r = h->Dispatch(msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        h->wnd_ = nullptr;
    }
    return handled ? r : 0;
}

// ---- Timer

Timer::Timer(WindowHost& owner, UINT interval)
    : owner_(owner), interval_(interval), id_(owner.NextTimerId()) {
    owner_.AddTimer(this);
}

Timer::~Timer() {
    SetEnabled(false);
    owner_.RemoveTimer(this);
}

void Timer::Start() {
    if (running_ && owner_.Handle()) KillTimer(owner_.Handle(), id_);
    running_ = false;
    if (enabled_ && interval_ > 0 && owner_.Handle())
        running_ = SetTimer(owner_.Handle(), id_, interval_, nullptr) != 0;
}

void Timer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) {
        Start();
    } else if (running_) {
        if (owner_.Handle()) KillTimer(owner_.Handle(), id_);
        running_ = false;
    }
}

void Timer::SetInterval(UINT ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Start();
}

void Timer::Fire() {
    if (enabled_ && OnTimer) OnTimer();
}

}  // namespace ui
