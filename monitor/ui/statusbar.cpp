#include "monitor/ui/statusbar.h"

#include <commctrl.h>

#include "monitor/ui/form.h"

namespace ui {

namespace {
const std::string kNone;
}

StatusBar::StatusBar()
    : WinControl(STATUSCLASSNAMEA, CCS_NOPARENTALIGN | CCS_BOTTOM | CCS_NORESIZE | SBARS_SIZEGRIP) {
    SetTabStop(false);
    SetAlign(Align::Bottom);
    // The system's status-bar height for the message font: text, its borders and padding.
    SetHeight(MeasureText(nullptr, "Ag", 2).cy + 9);
}

void StatusBar::SetPanels(const std::vector<int>& widths) {
    widths_ = widths;
    texts_.resize(widths.size());
    if (Handle()) {
        ApplyParts();
        for (int i = 0; i < PanelCount(); ++i)
            SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(texts_[static_cast<std::size_t>(i)].c_str()));
    }
}

int StatusBar::PanelWidth(int panel) const {
    return panel >= 0 && panel < PanelCount() ? widths_[static_cast<std::size_t>(panel)] : 0;
}

void StatusBar::SetPanelText(int panel, const char* text) {
    if (panel < 0 || panel >= PanelCount()) return;
    std::string& t = texts_[static_cast<std::size_t>(panel)];
    if (t == (text ? text : "")) return;
    t.assign(text ? text : "");
    if (Handle())
        SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(t.c_str()));
}

const std::string& StatusBar::PanelText(int panel) const {
    return panel >= 0 && panel < PanelCount() ? texts_[static_cast<std::size_t>(panel)] : kNone;
}

void StatusBar::ApplyParts() {
    if (!Handle() || widths_.empty()) return;
    std::vector<int> edges(widths_.size());
    int x = 0;
    for (std::size_t i = 0; i < widths_.size(); ++i) edges[i] = x += widths_[i];
    edges.back() = -1;
    SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::BoundsChanged() {
    ApplyParts();
    if (!Handle() || Width() == paintedWidth_) return;
    // The bar's class repaints only the strip a resize uncovers: the size grip and the last
    // panel's edge drawn at the old width would stay behind.
    InvalidateRect(Handle(), nullptr, TRUE);
    paintedWidth_ = Width();
}

void StatusBar::HandleCreated() {
    SetHeight(MeasureText(GetFont(), "Ag", 2).cy + 9);
    // No grip unless the form can be sized.
    if (Form* f = OwnerForm())
        if (f->Handle() && !(GetWindowLongA(f->Handle(), GWL_STYLE) & WS_THICKFRAME))
            SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~SBARS_SIZEGRIP);
    SetPanels(widths_);
    paintedWidth_ = Width();
}

}  // namespace ui
