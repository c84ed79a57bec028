// What the Options dialog decides, over plain data: the values it loads and edits, the
// interface choice as the list shows it and as the program keeps it, and the apply operation,
// which pushes the edited values into the program's windows in a fixed order through
// OptionsTarget (the program's windows in statwell, a recorder in tests).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor/settings/settings_records.h"

namespace settings {

// One meter window (CPU 1, CPU 2, RAM, Swap) as its page edits it.
struct MeterOptions {
    Colour standardBackground = 0;
    BarColours standard;
    int standardAlpha = 180;  // the remembered standard opacity
    Colour enBackground = 0, enGrid = 0, enLine = 0, enGaugeBack = 0, enGauge = 0;
    int at0 = 73;     // "At 0%": AlphaBase
    int at100 = 255;  // "100%": AlphaBase + AlphaRange
    bool variable = false;
};

// The Network page.
struct NetworkOptions {
    Colour uploadGaugeBackground = 0, uploadGaugeActive = 0;
    Colour downloadGaugeBackground = 0, downloadGaugeActive = 0;
    Colour uploadLine = 0, downloadLine = 0, grid = 0, graphBackground = 0;
    Colour windowBackground = 0;
    int upperLimit = 100;
    int opacity = 180;
};

struct OptionsValues {
    int mainOpacity = 180;
    Colour mainBackground = 0;
    // The "CPU" group sets both processor bars; `cpu2` is what the second one gets (see
    // SecondCpuColours).
    BarColours cpu, cpu2, ram, swap;
    NetworkOptions network;
    // Position in the interface list: a row, or the row count for "All Interfaces".
    int adapterItem = 0;
    MeterOptions meters[kMeterCount];
    bool barGraphTray = true;
    bool loadWithWindows = false;
};

// The ranges of the dialog's controls.
constexpr int kLimitMin = 0, kLimitMax = 1500;
constexpr int kAt0Min = 2;
constexpr int kOpacityMax = 255;

// The list position of an interface choice: the row it names, else "All Interfaces" (the row
// count) for anything at or beyond the row count, -1 and every other negative value.
int AdapterItemOf(std::int32_t adapter, int rowCount);
// The choice the program keeps for a list position: the row, or -1 for "All Interfaces" (read
// as all interfaces however many rows there are later).
std::int32_t AdapterOfItem(int item, int rowCount);
// The choice at start-up: a stored row of today's table stays; a missing value, -1 or a value
// at or beyond the row count is all interfaces (-1). Without a table to judge it by (none could
// be read, or it had no rows) a stored value stays as it is, so that a start before the network
// is up does not lose the user's choice.
std::int32_t InitialAdapter(std::optional<std::int32_t> stored, int rowCount);

// Network/Adapter as the file holds it: nothing when the key is missing or malformed.
std::optional<std::int32_t> StoredAdapter(const SettingsFile& file);

// The peak level of the System Details scale for a graph limit: 80 % of it, cut down.
int ScalePeak(int limit);

// AlphaBase and AlphaRange after an apply: the pair takes the sliders only when "At 0%" is below
// "100%"; otherwise the previous values stay.
struct AlphaPair {
    int base, range;
};
AlphaPair VariablePair(int at0, int at100, AlphaPair previous);

// The second processor bar's colours after an apply: each colour of the "CPU" group the user
// changed since the show, the bar's own colour otherwise, so that OK touching nothing keeps
// colours of the two bars that differ in the settings file.
BarColours SecondCpuColours(const BarColours& shown, const BarColours& loadedCpu, const BarColours& loadedCpu2);

// The "Load with Windows" check box may be used: always on Windows 9x; on the NT family only
// when the service control manager opened with full access.
bool StartupChoiceAllowed(bool nt, bool serviceManagerOpened);

// What one apply changes in a meter window.
struct MeterApply {
    Colour standardBackground;
    BarColours standard;
    int standardAlpha;
    bool setOpacity;  // "Standard" selected: the window's opacity becomes standardAlpha
    Colour enBackground, enGrid, enLine, enGaugeBack, enGauge;
    AlphaPair pair;
    bool variable;
};

// The program as the apply operation changes it, one step at a time.
class OptionsTarget {
public:
    virtual void SetGadget(int opacity, Colour background, const BarColours& cpu1, const BarColours& cpu2,
                           const BarColours& ram, const BarColours& swap) = 0;
    // The kept interface choice (the program's AdapterIndex).
    virtual std::int32_t Adapter() const = 0;
    // A new choice: kept, and the counters set to 0 so the next tick primes them again.
    virtual void ChangeAdapter(std::int32_t adapter) = 0;
    // The Network window's graph and gauges, the System Details graph and scale (peak given).
    virtual void SetUpperLimit(int limit, int scalePeak) = 0;
    virtual void SetNetworkWindow(const NetworkOptions& n) = 0;
    virtual void MarkRateAdapters() = 0;
    virtual AlphaPair MeterPair(Meter meter) const = 0;
    virtual void SetMeter(Meter meter, const MeterApply& m) = 0;
    virtual void SetTrayImage(bool image) = 0;
    virtual void SetStartupEntry(bool present) = 0;
    virtual void SaveSettings() = 0;

protected:
    ~OptionsTarget() = default;
};

// Applies the dialog's values in order: gadget; interface; limit; Network window and the marks
// of System Details; each meter window; tray icon; the start-up entry (only when
// `startupAllowed`); then the settings file.
void ApplyOptions(const OptionsValues& v, int rowCount, bool startupAllowed, OptionsTarget& target);

// A meter window's page values from its live state (its remembered standard opacity is the
// state's AlphaBlendValue; the "100%" slider shows AlphaBase + AlphaRange).
MeterOptions MeterOptionsOf(const MeterWindowSettings& s);

}  // namespace settings
