#include "monitor/ui/screen_fit.h"

#include <algorithm>

namespace ui {

namespace {
bool Overlaps(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Distance between two rectangles (0 when they touch or overlap), in double: the gaps of
// 64-bit coordinates may be too large to square in integers.
double Gap(const ScreenRect& a, const ScreenRect& b) {
    const double dx = static_cast<double>(std::max<int64_t>({0, b.left - a.right, a.left - b.right}));
    const double dy = static_cast<double>(std::max<int64_t>({0, b.top - a.bottom, a.top - b.bottom}));
    return dx * dx + dy * dy;
}

// Start of a stretch of `size` placed as near to `at` as fits inside [lo, hi).
int64_t Within(int64_t at, int64_t size, int64_t lo, int64_t hi) {
    return std::max(lo, std::min(at, hi - size));
}
}  // namespace

WindowBounds FitStoredBounds(const WindowBounds& stored, const ScreenRect& vs, const MonitorArea* monitors,
                             std::size_t count, int minSize) {
    const int64_t vsWidth = std::max<int64_t>(vs.right - vs.left, minSize);
    const int64_t vsHeight = std::max<int64_t>(vs.bottom - vs.top, minSize);
    int64_t w = std::clamp<int64_t>(stored.width, minSize, vsWidth);
    int64_t h = std::clamp<int64_t>(stored.height, minSize, vsHeight);
    int64_t x = stored.left, y = stored.top;

    if (monitors && count > 0) {
        const ScreenRect r{x, y, x + w, y + h};
        const MonitorArea* nearest = nullptr;
        double best = 0;
        bool visible = false;
        for (std::size_t i = 0; i < count && !visible; ++i) {
            if (Overlaps(r, monitors[i].bounds)) visible = true;
            const double g = Gap(r, monitors[i].bounds);
            if (!nearest || g < best) nearest = &monitors[i], best = g;
        }
        if (!visible) {
            const ScreenRect& a = nearest->work;
            w = std::min(w, std::max<int64_t>(a.right - a.left, minSize));
            h = std::min(h, std::max<int64_t>(a.bottom - a.top, minSize));
            x = Within(x, w, a.left, a.right);
            y = Within(y, h, a.top, a.bottom);
        }
    }
    WindowBounds out;
    out.left = static_cast<int>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX));
    out.top = static_cast<int>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX));
    out.width = static_cast<int>(std::min<int64_t>(w, INT32_MAX));
    out.height = static_cast<int>(std::min<int64_t>(h, INT32_MAX));
    return out;
}

}  // namespace ui
