#include "widgets/scale_core.h"

namespace widgets {
namespace scale {

int ValueY(long long value, long long min, long long max, int height) {
    const long long range = max - min;
    long long p = range > 0 ? (value - min) * 100 / range : 0;
    if (p < 0) p = 0;
    if (p > 100) p = 100;
    return height - static_cast<int>(height * p / 100);
}

int Marks(int min, int max, int peak, int height, int majors, int minorsPerMajor, Mark* out, int room) {
    if (max <= min || height <= 0 || majors < 1 || minorsPerMajor < 0) return 0;
    const long long steps = static_cast<long long>(majors) * (minorsPerMajor + 1);
    int n = 0;
    for (long long i = 0; i <= steps && n < room; ++i) {
        // Rounded to the nearest whole value, so 0..150 in four divisions reads 0, 38, 75, 113, 150.
        const long long v = min + ((max - static_cast<long long>(min)) * i * 2 + steps) / (steps * 2);
        int y = ValueY(v, min, max, height);
        if (y > height - 1) y = height - 1;
        out[n++] = {y, static_cast<int>(v), i % (minorsPerMajor + 1) == 0, v >= peak};
    }
    return n;
}

int FittingMajors(int height, int labelHeight, int wanted) {
    int m = wanted < 1 ? 1 : wanted;
    while (m > 1 && height / m < labelHeight + 2) --m;
    return m;
}

}  // namespace scale
}  // namespace widgets
