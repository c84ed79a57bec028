#include "monitor/app/gadget_layout.h"

#include <algorithm>

namespace gadget {

int VisibleBars(const Parts& p) {
    int n = 0;
    for (bool b : p.bar) n += b ? 1 : 0;
    return n;
}

bool ToggleBar(Parts& p, BarId bar, bool& checked) {
    if (checked) {
        const int shown = VisibleBars(p) + (p.bottom ? 1 : 0);
        if (shown < 2) return false;
    }
    checked = !checked;
    p.bar[bar] = !p.bar[bar];
    if (!p.graphs) {
        p.graphs = true;
        p.clientHeight = p.bottomHeight + kReopenedGraphHeight;
    }
    return true;
}

bool TogglePanel(Parts& p, bool network, bool& checked) {
    const bool otherVisible = network ? p.status : p.network;
    if (!p.graphs && !otherVisible) return false;
    checked = !checked;
    bool& panel = network ? p.network : p.status;
    const int height = network ? p.networkHeight : p.statusHeight;
    panel = checked;
    p.bottom = p.network || p.status;
    if (panel) {
        p.bottomHeight += height;
        p.clientHeight += height;
    } else {
        p.bottomHeight -= height;
        p.clientHeight -= height;
    }
    return true;
}

int NetworkPanelHeight(NetDisplay mode, int lcdHeight, int labelHeight) {
    return mode == NetDisplay::Normal ? labelHeight + 2 : lcdHeight + 5;
}

void SetNetworkHeight(Parts& p, int networkHeight) {
    p.networkHeight = networkHeight;
    if (p.network && p.status)
        p.bottomHeight = p.networkHeight + p.statusHeight;
    else if (p.network)
        p.bottomHeight = p.networkHeight;
    else if (p.status)
        p.bottomHeight = p.statusHeight;
    else
        p.bottomHeight = 0;
}

BarLayout LayoutBars(const bool bar[kBarCount], bool horizontal, int graphsWidth, int graphsHeight) {
    BarLayout l;
    int n = 0;
    for (int i = 0; i < kBarCount; ++i) n += bar[i] ? 1 : 0;
    if (n == 0) {
        l.graphsShown = false;
        n = 1;
    }
    const int size = (horizontal ? graphsHeight : graphsWidth) / n;
    l.barSize = size;
    const bool cpuBoth = bar[kCPU1] && bar[kCPU2];
    l.cpuRowSize = cpuBoth ? 2 * size : size;
    l.cpuRowVisible = bar[kCPU1] || bar[kCPU2];
    l.memoryRowSize = bar[kRAM] && bar[kSwap] ? 2 * size : size;
    return l;
}

void ApplyBarLayout(Parts& p, const BarLayout& layout) {
    p.graphs = layout.graphsShown;
    if (!layout.graphsShown) p.clientHeight = p.bottomHeight;
}

DigitPlacement PlaceDigits(int panelWidth, int down1Width, int down2Width, int pointWidth, int up1Width,
                           bool big) {
    DigitPlacement d;
    const int q = panelWidth / 4;
    const int g = down1Width + down2Width + pointWidth;
    const int pointTop = big ? 2 : -4;
    d.down1 = {q - g / 2, 2};
    d.up1 = {3 * q - g / 2, 2};
    d.downPoint = {d.down1.left + down1Width + 1, pointTop};
    d.upPoint = {d.up1.left + up1Width + 1, pointTop};
    d.down2 = {d.downPoint.left + 4, 2};
    d.up2 = {d.upPoint.left + 4, 2};
    return d;
}

int RateCells(int downWhole, int upWhole) {
    const int largest = std::max(std::clamp(downWhole, 0, 9999), std::clamp(upWhole, 0, 9999));
    return largest >= 1000 ? 4 : kRateCells;
}

TextPlacement PlaceRateTexts(int panelWidth, int downloadWidth, int uploadWidth) {
    const int q = panelWidth / 4;
    TextPlacement t;
    t.download = {q - downloadWidth / 2, 1};
    t.upload = {3 * q - uploadWidth / 2, 1};
    return t;
}

}  // namespace gadget
