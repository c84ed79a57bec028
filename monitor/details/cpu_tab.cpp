#include "monitor/details/cpu_tab.h"

namespace details {

CpuTab BuildCpuTab(const metrics::ProcessorId& id, uint32_t mhz) {
    CpuTab t;
    t.name = id.name;
    t.speed = std::to_string(mhz) + " MHz";
    t.serial = id.serial.empty() ? "Unknown" : id.serial;
    t.fdiv = id.fdivFlaw ? "Present" : "Not Present";
    for (int i = 0; i < metrics::kFeatureCount; ++i) {
        const metrics::FeatureInfo& f = metrics::Feature(i);
        t.features[i] = {f.caption, f.description, id.features[i] ? 0 : 1};
    }
    return t;
}

}  // namespace details
