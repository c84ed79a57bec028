#include "widgets/scale_core.h"

#include <climits>

namespace widgets {
namespace scale {

int ValueY(long long value, long long min, long long max, int height) {
    long long p = 0;
    if (max > min && value > min) {
        if (value >= max) {
            p = 100;
        } else {
            // Differences taken unsigned: for any 64-bit bounds they are exact there.
            const unsigned long long range =
                static_cast<unsigned long long>(max) - static_cast<unsigned long long>(min);
            const unsigned long long d =
                static_cast<unsigned long long>(value) - static_cast<unsigned long long>(min);
            p = d <= ULLONG_MAX / 100 ? static_cast<long long>(d * 100 / range)
                                      : static_cast<long long>(static_cast<long double>(d) * 100 / range);
        }
    }
    return static_cast<int>(height - static_cast<long long>(height) * p / 100);
}

int Marks(int min, int max, int peak, int height, int majors, int minorsPerMajor, Mark* out, int room) {
    if (max <= min || height <= 0 || majors < 1 || minorsPerMajor < 0) return 0;
    // 64 bits throughout: steps stays below 2^62 for any counts, so no product overflows.
    const long long perMajor = static_cast<long long>(minorsPerMajor) + 1;
    const long long steps = static_cast<long long>(majors) * perMajor;
    const long long range = static_cast<long long>(max) - min;
    int n = 0;
    for (long long i = 0; i <= steps && n < room; ++i) {
        // Rounded to the nearest whole value, so 0..150 in four divisions reads 0, 38, 75, 113, 150.
        // range * i stays small (i < room); the remainder decides the rounding.
        const long long whole = range * i / steps, rest = range * i % steps;
        const long long v = min + whole + (rest >= steps - rest ? 1 : 0);
        int y = ValueY(v, min, max, height);
        if (y > height - 1) y = height - 1;
        out[n++] = {y, static_cast<int>(v), i % perMajor == 0, v >= peak};
    }
    return n;
}

int FittingMajors(int height, int labelHeight, int wanted) {
    // The most divisions m with height / m >= labelHeight + 2, found at once rather than by
    // counting down from `wanted` (which may be anything).
    const long long need = static_cast<long long>(labelHeight) + 2;
    int m = wanted < 1 ? 1 : wanted;
    if (need > 0) {
        const long long fit = height / need;
        if (fit < m) m = fit < 1 ? 1 : static_cast<int>(fit);
    } else if (m > 1 && height / m < need) {
        m = 1;  // a negative height: fewer divisions only make it worse
    }
    return m;
}

}  // namespace scale
}  // namespace widgets
