#pragma once
// The CPU tab of System Details from the processor identification.
#include <array>
#include <cstdint>
#include <string>

#include "monitor/metrics/processor_id.h"

namespace details {

struct CpuFeatureRow {
    const char* caption;
    const char* description;
    int image;  // 0: the processor has it, 1: it has not
};

struct CpuTab {
    std::string name;    // lblName
    std::string speed;   // lblSpeed, "2400 MHz"
    std::string serial;  // lblSerial, "Unknown" when there is none
    std::string fdiv;    // lblFDiv, "Present" / "Not Present"
    std::array<CpuFeatureRow, metrics::kFeatureCount> features;
};

CpuTab BuildCpuTab(const metrics::ProcessorId& id, uint32_t mhz);

}  // namespace details
