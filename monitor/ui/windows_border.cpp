#include "monitor/ui/windows_border.h"

#include <windows.h>

#include "monitor/ui/form.h"

namespace ui {

void SetWindowsBorder(Form& form, bool border, bool showAfter) {
    const HWND w = form.Handle();
    if (!w) return;
    const LONG exStyle = GetWindowLongA(w, GWL_EXSTYLE) | WS_EX_TOOLWINDOW;
    const UINT frameFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (border) {
        RECT r;
        GetWindowRect(w, &r);
        const int width = r.right - r.left;
        form.SetVisible(false);
        // A sizing frame without a title bar.
        SetWindowLongA(w, GWL_STYLE, (GetWindowLongA(w, GWL_STYLE) | WS_THICKFRAME) & ~WS_CAPTION);
        SetWindowLongA(w, GWL_EXSTYLE, exStyle);
        SetWindowPos(w, nullptr, 0, 0, 0, 0, frameFlags);
        form.SetVisible(showAfter);
        GetWindowRect(w, &r);
        const int height = r.bottom - r.top;
        const UINT sizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        SetWindowPos(w, nullptr, 0, 0, r.right - r.left, height + 1, sizeFlags);
        SetWindowPos(w, nullptr, 0, 0, r.right - r.left, height, sizeFlags);
        SetWindowPos(w, nullptr, 0, 0, width, height, sizeFlags);
    } else {
        form.SetVisible(false);
        SetWindowLongA(w, GWL_STYLE, GetWindowLongA(w, GWL_STYLE) & ~(WS_THICKFRAME | WS_CAPTION));
        SetWindowLongA(w, GWL_EXSTYLE, exStyle);
        SetWindowPos(w, nullptr, 0, 0, 0, 0, frameFlags);
        form.SetVisible(showAfter);
    }
}

}  // namespace ui
