// The keys of every section of the settings file, in the order a new file receives them,
// and what a stored file holds, to compare with them.
#pragma once
#include <string>
#include <vector>

#include "monitor/settings/profile_store.h"

namespace expected {

// The section names of a stored file, in order.
inline std::vector<std::string> SectionsOf(const settings::MemoryProfileStore& store) {
    std::vector<std::string> names;
    for (const auto& s : store.Sections()) names.push_back(s.name);
    return names;
}

// The keys of one section, in order (none when the section is missing).
inline std::vector<std::string> KeysOf(const settings::MemoryProfileStore& store,
                                       const std::string& section) {
    for (const auto& s : store.Sections())
        if (s.name == section) {
            std::vector<std::string> keys;
            for (const auto& kv : s.keys) keys.push_back(kv.first);
            return keys;
        }
    return {};
}

inline const std::vector<std::string>& SectionOrder() {
    static const std::vector<std::string> v{"Main", "Network", "CPU1", "CPU2", "RAM", "Swap"};
    return v;
}

inline const std::vector<std::string>& MainKeys() {
    static const std::vector<std::string> v{"Show",
                                            "Width",
                                            "Height",
                                            "Top",
                                            "Left",
                                            "CPU1",
                                            "CPU2",
                                            "RAM",
                                            "Swap",
                                            "Network",
                                            "Status",
                                            "NetworkDisplay",
                                            "Orientation",
                                            "AlphaBlend",
                                            "AlphaBlendValue",
                                            "AlwaysOnTop",
                                            "Snap",
                                            "GraphBorders",
                                            "BackgroundColor",
                                            "CPU1Low",
                                            "CPU1Medium",
                                            "CPU1High",
                                            "CPU2Low",
                                            "CPU2Medium",
                                            "CPU2High",
                                            "RAMLow",
                                            "RAMMedium",
                                            "RAMHigh",
                                            "SwapLow",
                                            "SwapMedium",
                                            "SwapHigh",
                                            "TrayIconImage",
                                            "FirstTime"};
    return v;
}

inline const std::vector<std::string>& NetworkKeys() {
    static const std::vector<std::string> v{"Show",
                                            "Width",
                                            "Height",
                                            "Left",
                                            "Top",
                                            "Adapter",
                                            "UpperLimit",
                                            "AlphaBlend",
                                            "AlphaBlendValue",
                                            "DownloadGaugeBackground",
                                            "DownloadGaugeActive",
                                            "UploadGaugeBackground",
                                            "UploadGaugeActive",
                                            "NetworkBackground",
                                            "GraphBackground",
                                            "GridColor",
                                            "DownloadColor",
                                            "UploadColor",
                                            "AlwaysOnTop"};
    return v;
}

inline const std::vector<std::string>& MeterKeys() {
    static const std::vector<std::string> v{"Show",
                                            "Width",
                                            "Height",
                                            "Left",
                                            "Top",
                                            "AlwaysOnTop",
                                            "Snap",
                                            "Horizontal",
                                            "BarGraph",
                                            "Enhanced",
                                            "WindowsBorder",
                                            "TransparentBackground",
                                            "AlphaBlend",
                                            "VariableBlend",
                                            "AlphaBlendValue",
                                            "AlphaBase",
                                            "AlphaRange",
                                            "StandardBackground",
                                            "StandardLow",
                                            "StandardMedium",
                                            "StandardHigh",
                                            "EnBackground",
                                            "EnGrid",
                                            "EnLine",
                                            "EnGaugeBack",
                                            "EnGauge"};
    return v;
}

}  // namespace expected
