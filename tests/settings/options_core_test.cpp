// The Options dialog's decisions: the interface choice kept across restarts and adapter
// changes, the order and rules of the apply operation, the values a page loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "monitor/settings/options_core.h"
#include "monitor/settings/profile_store.h"

using namespace settings;

TEST(OptionsAdapter, AllInterfacesStaysAllWhateverTheRowCount) {
    // List positions: rows first, then "All Interfaces" at the row count.
    EXPECT_EQ(AdapterItemOf(1, 3), 1);
    EXPECT_EQ(AdapterItemOf(-1, 3), 3);
    EXPECT_EQ(AdapterItemOf(3, 3), 3);
    EXPECT_EQ(AdapterItemOf(INT32_MIN, 3), 3);
    EXPECT_EQ(AdapterItemOf(0, 0), 0);
    // "All" is kept as -1, so an adapter added later does not turn it into one row.
    EXPECT_EQ(AdapterOfItem(3, 3), -1);
    EXPECT_EQ(AdapterItemOf(AdapterOfItem(3, 3), 4), 4);
    EXPECT_EQ(AdapterOfItem(2, 3), 2);

    // Start-up: a stored row of today's table survives; anything else is all interfaces.
    EXPECT_EQ(InitialAdapter(2, 3), 2);
    EXPECT_EQ(InitialAdapter(0, 1), 0);
    EXPECT_EQ(InitialAdapter(3, 3), -1);
    EXPECT_EQ(InitialAdapter(-1, 3), -1);
    EXPECT_EQ(InitialAdapter(std::nullopt, 3), -1);
    // No table at start: the stored choice is not judged, so it survives to the next start.
    EXPECT_EQ(InitialAdapter(0, 0), 0);
    EXPECT_EQ(InitialAdapter(5, 0), 5);
    EXPECT_EQ(InitialAdapter(std::nullopt, 0), -1);

    MemoryProfileStore store;
    SettingsFile file(store);
    EXPECT_FALSE(StoredAdapter(file).has_value());
    store.Parse("[Network]\nAdapter=junk\n");
    EXPECT_FALSE(StoredAdapter(file).has_value());
    store.Parse("[Network]\nAdapter=-1\n");
    EXPECT_EQ(StoredAdapter(file), -1);
}

TEST(OptionsRules, ScalePeakAndVariablePairAndStartupChoice) {
    EXPECT_EQ(ScalePeak(200), 160);
    EXPECT_EQ(ScalePeak(100), 80);
    EXPECT_EQ(ScalePeak(1), 0);
    EXPECT_EQ(ScalePeak(1499), 1199);
    EXPECT_EQ(ScalePeak(0), 0);

    const AlphaPair prev{10, 20};
    EXPECT_EQ(VariablePair(200, 100, prev).base, 10);
    EXPECT_EQ(VariablePair(200, 100, prev).range, 20);
    EXPECT_EQ(VariablePair(100, 100, prev).base, 10);  // equal: no pair either
    EXPECT_EQ(VariablePair(73, 255, prev).base, 73);
    EXPECT_EQ(VariablePair(73, 255, prev).range, 182);

    // Only a colour changed in the "CPU" group reaches the second bar over its own.
    const BarColours one{10, 20, 30}, two{11, 21, 31};
    const BarColours kept = SecondCpuColours(one, one, two);
    EXPECT_EQ(kept.low, 11u);
    EXPECT_EQ(kept.medium, 21u);
    EXPECT_EQ(kept.high, 31u);
    const BarColours edited = SecondCpuColours({10, 99, 30}, one, two);
    EXPECT_EQ(edited.low, 11u);
    EXPECT_EQ(edited.medium, 99u);
    EXPECT_EQ(edited.high, 31u);

    EXPECT_TRUE(StartupChoiceAllowed(false, false));
    EXPECT_TRUE(StartupChoiceAllowed(true, true));
    EXPECT_FALSE(StartupChoiceAllowed(true, false));
}

namespace {

// Records every step of an apply as a line.
class Recorder final : public OptionsTarget {
public:
    std::vector<std::string> steps;
    std::int32_t adapter = -1;
    AlphaPair pairs[kMeterCount] = {{0, 255}, {1, 2}, {3, 4}, {5, 6}};
    MeterApply meters[kMeterCount] = {};
    NetworkOptions network;
    int limit = 0, peak = 0;
    BarColours second;

    void SetGadget(int opacity, Colour background, const BarColours& cpu, const BarColours& cpu2, const BarColours&,
                   const BarColours&) override {
        second = cpu2;
        steps.push_back("gadget " + std::to_string(opacity) + " " + std::to_string(background) + " " +
                        std::to_string(cpu.high));
    }
    std::int32_t Adapter() const override { return adapter; }
    void ChangeAdapter(std::int32_t a) override {
        adapter = a;
        steps.push_back("adapter " + std::to_string(a));
    }
    void SetUpperLimit(int l, int p) override {
        limit = l;
        peak = p;
        steps.push_back("limit");
    }
    void SetNetworkWindow(const NetworkOptions& n) override {
        network = n;
        steps.push_back("network");
    }
    void MarkRateAdapters() override { steps.push_back("marks"); }
    AlphaPair MeterPair(Meter m) const override { return pairs[static_cast<int>(m)]; }
    void SetMeter(Meter m, const MeterApply& a) override {
        meters[static_cast<int>(m)] = a;
        steps.push_back("meter " + std::to_string(static_cast<int>(m)));
    }
    void SetTrayImage(bool image) override { steps.push_back(image ? "tray image" : "tray text"); }
    void SetStartupEntry(bool present) override { steps.push_back(present ? "run on" : "run off"); }
    void SaveSettings() override { steps.push_back("save"); }
};

}  // namespace

TEST(OptionsApply, StepsInOrderWithTheirRules) {
    OptionsValues v;
    v.mainOpacity = 99;
    v.mainBackground = 0x123456;
    v.cpu.high = 7;
    v.cpu2 = {1, 2, 3};
    v.adapterItem = 1;  // of 3 rows
    v.network.upperLimit = 200;
    v.network.grid = 0x00AA00;
    v.meters[0].at0 = 200;  // not below "100%": the pair stays
    v.meters[0].at100 = 100;
    v.meters[0].variable = true;
    v.meters[1].at0 = 50;
    v.meters[1].at100 = 150;
    v.meters[1].standardAlpha = 77;
    v.barGraphTray = false;
    v.loadWithWindows = true;

    Recorder r;
    ApplyOptions(v, 3, true, r);
    const std::vector<std::string> expected = {"gadget 99 1193046 7",
                                               "adapter 1",
                                               "limit",
                                               "network",
                                               "marks",
                                               "meter 0",
                                               "meter 1",
                                               "meter 2",
                                               "meter 3",
                                               "tray text",
                                               "run on",
                                               "save"};
    EXPECT_EQ(r.steps, expected);
    EXPECT_EQ(r.second.medium, 2u);
    EXPECT_EQ(r.limit, 200);
    EXPECT_EQ(r.peak, 160);
    EXPECT_EQ(r.network.grid, 0x00AA00u);
    EXPECT_EQ(r.meters[0].pair.base, 0);
    EXPECT_EQ(r.meters[0].pair.range, 255);
    EXPECT_TRUE(r.meters[0].variable);
    EXPECT_FALSE(r.meters[0].setOpacity);
    EXPECT_EQ(r.meters[1].pair.base, 50);
    EXPECT_EQ(r.meters[1].pair.range, 100);
    EXPECT_TRUE(r.meters[1].setOpacity);
    EXPECT_EQ(r.meters[1].standardAlpha, 77);

    // The same choice again, or "All" over a kept value past the table: counters not re-primed;
    // without the right to change the start-up list the entry is left alone.
    r.steps.clear();
    ApplyOptions(v, 3, false, r);
    EXPECT_EQ(std::count(r.steps.begin(), r.steps.end(), "adapter 1"), 0);
    EXPECT_EQ(std::count(r.steps.begin(), r.steps.end(), "run on"), 0);
    r.adapter = 7;
    v.adapterItem = 3;
    r.steps.clear();
    ApplyOptions(v, 3, false, r);
    EXPECT_EQ(r.steps[1], "limit");
    // From a row to "All Interfaces": kept as -1.
    r.adapter = 0;
    ApplyOptions(v, 3, false, r);
    EXPECT_EQ(r.adapter, -1);
}

TEST(OptionsLoad, MeterPageShowsTheSumOnTheUpperSlider) {
    MeterWindowSettings s = MeterDesign(Meter::RAM);
    s.alphaBase = 40;
    s.alphaRange = 100;
    s.alphaBlendValue = 90;
    s.variableBlend = true;
    s.enGauge = 0x0000FE;
    s.standardMedium = 0x111111;
    const MeterOptions o = MeterOptionsOf(s);
    EXPECT_EQ(o.at0, 40);
    EXPECT_EQ(o.at100, 140);
    EXPECT_EQ(o.standardAlpha, 90);
    EXPECT_TRUE(o.variable);
    EXPECT_EQ(o.enGauge, 0x0000FEu);
    EXPECT_EQ(o.standard.medium, 0x111111u);
}
