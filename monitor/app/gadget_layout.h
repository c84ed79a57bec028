// The Main Group gadget's shape: which parts show, how the bars share the graph area, where
// the rate digits go, and what the show commands of the main menu may change.
//
// Plain arithmetic over plain numbers; frmMain_layout.cpp and frmMain_menu.cpp apply the results to the
// panels, bars and labels of TfrmMain.
#pragma once

namespace gadget {

enum BarId { kCPU1 = 0, kCPU2, kRAM, kSwap, kBarCount };

enum class NetDisplay { Normal, Small, Big };

// What the show commands change: the visibility of the bars and panels, and the heights that
// go with them (pnlNetwork, pnlStatus, pnlBottom, the gadget's client height).
struct Parts {
    bool bar[kBarCount] = {true, true, true, true};
    bool graphs = true;   // pnlGraphs
    bool network = true;  // pnlNetwork
    bool status = true;   // pnlStatus
    bool bottom = true;   // pnlBottom
    int networkHeight = 12;
    int statusHeight = 14;
    int bottomHeight = 26;
    int clientHeight = 75;
};

int VisibleBars(const Parts& p);

// Height a bar area gets back when a bar is shown after all of them were hidden.
constexpr int kReopenedGraphHeight = 15;

// Show command of a bar; `checked` is its menu item's mark. Hiding the last visible element
// (bars plus the bottom panel) is refused: nothing changes and the result is false.
bool ToggleBar(Parts& p, BarId bar, bool& checked);

// Show command of pnlNetwork (network true) or pnlStatus. Refused (false) when the graphs and
// the other panel are hidden, so the gadget never loses its last visible element.
bool TogglePanel(Parts& p, bool network, bool& checked);

// pnlNetwork's height in a display mode: the label's height + 2 in Normal, the LCD's + 5 in
// the digital modes.
int NetworkPanelHeight(NetDisplay mode, int lcdHeight, int labelHeight);

// A network display command: pnlNetwork takes `networkHeight`; pnlBottom holds whichever of
// the two panels are visible (0 when neither is).
void SetNetworkHeight(Parts& p, int networkHeight);

// The bars' share of the graph area. `size` is a height in horizontal orientation and a width
// in vertical orientation.
struct BarLayout {
    bool graphsShown = true;  // false: pnlGraphs hidden, client height := pnlBottom height
    int barSize = 0;          // every bar
    int cpuRowSize = 0;       // pnlCPURow
    bool cpuRowVisible = true;
    int memoryRowSize = 0;  // pnlMemoryRow
};
BarLayout LayoutBars(const bool bar[kBarCount], bool horizontal, int graphsWidth, int graphsHeight);

// Applies the graph-area part of a layout to Parts (hides the graphs and shrinks the client
// height to the bottom panel when no bar is shown).
void ApplyBarLayout(Parts& p, const BarLayout& layout);

struct Point {
    int left = 0;
    int top = 0;
};

// Where the rate digits go in pnlNetwork: the whole LCDs centred on a quarter and three
// quarters of the width, the point label and tenths LCD after each.
struct DigitPlacement {
    Point down1, downPoint, down2;
    Point up1, upPoint, up2;
};
DigitPlacement PlaceDigits(int panelWidth, int down1Width, int down2Width, int pointWidth, int up1Width,
                           bool big);

// Digit cells of both whole-part rate LCDs: the 3 they are designed with, or the 4 a whole
// part from 1000 up needs (values clamped to the LCD's range 0..9999 first), so that no
// reading is ever cut at the LCD's right edge.
constexpr int kRateCells = 3;
int RateCells(int downWhole, int upWhole);

// Normal display: the text labels centred on a quarter and three quarters of the width.
struct TextPlacement {
    Point download, upload;
};
TextPlacement PlaceRateTexts(int panelWidth, int downloadWidth, int uploadWidth);

}  // namespace gadget
