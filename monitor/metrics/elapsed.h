#pragma once
// Elapsed-time text: "3 days, 4 hours, 1 minute, 12 seconds".
// Units: year = 365 days, month = a twelfth of a year (30 days 10 hours), week, day, hour,
// minute, second.
#include <cstddef>
#include <string>

namespace metrics {

struct ElapsedOptions {
    bool wholeSeconds = true;  // off: seconds with two decimals ("12.25 seconds")
    bool shortUnits = false;   // "3d 4h 1m 12s" instead of the words
    bool showZeros = false;    // list every unit below the largest non-zero one, zeros too
};

// `seconds` below 0 (or not a number) counts as 0.
std::string FormatElapsed(double seconds, const ElapsedOptions& options = ElapsedOptions());
// The same text written into `out` (at most size - 1 characters and the terminating zero), so
// a tick that shows it allocates nothing. kElapsedTextSize holds the longest text.
constexpr std::size_t kElapsedTextSize = 128;
void FormatElapsed(double seconds, const ElapsedOptions& options, char* out, std::size_t size);

}  // namespace metrics
