// What the scale (TVrScale) decides without Windows: where its marks go and which of them lie
// at or above the peak level. A vertical scale beside a scope graph of the same height puts
// each value on the row where the graph draws it (one percent of the range per step, MinValue
// at the bottom edge, MaxValue at the top).
#pragma once

namespace widgets {
namespace scale {

// The scope graph's row for `value` on a picture `height` rows high.
int ValueY(long long value, long long min, long long max, int height);

struct Mark {
    int y;       // row of the mark (clamped into the picture)
    int value;   // the value it stands for
    bool major;  // a labelled mark
    bool peak;   // at or above the peak level
};

// The marks from MinValue up to MaxValue: `majors` labelled divisions, each split into
// `minorsPerMajor` + 1 steps by unlabelled marks. Writes at most `room` marks (no allocation)
// and returns how many it wrote.
int Marks(int min, int max, int peak, int height, int majors, int minorsPerMajor, Mark* out, int room);

// How many labelled divisions fit `height` rows when each label needs `labelHeight` rows
// (one at least, at most `wanted`).
int FittingMajors(int height, int labelHeight, int wanted);

}  // namespace scale
}  // namespace widgets
