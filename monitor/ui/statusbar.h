// StatusBar: the system's status bar (msctls_statusbar32) with panels of given widths.
//
//     sbBar.SetParent(this);                       // aligned to the bottom by default
//     sbBar.SetPanels({120, 96, 280, 50});         // the last panel reaches the right edge
//     sbBar.SetPanelText(0, "CPU Usage: 37%");
//
// The bar takes the height the system gives it; a size grip shows while the form has a
// sizing frame.
#pragma once
#include <string>
#include <vector>

#include "monitor/ui/win_control.h"

namespace ui {

class StatusBar : public WinControl {
public:
    StatusBar();

    // The panels' widths from the left; the last one reaches to the right edge.
    void SetPanels(const std::vector<int>& widths);
    int PanelCount() const { return static_cast<int>(widths_.size()); }
    int PanelWidth(int panel) const;
    // Sets a panel's text (only when it differs: no needless repaint).
    void SetPanelText(int panel, const char* text);
    const std::string& PanelText(int panel) const;

protected:
    void HandleCreated() override;
    void BoundsChanged() override;

private:
    void ApplyParts();
    std::vector<int> widths_;
    std::vector<std::string> texts_;
    int paintedWidth_ = 0;  // the width the bar last had on screen
};

}  // namespace ui
