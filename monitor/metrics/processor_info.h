#pragma once
// Processor identification and clock speed of this machine (Windows side).
#include <cstdint>

#include "monitor/metrics/processor_id.h"

namespace metrics {

// CPUID of this processor plus the FDIV check. Done on every call; callers keep the result.
ProcessorId IdentifyProcessor();

// Clock speed in MHz. Windows NT4/2000/XP: the registry value "~MHz" of processor 0 (a
// measurement when it cannot be read); elsewhere, or when `forceMeasure`, a one-second
// measurement against the time-stamp counter. The result is kept after the first call.
uint32_t GetCPUSpeed(bool forceMeasure = false);

}  // namespace metrics
