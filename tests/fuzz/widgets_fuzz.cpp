// The LCD digits, the level bar and gauge, the scope graph and its scale over any value, size
// and spacing: nothing drawn or pointed at outside the picture, no signed overflow.
#include <cstdint>
#include <cstring>

#include "widgets/bar_core.h"
#include "widgets/lcd_core.h"
#include "widgets/scale_core.h"
#include "widgets/scope_core.h"

using namespace widgets;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t v[8] = {};
    std::memcpy(v, data, size < sizeof v ? size : sizeof v);
    const int w = static_cast<int>(static_cast<uint32_t>(v[0]) % 64);
    const int h = static_cast<int>(static_cast<uint32_t>(v[1]) % 64);
    Image img;
    img.Resize(w, h);

    Image stripPicture;
    stripPicture.Resize(13 * (1 + static_cast<uint32_t>(v[2]) % 8), 1 + static_cast<uint32_t>(v[3]) % 9);
    for (size_t i = 0; i < stripPicture.px.size(); ++i)
        stripPicture.px[i] = i % 3 == 0 ? lcd::kStripLit : i % 3 == 1 ? lcd::kStripUnlit : 0;
    lcd::Strip strip;
    strip.Load(stripPicture);
    lcd::PaintInput in;
    in.row = lcd::RowInput{v[4], v[5], (v[6] & 1) != 0, (v[6] & 2) != 0, (v[6] & 4) != 0};
    in.spacing = v[7] < 0 ? -(v[7] + 1) : v[7];
    in.alignment = static_cast<TVrNumAlignment>(static_cast<uint32_t>(v[6] >> 3) % 3);
    lcd::Paint(img.View(), strip, in);
    strip.DrawCell(img.View(), v[4] & 15, v[5], v[7]);
    lcd::AutoSizeExtent(v[5], v[2], v[3], in.spacing);

    level::Range r(v[4] < v[5] ? v[4] : v[5], v[4] < v[5] ? v[5] : v[4]);
    r.SetPosition(v[6]);
    level::BarLook bar;
    bar.direction = static_cast<TALDirection>(static_cast<uint32_t>(v[7]) % 4);
    bar.segmented = v[2] & 1;
    level::PaintBar(img.View(), bar, r);
    level::GaugeLook g;
    g.tickHeight = v[2];
    g.spacing = v[3];
    g.orientation = v[6] & 8 ? voVertical : voHorizontal;
    level::PaintGauge(img.View(), g, r);
    level::LayoutBar(v[0], r, true);
    level::GaugeTicks(v[0], v[2], v[3], r);

    scale::Mark marks[16];
    const int n = scale::Marks(v[4], v[5], v[6], h, v[2], v[3], marks, 16);
    for (int i = 0; i < n; ++i)
        if (marks[i].y < 0 || marks[i].y >= h) __builtin_trap();
    scale::ValueY(v[6], v[4], v[5], v[0]);
    scale::FittingMajors(v[0], v[1], v[2]);

    scope::Model scope;
    scope.SetMinValue(v[4]);
    scope.SetMaxValue(v[5]);
    scope.SetGridSize(v[2]);
    scope.SetFrequency(v[3]);
    scope.SetBaseOffset(v[6]);
    scope.SetGridLineWidth(v[7]);
    scope.SetBufferSize(static_cast<int32_t>(static_cast<uint32_t>(v[0]) % 300));
    scope.SetChannelCount(2);
    for (int t = 0; t < 3; ++t) scope.Tick([&](std::size_t i, ScopeInt& value) { value = v[4 + i + t]; });
    scope::Frame frame;
    scope.Layout(w, h, frame);
    scope::BaseLineY(v[0], v[6]);
    scope::SampleY(v[4], v[5], v[6], v[7]);
    return 0;
}
