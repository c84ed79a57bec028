#include "monitor/settings/settings_records.h"

namespace settings {
namespace {

constexpr const char* kMain = "Main";
constexpr const char* kNetwork = "Network";

// Each section's keys in writing order, visited with the field they hold. Reading and
// writing share these lists, so the two cannot drift apart.
template <class S, class F>
void VisitMain(S& s, F&& f) {
    f("Show", s.show);
    f("Width", s.width);
    f("Height", s.height);
    f("Top", s.top);
    f("Left", s.left);
    f("CPU1", s.cpu1);
    f("CPU2", s.cpu2);
    f("RAM", s.ram);
    f("Swap", s.swap);
    f("Network", s.network);
    f("Status", s.status);
    f("NetworkDisplay", s.networkDisplay);
    f("Orientation", s.horizontal);
    f("AlphaBlend", s.alphaBlend);
    f("AlphaBlendValue", s.alphaBlendValue);
    f("AlwaysOnTop", s.alwaysOnTop);
    f("Snap", s.snap);
    f("GraphBorders", s.graphBorders);
    f("BackgroundColor", s.background);
    f("CPU1Low", s.cpu1Colours.low);
    f("CPU1Medium", s.cpu1Colours.medium);
    f("CPU1High", s.cpu1Colours.high);
    f("CPU2Low", s.cpu2Colours.low);
    f("CPU2Medium", s.cpu2Colours.medium);
    f("CPU2High", s.cpu2Colours.high);
    f("RAMLow", s.ramColours.low);
    f("RAMMedium", s.ramColours.medium);
    f("RAMHigh", s.ramColours.high);
    f("SwapLow", s.swapColours.low);
    f("SwapMedium", s.swapColours.medium);
    f("SwapHigh", s.swapColours.high);
}

template <class S, class F>
void VisitMeter(S& s, F&& f) {
    f("Show", s.show);
    f("Width", s.width);
    f("Height", s.height);
    f("Left", s.left);
    f("Top", s.top);
    f("AlwaysOnTop", s.alwaysOnTop);
    f("Snap", s.snap);
    f("Horizontal", s.horizontal);
    f("BarGraph", s.barGraph);
    f("Enhanced", s.enhanced);
    f("WindowsBorder", s.windowsBorder);
    f("TransparentBackground", s.transparentBackground);
    f("AlphaBlend", s.alphaBlend);
    f("VariableBlend", s.variableBlend);
    f("AlphaBlendValue", s.alphaBlendValue);
    f("AlphaBase", s.alphaBase);
    f("AlphaRange", s.alphaRange);
    f("StandardBackground", s.standardBackground);
    f("StandardLow", s.standardLow);
    f("StandardMedium", s.standardMedium);
    f("StandardHigh", s.standardHigh);
    f("EnBackground", s.enBackground);
    f("EnGrid", s.enGrid);
    f("EnLine", s.enLine);
    f("EnGaugeBack", s.enGaugeBack);
    f("EnGauge", s.enGauge);
}

// The Network section without Adapter, which sits between Top and UpperLimit.
template <class S, class F>
void VisitNetworkHead(S& s, F&& f) {
    f("Show", s.show);
    f("Width", s.width);
    f("Height", s.height);
    f("Left", s.left);
    f("Top", s.top);
}
template <class S, class F>
void VisitNetworkRest(S& s, F&& f) {
    f("UpperLimit", s.upperLimit);
    f("AlphaBlend", s.alphaBlend);
    f("AlphaBlendValue", s.alphaBlendValue);
    f("DownloadGaugeBackground", s.downloadGaugeBackground);
    f("DownloadGaugeActive", s.downloadGaugeActive);
    f("UploadGaugeBackground", s.uploadGaugeBackground);
    f("UploadGaugeActive", s.uploadGaugeActive);
    f("NetworkBackground", s.networkBackground);
    f("GraphBackground", s.graphBackground);
    f("GridColor", s.gridColor);
    f("DownloadColor", s.downloadColor);
    f("UploadColor", s.uploadColor);
    f("AlwaysOnTop", s.alwaysOnTop);
}

struct Reader {
    const SettingsFile& file;
    const char* section;
    void operator()(const char* key, bool& v) const { v = file.ReadBool(section, key, v); }
    void operator()(const char* key, std::int32_t& v) const { v = file.ReadInteger(section, key, v); }
    void operator()(const char* key, Colour& v) const { v = file.ReadColour(section, key, v); }
    void operator()(const char* key, NetworkDisplay& v) const {
        // The stored text decides alone: a missing key reads as empty, which is Small Digital.
        v = ParseNetworkDisplay(file.ReadString(section, key, ""));
    }
};

struct Writer {
    SettingsFile& file;
    const char* section;
    void operator()(const char* key, bool v) const { file.WriteBool(section, key, v); }
    void operator()(const char* key, std::int32_t v) const { file.WriteInteger(section, key, v); }
    void operator()(const char* key, Colour v) const { file.WriteColour(section, key, v); }
    void operator()(const char* key, NetworkDisplay v) const {
        file.WriteString(section, key, NetworkDisplayName(v));
    }
};

}  // namespace

MainSettings MainDesign(bool dualCpu) {
    MainSettings s;
    s.cpu2 = dualCpu;
    return s;
}

const char* MeterSection(Meter meter) {
    switch (meter) {
    case Meter::CPU1: return "CPU1";
    case Meter::CPU2: return "CPU2";
    case Meter::RAM: return "RAM";
    case Meter::Swap: break;
    }
    return "Swap";
}

MeterWindowSettings MeterDesign(Meter meter) {
    MeterWindowSettings s;
    switch (meter) {
    case Meter::CPU1:
        s.width = 143;
        s.height = 25;
        s.left = 460;
        s.top = 102;
        break;
    case Meter::CPU2:
        s.width = 143;
        s.height = 23;
        s.left = 439;
        s.top = 155;
        break;
    case Meter::RAM:
        s.width = 143;
        s.height = 23;
        s.left = 345;
        s.top = 134;
        break;
    case Meter::Swap:
        s.width = 152;
        s.height = 21;
        s.left = 354;
        s.top = 155;
        break;
    }
    return s;
}

NetworkWindowSettings NetworkDesign() { return NetworkWindowSettings{}; }

MainSettings ReadMain(const SettingsFile& file, const MainSettings& current) {
    MainSettings s = current;
    VisitMain(s, Reader{file, kMain});
    s.trayIconImage = file.ReadBool(kMain, "TrayIconImage", s.trayIconImage);
    s.firstTime = file.ReadBool(kMain, "FirstTime", s.firstTime);
    return s;
}

std::int32_t ReadAdapter(const SettingsFile& file, std::int32_t current) {
    return file.ReadInteger(kNetwork, "Adapter", current);
}

MeterWindowSettings ReadMeter(const SettingsFile& file, Meter meter, const MeterWindowSettings& current) {
    MeterWindowSettings s = current;
    const bool border = s.windowsBorder;
    VisitMeter(s, Reader{file, MeterSection(meter)});
    s.windowsBorder = border;  // written only: a stored border never comes back at start
    return s;
}

NetworkWindowSettings ReadNetworkWindow(const SettingsFile& file, const NetworkWindowSettings& current) {
    NetworkWindowSettings s = current;
    VisitNetworkHead(s, Reader{file, kNetwork});
    VisitNetworkRest(s, Reader{file, kNetwork});
    return s;
}

void WriteMain(SettingsFile& file, const MainSettings& s) { VisitMain(s, Writer{file, kMain}); }

void WriteNetwork(SettingsFile& file, const NetworkWindowSettings& s, std::int32_t adapter) {
    VisitNetworkHead(s, Writer{file, kNetwork});
    file.WriteInteger(kNetwork, "Adapter", adapter);
    VisitNetworkRest(s, Writer{file, kNetwork});
}

void WriteMeter(SettingsFile& file, Meter meter, const MeterWindowSettings& s) {
    VisitMeter(s, Writer{file, MeterSection(meter)});
}

void WriteMainTail(SettingsFile& file, bool trayIconImage) {
    file.WriteBool(kMain, "TrayIconImage", trayIconImage);
    file.WriteBool(kMain, "FirstTime", false);
}

void WriteAll(SettingsFile& file, const AllSettings& all) {
    WriteMain(file, all.main);
    WriteNetwork(file, all.network, all.adapter);
    for (int i = 0; i < kMeterCount; ++i) WriteMeter(file, static_cast<Meter>(i), all.meters[i]);
    WriteMainTail(file, all.main.trayIconImage);
}

}  // namespace settings
