#include "monitor/ui/layout.h"

#include <algorithm>

namespace ui {

void AlignChildren(const Rect& client, const AlignItem* items, std::size_t count, Rect* out) {
    Rect rest = client;
    rest.width = std::max(0, rest.width);
    rest.height = std::max(0, rest.height);
    for (std::size_t i = 0; i < count; ++i) out[i] = items[i].bounds;

    auto pass = [&](Align which, auto place) {
        for (std::size_t i = 0; i < count; ++i)
            if (items[i].visible && items[i].align == which) place(items[i].bounds, out[i]);
    };
    pass(Align::Top, [&](const Rect& b, Rect& r) {
        const int h = std::max(0, b.height);
        r = {rest.left, rest.top, rest.width, h};
        rest.top += h;
        rest.height -= h;
    });
    pass(Align::Bottom, [&](const Rect& b, Rect& r) {
        const int h = std::max(0, b.height);
        r = {rest.left, rest.bottom() - h, rest.width, h};
        rest.height -= h;
    });
    pass(Align::Left, [&](const Rect& b, Rect& r) {
        const int w = std::max(0, b.width);
        r = {rest.left, rest.top, w, rest.height};
        rest.left += w;
        rest.width -= w;
    });
    pass(Align::Right, [&](const Rect& b, Rect& r) {
        const int w = std::max(0, b.width);
        r = {rest.right() - w, rest.top, w, rest.height};
        rest.width -= w;
    });
    pass(Align::Client, [&](const Rect&, Rect& r) {
        r = {rest.left, rest.top, std::max(0, rest.width), std::max(0, rest.height)};
    });
}

}  // namespace ui
