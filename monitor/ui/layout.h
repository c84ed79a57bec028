// Alignment of child controls inside their parent: plain arithmetic over rectangles.
#pragma once
#include <cstddef>

namespace ui {

enum class Align { None, Top, Bottom, Left, Client, Right };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool Contains(int x, int y) const { return x >= left && y >= top && x < right() && y < bottom(); }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// One child as the alignment sees it: its alignment, whether it takes part, and its current
// bounds (an aligned child keeps its height for Top/Bottom, its width for Left).
struct AlignItem {
    Align align = Align::None;
    bool visible = true;
    Rect bounds;
};

// Lays out `count` children inside `client`, writing each child's new bounds to out[i].
// Top children stack downwards from the top edge, then Bottom children upwards from the bottom
// edge, then Left children rightwards, then Right children leftwards from the right edge, each
// group in creation order; a Client child takes what is left. Hidden and unaligned children keep their
// bounds. An aligned child keeps its own height (width) even when the parent is too small for it, so it comes
// back whole when the parent grows; only the Client child is cut to what is left (never below zero).
void AlignChildren(const Rect& client, const AlignItem* items, std::size_t count, Rect* out);

}  // namespace ui
