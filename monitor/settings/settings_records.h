// The records of every settings section and the order in which their keys are written.
//
// MainSettings is the Main Group gadget's state as the file holds it. MeterWindowSettings and
// NetworkWindowSettings are the floating windows' states: each floating window owns one and
// starts from its design values (MeterDesign, NetworkDesign); SaveSettings writes them back.
#pragma once
#include <cstdint>

#include "monitor/settings/settings_file.h"

namespace settings {

constexpr Colour kBarLow = 3394611;    // 0x33CC33 green
constexpr Colour kBarMedium = 131071;  // 0x01FFFF yellow
constexpr Colour kBarHigh = 255;       // 0x0000FF red

struct BarColours {
    Colour low = kBarLow;
    Colour medium = kBarMedium;
    Colour high = kBarHigh;
};

struct MainSettings {
    bool show = true;
    std::int32_t width = 150;
    std::int32_t height = 75;
    std::int32_t top = 173;
    std::int32_t left = 388;
    bool cpu1 = true;
    bool cpu2 = true;  // false on machines with one CPU meter
    bool ram = true;
    bool swap = true;
    bool network = true;
    bool status = true;
    NetworkDisplay networkDisplay = NetworkDisplay::Small;
    bool horizontal = true;
    bool alphaBlend = false;
    std::int32_t alphaBlendValue = 180;  // as stored; applied modulo 256
    bool alwaysOnTop = true;
    bool snap = true;
    bool graphBorders = true;
    Colour background = 0;
    BarColours cpu1Colours, cpu2Colours, ramColours, swapColours;
    bool trayIconImage = true;
    bool firstTime = true;
};

// The design state of the gadget; CPU2 is shown by default only with two CPU meters.
MainSettings MainDesign(bool dualCpu);

struct MeterWindowSettings {
    bool show = false;
    std::int32_t width = 0, height = 0, left = 0, top = 0;
    bool alwaysOnTop = true;
    bool snap = true;
    bool horizontal = true;
    bool barGraph = true;
    bool enhanced = false;
    bool windowsBorder = false;  // written, never read back
    bool transparentBackground = false;
    bool alphaBlend = false;
    bool variableBlend = false;
    std::int32_t alphaBlendValue = 180;
    std::int32_t alphaBase = 0;
    std::int32_t alphaRange = 255;
    Colour standardBackground = 0;
    Colour standardLow = kBarLow, standardMedium = kBarMedium, standardHigh = kBarHigh;
    Colour enBackground = 0;
    Colour enGrid = 21760;       // 0x005500
    Colour enLine = 65535;       // 0x00FFFF
    Colour enGaugeBack = 32768;  // 0x008000
    Colour enGauge = 65280;      // 0x00FF00
};

enum class Meter { CPU1, CPU2, RAM, Swap };
constexpr int kMeterCount = 4;
const char* MeterSection(Meter meter);
MeterWindowSettings MeterDesign(Meter meter);

struct NetworkWindowSettings {
    bool show = false;
    // The window sets its client size to 155 x 50 while it is created, before it reads its
    // section, so that is its size whenever the file has none.
    std::int32_t width = 155, height = 50, left = 387, top = 175;
    std::int32_t upperLimit = 100;
    bool alphaBlend = false;
    std::int32_t alphaBlendValue = 180;
    Colour downloadGaugeBackground = 32768;   // 0x008000
    Colour downloadGaugeActive = 65177;       // 0x00FE99
    Colour uploadGaugeBackground = 12534528;  // 0xBF4300
    Colour uploadGaugeActive = 16750949;      // 0xFF9965
    Colour networkBackground = 0;
    Colour graphBackground = 0;
    Colour gridColor = 21760;
    Colour downloadColor = 16750949;
    Colour uploadColor = 65177;
    bool alwaysOnTop = true;
};

NetworkWindowSettings NetworkDesign();

// Readers: every key of the section, each missing or malformed one keeping the value it has
// in `current` (the window's state when read).
MainSettings ReadMain(const SettingsFile& file, const MainSettings& current);
std::int32_t ReadAdapter(const SettingsFile& file, std::int32_t current);
MeterWindowSettings ReadMeter(const SettingsFile& file, Meter meter, const MeterWindowSettings& current);
NetworkWindowSettings ReadNetworkWindow(const SettingsFile& file, const NetworkWindowSettings& current);

// Writers, each key in the order a new file receives it. WriteMain stops after the bar
// colours; TrayIconImage and FirstTime come last of all (WriteMainTail).
void WriteMain(SettingsFile& file, const MainSettings& s);
void WriteNetwork(SettingsFile& file, const NetworkWindowSettings& s, std::int32_t adapter);
void WriteMeter(SettingsFile& file, Meter meter, const MeterWindowSettings& s);
void WriteMainTail(SettingsFile& file, bool trayIconImage);

// Everything one save writes: Main, Network, CPU1, CPU2, RAM, Swap, then Main/TrayIconImage
// and Main/FirstTime = 0.
struct AllSettings {
    MainSettings main;
    std::int32_t adapter = 1;
    NetworkWindowSettings network;
    MeterWindowSettings meters[kMeterCount];
};
void WriteAll(SettingsFile& file, const AllSettings& all);

}  // namespace settings
