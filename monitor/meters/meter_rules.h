// The floating meter windows' rules over plain data: value texts, resize edges and hit
// testing, the layout of gauges and value labels, which menu items show, and the family table
// of the four percentage windows.
#pragma once
#include <cstddef>

#include "monitor/settings/settings_records.h"

namespace meters {

// " 5 %" below 10, "42 %" from 10 on.
void ValueText(int value, char* out, std::size_t size);
// A rate in whole KB: " 7" below 100, "100" from 100 on.
void RateText(int value, char* out, std::size_t size);

// Thickness of the resize edges: 8 with the Windows border, else 5; 3 when the client area is
// under 15 pixels high or wide.
int EdgeThickness(bool windowsBorder, int clientWidth, int clientHeight);

enum class Hit { Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };
// x, y: the cursor in client coordinates; width, height: the window's size; t: EdgeThickness.
// Corners first, then edges; everything else drags the window.
Hit HitTest(int x, int y, int width, int height, int t);

// Where the gauges and value labels go for a client height and a label height.
struct GaugeLayout {
    int gaugeHeight = 1;        // client height - (label height + 10), at least 1
    int labelTop = 0;           // client height - label height - 3
    bool labelVisible = false;  // client height >= label height + 4
    bool gaugeVisible = false;  // client height >= label height + 8
};
GaugeLayout LayoutGauges(int clientHeight, int labelHeight);

// Items of a meter window's menu shown in each mode.
struct MenuShown {
    bool graph = false;        // "Show Bar Graph": Enhanced mode only
    bool horizontal = false;   // "Horizontal": standard mode only
    bool transparent = false;  // "Transparent Background": standard mode only
};
MenuShown MeterMenu(bool enhanced);

// One row of the family table.
struct Family {
    settings::Meter meter;
    const char* className;  // the form class, also the window class
    const char* hint;
    const char* closeCaption;
};
const Family& FamilyOf(settings::Meter meter);
// The CPU 1 window with one processor shown.
constexpr const char* kOneCpuHint = "CPU";
constexpr const char* kOneCpuClose = "Close CPU";

// Client size of Enhanced mode, and of the Network window at creation.
constexpr int kEnhancedWidth = 125, kEnhancedHeight = 40;
constexpr int kNetworkWidth = 155, kNetworkHeight = 50;

}  // namespace meters
