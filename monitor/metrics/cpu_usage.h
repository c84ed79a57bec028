#pragma once
// CPU load of each processor between the two latest samples (process-wide module).
//
// Loads are fractions: 0.0 idle, 1.0 fully busy (not clamped). Failures throw
// metrics::Error with a fixed message. User-interface thread only.
//
//   int n = metrics::ProcessorCount();   // NT: takes the first sample when none was taken
//   metrics::SampleProcessors();         // once per tick
//   double load = metrics::ProcessorLoad(0);  // qualify: <winnt.h> has an enumerator
//                                             // of the same name
#include <cstdint>

namespace metrics {

// Number of processor instances (on Windows 2000/XP one of them is the aggregate "_Total").
// Windows 9x: always 1.
int32_t ProcessorCount();

// Takes one sample. Throws metrics::Error.
void SampleProcessors();

// Busy fraction of processor `index` (0-based) between the two latest samples; does not
// sample except before the very first sample. Throws "CPU index out of bounds".
double ProcessorLoad(int32_t index);

// Called once at program end (also runs at process exit if nobody called it).
void StopProcessorSampling();

}  // namespace metrics
