#include "monitor/meters/meter_rules.h"

#include <cstdio>

namespace meters {

void ValueText(int value, char* out, std::size_t size) {
    std::snprintf(out, size, value < 10 ? " %d %%" : "%d %%", value);
}

void RateText(int value, char* out, std::size_t size) {
    std::snprintf(out, size, value < 100 ? " %d" : "%d", value);
}

int EdgeThickness(bool windowsBorder, int clientWidth, int clientHeight) {
    if (clientWidth < 15 || clientHeight < 15) return 3;
    return windowsBorder ? 8 : 5;
}

Hit HitTest(int x, int y, int width, int height, int t) {
    const bool left = x<t, right = x> width - t, top = y<t, bottom = y> height - t;
    if (left && top) return Hit::TopLeft;
    if (right && top) return Hit::TopRight;
    if (right && bottom) return Hit::BottomRight;
    if (left && bottom) return Hit::BottomLeft;
    if (left) return Hit::Left;
    if (top) return Hit::Top;
    if (right) return Hit::Right;
    if (bottom) return Hit::Bottom;
    return Hit::Caption;
}

GaugeLayout LayoutGauges(int clientHeight, int labelHeight) {
    GaugeLayout g;
    const int h = clientHeight - (labelHeight + 10);
    g.gaugeHeight = h > 0 ? h : 1;
    g.labelTop = clientHeight - labelHeight - 3;
    g.labelVisible = clientHeight >= labelHeight + 4;
    g.gaugeVisible = clientHeight >= labelHeight + 8;
    return g;
}

MenuShown MeterMenu(bool enhanced) {
    MenuShown m;
    m.graph = enhanced;
    m.horizontal = !enhanced;
    m.transparent = !enhanced;
    return m;
}

const Family& FamilyOf(settings::Meter meter) {
    static const Family kFamily[settings::kMeterCount] = {
        {settings::Meter::CPU1, "TfrmCPU1", "CPU 1", "Close CPU 1"},
        {settings::Meter::CPU2, "TfrmCPU2", "CPU 2", "Close CPU 2"},
        {settings::Meter::RAM, "TfrmRAM", "RAM", "Close RAM"},
        {settings::Meter::Swap, "TfrmSwap", "Swap", "Close Swap"},
    };
    return kFamily[static_cast<int>(meter)];
}

}  // namespace meters
