#include "monitor/ui/hyperbutton.h"

namespace ui {

bool HyperButtonMouse::Inside(const HyperButton* b, int x, int y) {
    if (!b || !b->VisibleInHost()) return false;
    const Rect r = b->HostRect();
    return x >= r.left && y >= r.top && x < r.right() && y < r.bottom();
}

HyperButton* HyperButtonMouse::At(int x, int y) const {
    for (HyperButton* b : buttons_)
        if (Inside(b, x, y)) return b;
    return nullptr;
}

bool HyperButtonMouse::Handle(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    switch (msg) {
    case WM_MOUSEMOVE: {
        if (pressed_) {
            pressed_->widget().MouseMove(Inside(pressed_, x, y));
            return false;
        }
        HyperButton* over = At(x, y);
        if (over != hot_) {
            if (hot_) hot_->widget().MouseLeave();
            hot_ = over;
            if (hot_) hot_->widget().MouseMove(true);
        }
        if (hot_ && !tracking_) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, wnd, 0};
            tracking_ = TrackMouseEvent(&t) != FALSE;
        }
        return false;
    }
    case WM_MOUSELEAVE:
        tracking_ = false;
        if (hot_ && !pressed_) {
            hot_->widget().MouseLeave();
            hot_ = nullptr;
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        HyperButton* over = At(x, y);
        if (!over || !over->widget().Enabled()) return false;
        pressed_ = hot_ = over;
        SetCapture(wnd);
        over->widget().MouseDown();
        result = 0;
        return true;
    }
    case WM_LBUTTONUP: {
        if (!pressed_) return false;
        HyperButton* b = pressed_;
        pressed_ = nullptr;
        const bool inside = Inside(b, x, y);
        if (GetCapture() == wnd) ReleaseCapture();
        hot_ = inside ? b : nullptr;
        b->widget().MouseUp(inside);  // may run the click handler
        result = 0;
        return true;
    }
    case WM_CAPTURECHANGED:
        if (pressed_ && reinterpret_cast<HWND>(lp) != wnd) {
            pressed_->widget().Cancel();
            if (hot_ == pressed_) hot_ = nullptr;
            pressed_ = nullptr;
        }
        return false;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && (hot_ || pressed_)) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(wnd, &p);
            if (pressed_ ? Inside(pressed_, p.x, p.y) : At(p.x, p.y) != nullptr) {
                SetCursor(LoadCursor(nullptr, IDC_HAND));
                result = TRUE;
                return true;
            }
        }
        (void)wp;
        return false;
    }
    return false;
}

}  // namespace ui
