// The keys of every section of the settings file, in the order a new file receives them.
#pragma once
#include <string>
#include <vector>

namespace expected {

inline const std::vector<std::string>& SectionOrder() {
    static const std::vector<std::string> v{"Main", "Network", "CPU1", "CPU2", "RAM", "Swap"};
    return v;
}

inline const std::vector<std::string>& MainKeys() {
    static const std::vector<std::string> v{
        "Show", "Width", "Height", "Top", "Left", "CPU1", "CPU2", "RAM", "Swap", "Network",
        "Status", "NetworkDisplay", "Orientation", "AlphaBlend", "AlphaBlendValue", "AlwaysOnTop",
        "Snap", "GraphBorders", "BackgroundColor", "CPU1Low", "CPU1Medium", "CPU1High", "CPU2Low",
        "CPU2Medium", "CPU2High", "RAMLow", "RAMMedium", "RAMHigh", "SwapLow", "SwapMedium",
        "SwapHigh", "TrayIconImage", "FirstTime"};
    return v;
}

inline const std::vector<std::string>& NetworkKeys() {
    static const std::vector<std::string> v{
        "Show", "Width", "Height", "Left", "Top", "Adapter", "UpperLimit", "AlphaBlend",
        "AlphaBlendValue", "DownloadGaugeBackground", "DownloadGaugeActive",
        "UploadGaugeBackground", "UploadGaugeActive", "NetworkBackground", "GraphBackground",
        "GridColor", "DownloadColor", "UploadColor", "AlwaysOnTop"};
    return v;
}

inline const std::vector<std::string>& MeterKeys() {
    static const std::vector<std::string> v{
        "Show", "Width", "Height", "Left", "Top", "AlwaysOnTop", "Snap", "Horizontal",
        "BarGraph", "Enhanced", "WindowsBorder", "TransparentBackground", "AlphaBlend",
        "VariableBlend", "AlphaBlendValue", "AlphaBase", "AlphaRange", "StandardBackground",
        "StandardLow", "StandardMedium", "StandardHigh", "EnBackground", "EnGrid", "EnLine",
        "EnGaugeBack", "EnGauge"};
    return v;
}

}  // namespace expected
