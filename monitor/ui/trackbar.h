// TrackBar: the system's track bar (msctls_trackbar32), horizontal unless made vertical.
//
//     tbMainOpacity.SetRange(0, 255); tbMainOpacity.SetPosition(blend);
//     tbMainOpacity.OnChange = ui::Bind(this, &TfrmOptions::tbMainOpacityChange);
//
// OnChange reports every position the user moves the thumb to (mouse, arrows, Page Up/Down,
// Home, End); SetPosition raises none.
#pragma once
#include "monitor/ui/win_control.h"

namespace ui {

class TrackBar : public WinControl {
public:
    TrackBar();
    void SetRange(int min, int max);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const;
    void SetPosition(int v);
    // A tick every `n` positions (0: none), and the step of Page Up/Down.
    void SetFrequency(int n);
    void SetPageSize(int n);
    void SetVertical(bool v) { SetStyleBit(TBS_VERT, v); }
    NotifyEvent OnChange;
    bool Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void HandleCreated() override;

private:
    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1, page_ = 2;
};

}  // namespace ui
