#include "monitor/ui/splitter.h"

#include <algorithm>

namespace ui {

// ---- Splitter

Splitter::Splitter() {
    SetParentColor(true);
    SetBounds(0, 0, 3, 3);
}

bool Splitter::Horizontal() const { return GetAlign() == Align::Left || GetAlign() == Align::Right; }

HCURSOR Splitter::Cursor() const {
    if (GetAlign() == Align::None || GetAlign() == Align::Client) return Control::Cursor();
    return LoadCursor(nullptr, Horizontal() ? IDC_SIZEWE : IDC_SIZENS);
}

Control* Splitter::Target() const {
    if (!Parent() || GetAlign() == Align::None || GetAlign() == Align::Client) return nullptr;
    const auto& sib = Parent()->Children();
    const auto self = std::find(sib.begin(), sib.end(), this);
    for (auto it = self; it != sib.begin();) {
        Control* c = *--it;
        if (c->Visible() && c->GetAlign() == GetAlign()) return c;
    }
    return nullptr;
}

Control* Splitter::ClientSibling() const {
    if (!Parent()) return nullptr;
    for (Control* c : Parent()->Children())
        if (c->Visible() && c->GetAlign() == Align::Client) return c;
    return nullptr;
}

bool Splitter::DragStart(int x, int y) {
    target_ = Target();
    if (!target_) return false;
    startPos_ = Horizontal() ? x : y;
    startSize_ = Horizontal() ? target_->Width() : target_->Height();
    const Control* client = ClientSibling();
    const int spare = client ? (Horizontal() ? client->Width() : client->Height()) : 0;
    maxSize_ = std::max(startSize_, startSize_ + spare - minSize_);
    moved_ = false;
    return true;
}

void Splitter::DragMove(int x, int y) {
    if (!target_) return;
    int delta = (Horizontal() ? x : y) - startPos_;
    // Dragging towards the target makes it smaller.
    if (GetAlign() == Align::Right || GetAlign() == Align::Bottom) delta = -delta;
    const int size = std::clamp(startSize_ + delta, std::min(minSize_, startSize_), maxSize_);
    if (size == (Horizontal() ? target_->Width() : target_->Height())) return;
    if (Horizontal()) {
        target_->SetWidth(size);
    } else {
        target_->SetHeight(size);
    }
    moved_ = true;
}

void Splitter::DragEnd() {
    Control* t = target_;
    target_ = nullptr;
    if (t && moved_ && OnMoved) OnMoved(*this);
}

// ---- Bevel

Bevel::Bevel() {
    SetParentColor(true);
    SetHitTransparent(true);
}

void Bevel::PaintSelf(HDC dc, const Rect& r) {
    RECT rc{r.left, r.top, r.right(), r.bottom()};
    const UINT edge = style_ == Style::Lowered ? EDGE_ETCHED : EDGE_BUMP;
    switch (shape_) {
    case Shape::Box:
        DrawEdge(dc, &rc, style_ == Style::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        break;
    case Shape::Frame: DrawEdge(dc, &rc, edge, BF_RECT); break;
    case Shape::TopLine: DrawEdge(dc, &rc, edge, BF_TOP); break;
    case Shape::BottomLine: DrawEdge(dc, &rc, edge, BF_BOTTOM); break;
    case Shape::LeftLine: DrawEdge(dc, &rc, edge, BF_LEFT); break;
    case Shape::RightLine: DrawEdge(dc, &rc, edge, BF_RIGHT); break;
    case Shape::Spacer: break;
    }
}

}  // namespace ui
