#include "monitor/settings/options_core.h"

namespace settings {

int AdapterItemOf(std::int32_t adapter, int rowCount) {
    if (rowCount < 0) rowCount = 0;
    return adapter >= 0 && adapter < rowCount ? adapter : rowCount;
}

std::int32_t AdapterOfItem(int item, int rowCount) { return item >= 0 && item < rowCount ? item : -1; }

std::int32_t InitialAdapter(std::optional<std::int32_t> stored, int rowCount) {
    if (!stored) return -1;
    if (rowCount <= 0) return *stored;
    return AdapterOfItem(AdapterItemOf(*stored, rowCount), rowCount);
}

std::optional<std::int32_t> StoredAdapter(const SettingsFile& file) {
    std::int32_t v = 0;
    if (!ParseInteger(file.ReadString("Network", "Adapter", ""), v)) return std::nullopt;
    return v;
}

int ScalePeak(int limit) { return static_cast<int>(static_cast<double>(limit) * 0.8); }

AlphaPair VariablePair(int at0, int at100, AlphaPair previous) {
    if (at0 < at100) return {at0, at100 - at0};
    return previous;
}

BarColours SecondCpuColours(const BarColours& shown, const BarColours& loadedCpu, const BarColours& loadedCpu2) {
    const auto pick = [](Colour s, Colour first, Colour second) { return s == first ? second : s; };
    return {pick(shown.low, loadedCpu.low, loadedCpu2.low), pick(shown.medium, loadedCpu.medium, loadedCpu2.medium),
            pick(shown.high, loadedCpu.high, loadedCpu2.high)};
}

bool StartupChoiceAllowed(bool nt, bool serviceManagerOpened) { return !nt || serviceManagerOpened; }

void ApplyOptions(const OptionsValues& v, int rowCount, bool startupAllowed, OptionsTarget& target) {
    target.SetGadget(v.mainOpacity, v.mainBackground, v.cpu, v.cpu2, v.ram, v.swap);

    // Compared as list positions: a kept value past the table and "All Interfaces" are the same.
    if (AdapterItemOf(target.Adapter(), rowCount) !=
        AdapterItemOf(AdapterOfItem(v.adapterItem, rowCount), rowCount))
        target.ChangeAdapter(AdapterOfItem(v.adapterItem, rowCount));

    target.SetUpperLimit(v.network.upperLimit, ScalePeak(v.network.upperLimit));
    target.SetNetworkWindow(v.network);
    target.MarkRateAdapters();

    for (int i = 0; i < kMeterCount; ++i) {
        const Meter meter = static_cast<Meter>(i);
        const MeterOptions& o = v.meters[i];
        MeterApply m;
        m.standardBackground = o.standardBackground;
        m.standard = o.standard;
        m.standardAlpha = o.standardAlpha;
        m.setOpacity = !o.variable;
        m.enBackground = o.enBackground;
        m.enGrid = o.enGrid;
        m.enLine = o.enLine;
        m.enGaugeBack = o.enGaugeBack;
        m.enGauge = o.enGauge;
        m.pair = VariablePair(o.at0, o.at100, target.MeterPair(meter));
        m.variable = o.variable;
        target.SetMeter(meter, m);
    }

    target.SetTrayImage(v.barGraphTray);
    if (startupAllowed) target.SetStartupEntry(v.loadWithWindows);
    target.SaveSettings();
}

MeterOptions MeterOptionsOf(const MeterWindowSettings& s) {
    MeterOptions o;
    o.standardBackground = s.standardBackground;
    o.standard = {s.standardLow, s.standardMedium, s.standardHigh};
    o.standardAlpha = s.alphaBlendValue;
    o.enBackground = s.enBackground;
    o.enGrid = s.enGrid;
    o.enLine = s.enLine;
    o.enGaugeBack = s.enGaugeBack;
    o.enGauge = s.enGauge;
    o.at0 = s.alphaBase;
    o.at100 = s.alphaBase + s.alphaRange;
    o.variable = s.variableBlend;
    return o;
}

}  // namespace settings
