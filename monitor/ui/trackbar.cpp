#include "monitor/ui/trackbar.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

TrackBar::TrackBar() : WinControl(TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM) { SetHeight(33); }

void TrackBar::SetRange(int min, int max) {
    min_ = std::min(min, max);
    max_ = std::max(min, max);
    position_ = std::clamp(position_, min_, max_);
    if (Handle()) {
        SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, min_);
        SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, max_);
        SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
    }
}

int TrackBar::Position() const {
    return Handle() ? static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0)) : position_;
}

void TrackBar::SetPosition(int v) {
    position_ = std::clamp(v, min_, max_);
    if (Handle()) SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
}

void TrackBar::SetFrequency(int n) {
    frequency_ = n;
    if (Handle()) {
        if (n > 0) {
            SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(n), 0);
        } else {
            SendMessageA(Handle(), TBM_CLEARTICS, TRUE, 0);
        }
    }
}

void TrackBar::SetPageSize(int n) {
    page_ = n;
    if (Handle()) SendMessageA(Handle(), TBM_SETPAGESIZE, 0, n);
}

void TrackBar::HandleCreated() {
    SetRange(min_, max_);
    SetFrequency(frequency_);
    SetPageSize(page_);
}

bool TrackBar::Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
        // Each move sends its code and then TB_ENDTRACK: one event per new position.
        const int pos = Position();
        if (pos != position_) {
            position_ = pos;
            if (OnChange) OnChange(*this);
        }
        result = 0;
        return true;
    }
    return WinControl::Notified(msg, wp, lp, result);
}

}  // namespace ui
