#include "monitor/ui/control.h"

#include <algorithm>
#include <cstring>

#include "monitor/ui/paint.h"
#include "monitor/ui/window_host.h"

namespace ui {

namespace {

// One memory DC for measuring texts, alive for the whole program.
HDC MeasureDc() {
    static MemoryDc dc(CreateCompatibleDC(nullptr));
    return dc.get();
}

int PixelsPerInch() {
    static const int ppi = [] {
        WindowDc dc(nullptr);
        return dc.get() ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
    }();
    return ppi;
}

// Draws one line of text transparently into r.
void DrawCaption(HDC dc, HFONT font, COLORREF colour, const Rect& r, const std::string& text, UINT align) {
    // Without a font of its own a caption is drawn in the font it is measured in.
    Selected sel(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT rc{r.left, r.top, r.right(), r.bottom()};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, align | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

Font MakeFontPixels(const char* face, int height, bool bold) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return Font(CreateFontIndirectA(&lf));
}

Font MakeFont(const char* face, int points, bool bold) {
    return MakeFontPixels(face, -MulDiv(points, PixelsPerInch(), 72), bold);
}

SIZE MeasureText(HFONT font, const char* text, int length) {
    SIZE s{0, 0};
    HDC dc = MeasureDc();
    Selected sel(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const int n = length < 0 ? static_cast<int>(std::strlen(text)) : length;
    if (n > 0) {
        GetTextExtentPoint32A(dc, text, n, &s);
    } else {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        s.cy = tm.tmHeight;
    }
    return s;
}

// ---- Control

Control::~Control() {
    if (WindowHost* h = HostOf()) h->Forget(this);
    if (parent_) {
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
    }
    for (Control* c : children_) c->parent_ = nullptr;
}

void Control::SetParent(Control* parent) {
    if (parent == parent_) return;
    Invalidate();
    if (WindowHost* h = HostOf()) h->Forget(this);
    if (parent_) {
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
        parent_->Realign();
    }
    parent_ = parent;
    if (parent_) {
        parent_->children_.push_back(this);
        parent_->Realign();
    }
    AttachTree();
    NotifyShowing();
    Invalidate();
}

Form* Control::OwnerForm() { return parent_ ? parent_->OwnerForm() : nullptr; }

WindowHost* Control::HostOf() const {
    for (Control* p = parent_; p; p = p->parent_)
        if (WindowHost* h = p->AsHost()) return h;
    return nullptr;
}

void Control::AttachTree() {
    HostReady();
    if (AsHost()) return;  // a host attaches its own children once its window exists
    for (Control* c : children_) c->AttachTree();
}

void Control::NotifyShowing() {
    ShowingChanged();
    for (Control* c : children_) c->NotifyShowing();
}

void Control::PlaceWindows() {
    PlaceWindow();
    if (AsHost()) return;  // children of a host sit in its own window
    for (Control* c : children_) c->PlaceWindows();
}

void Control::SetBounds(int left, int top, int width, int height) {
    const Rect nb{left, top, std::max(0, width), std::max(0, height)};
    if (nb == bounds_) return;
    const bool sized = nb.width != bounds_.width || nb.height != bounds_.height;
    const bool moved = nb.left != bounds_.left || nb.top != bounds_.top;
    Invalidate();
    bounds_ = nb;
    Invalidate();
    if (sized) Realign();
    if (moved)
        PlaceWindows();
    else
        PlaceWindow();
    BoundsChanged();
    if (parent_ && align_ != Align::None && !parent_->aligning_) parent_->Realign();
}

void Control::SetAlign(Align a) {
    if (a == align_) return;
    align_ = a;
    if (parent_) parent_->Realign();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    if (!v) Invalidate();
    visible_ = v;
    if (v) Invalidate();
    if (parent_ && align_ != Align::None) parent_->Realign();
    NotifyShowing();
}

bool Control::Showing() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

bool Control::VisibleInHost() const {
    if (!visible_) return false;
    for (Control* p = parent_; p && !p->AsHost(); p = p->parent_)
        if (!p->visible_) return false;
    return true;
}

COLORREF Control::Color() const {
    if (parentColor_ && parent_) return parent_->Color();
    return color_;
}

void Control::SetColor(COLORREF c) {
    parentColor_ = false;
    if (c == color_) return;
    color_ = c;
    Invalidate();
}

void Control::SetParentColor(bool v) {
    parentColor_ = v;
    Invalidate();
}

Rect Control::HostRect() const {
    Rect r = bounds_;
    Control* p = parent_;
    for (; p && !p->AsHost(); p = p->parent_) {
        const Rect cr = p->ClientRect();
        r.left += p->bounds_.left + cr.left;
        r.top += p->bounds_.top + cr.top;
    }
    if (p) {
        // Inside the host's own client area (a group box's frame).
        const Rect cr = p->ClientRect();
        r.left += cr.left;
        r.top += cr.top;
    }
    return r;
}

void Control::Invalidate() {
    // A control under a hidden parent is not on the screen: nothing to repaint.
    if (!Showing()) return;
    if (WindowHost* self = AsHost()) {
        self->InvalidateRect({0, 0, Width(), Height()});
    } else if (WindowHost* h = HostOf()) {
        h->InvalidateRect(HostRect());
    }
}

void Control::Realign() {
    if (children_.empty() || aligning_) return;
    // A parent has few children: fixed arrays keep the layout free of allocation.
    constexpr std::size_t kMax = 32;
    AlignItem items[kMax];
    Rect out[kMax];
    const std::size_t n = std::min(children_.size(), kMax);
    for (std::size_t i = 0; i < n; ++i)
        items[i] = {children_[i]->align_, children_[i]->visible_, children_[i]->bounds_};
    const Rect cr = ClientRect();
    AlignChildren({0, 0, cr.width, cr.height}, items, n, out);
    aligning_ = true;
    for (std::size_t i = 0; i < n; ++i)
        if (!(out[i] == children_[i]->bounds_))
            children_[i]->SetBounds(out[i].left, out[i].top, out[i].width, out[i].height);
    aligning_ = false;
}

Control* Control::ControlAt(int x, int y) {
    const Rect cr = ClientRect();
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control* c = *it;
        if (c->visible_ && !c->Windowed() && c->bounds_.Contains(x - cr.left, y - cr.top))
            return c->ControlAt(x - cr.left - c->bounds_.left, y - cr.top - c->bounds_.top);
    }
    return this;
}

void Control::PaintSelf(HDC dc, const Rect& r) {
    RECT rc{r.left, r.top, r.right(), r.bottom()};
    SetBkColor(dc, Color());
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void Control::SysColorChange() {
    SysColorChanged();
    for (Control* c : children_) c->SysColorChange();
}

void Control::PaintTree(HDC dc, int originX, int originY) {
    const Rect r{originX, originY, bounds_.width, bounds_.height};
    SavedDc saved(dc);
    IntersectClipRect(dc, r.left, r.top, r.right(), r.bottom());
    PaintSelf(dc, r);
    const Rect cr = ClientRect();
    for (Control* c : children_)
        if (c->visible_ && !c->Windowed() && c->bounds_.width > 0 && c->bounds_.height > 0)
            c->PaintTree(dc, originX + cr.left + c->bounds_.left, originY + cr.top + c->bounds_.top);
}

// ---- Panel

void Panel::SetCaption(const char* text) {
    if (caption_ == text) return;
    caption_.assign(text);
    Invalidate();
}

Rect Panel::ClientRect() const {
    if (!border_) return Control::ClientRect();
    return {1, 1, std::max(0, Width() - 2), std::max(0, Height() - 2)};
}

void Panel::PaintSelf(HDC dc, const Rect& r) {
    Control::PaintSelf(dc, r);
    if (border_) {
        RECT rc{r.left, r.top, r.right(), r.bottom()};
        FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    if (!caption_.empty()) DrawCaption(dc, font_, fontColor_, r, caption_, DT_CENTER | DT_VCENTER);
}

// ---- Label

Label::Label() { SetParentColor(true); }

void Label::SetCaption(const char* text) {
    if (caption_ == text) return;
    caption_.assign(text);
    AdjustSize();
    Invalidate();
}

void Label::SetFont(HFONT font) {
    font_ = font;
    AdjustSize();
    Invalidate();
}

void Label::AdjustSize() {
    if (!autoSize_) return;
    const SIZE s = MeasureText(font_, caption_.c_str(), static_cast<int>(caption_.size()));
    SetBounds(Left(), Top(), s.cx, s.cy);
}

void Label::PaintSelf(HDC dc, const Rect& r) {
    if (!transparent_) Control::PaintSelf(dc, r);
    DrawCaption(dc, font_, fontColor_, r, caption_, DT_LEFT | DT_TOP);
}

// ---- WidgetHost

WidgetHost::~WidgetHost() { SetWidget(nullptr); }

void WidgetHost::SetWidget(widgets::Widget* w) {
    if (widget_) widget_->SetHost(nullptr);
    widget_ = w;
    if (widget_) {
        widget_->SetHost(this);
        ApplyAutoSize();
    }
}

void WidgetHost::PaintSelf(HDC dc, const Rect& r) {
    // The parent is painted before its children, so a widget that is not Opaque() finds the
    // parent's pixels under r already; every repaint of a control repaints the tree under it.
    if (!widget_) return;
    const RECT rc{r.left, r.top, r.right(), r.bottom()};
    widget_->Paint(dc, rc);
}

void WidgetHost::WidgetResize(int width, int height) {
    // An aligned control keeps the size its alignment gives it.
    const Align a = GetAlign();
    if (a == Align::Top || a == Align::Bottom || a == Align::Client) width = Width();
    if (a == Align::Left || a == Align::Right || a == Align::Client) height = Height();
    SetBounds(Left(), Top(), width, height);
}

void WidgetHost::ApplyAutoSize() {
    SIZE s{0, 0};
    if (widget_ && widget_->AutoSizeExtent(s)) WidgetResize(s.cx, s.cy);
}

}  // namespace ui
