// Controls of a form: the tree every window is built from, and the windowless panels, labels
// and hosts for display widgets.
//
// A control lives inside a parent control (ultimately a Form), has bounds relative to its
// parent's client area, an alignment, a visibility and a colour. A windowless control is
// painted by its nearest WindowHost (the form, or a tab sheet) into the host's back buffer;
// a WinControl (win_control.h) owns a real child window of that host instead. Mouse hits on a
// control that is "hit transparent" fall through to the form (as a child window answering
// WM_NCHITTEST with HTTRANSPARENT would).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "monitor/ui/handles.h"
#include "monitor/ui/layout.h"
#include "widgets/widget.h"

namespace ui {

class Form;
class WindowHost;

enum class MouseButton { Left, Right, Middle };
using MouseEvent = std::function<void(class Control& sender, MouseButton button, int x, int y)>;
// The plain event of a control (a click, the mouse entering or leaving it).
using NotifyEvent = std::function<void(class Control& sender)>;

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    // Puts the control into `parent` (last in creation order); nullptr takes it out.
    void SetParent(Control* parent);
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }
    virtual Form* OwnerForm();
    // The host carrying this control (its nearest WindowHost ancestor), or nullptr.
    WindowHost* HostOf() const;
    // This control as a host (WindowHost overrides), and whether it owns a window of its own
    // (then its host neither paints it nor hands it mouse events).
    virtual WindowHost* AsHost() { return nullptr; }
    virtual bool Windowed() const { return false; }

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    const Rect& Bounds() const { return bounds_; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    // The client rectangle for children (0, 0, Width, Height by default).
    virtual Rect ClientRect() const { return {0, 0, Width(), Height()}; }

    Align GetAlign() const { return align_; }
    void SetAlign(Align a);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and through all its parents up to the form.
    bool Showing() const;
    // Visible itself and through its parents up to (not including) its host.
    bool VisibleInHost() const;

    COLORREF Color() const;
    void SetColor(COLORREF c);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);

    bool HitTransparent() const { return hitTransparent_; }
    void SetHitTransparent(bool v) { hitTransparent_ = v; }

    MouseEvent OnMouseDown;
    // A left click: pressed and let go over the control.
    NotifyEvent OnClick;
    // The mouse came over the control, and left it again.
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    // The mouse cursor over the control (nullptr: the parent's, or the window class's).
    virtual HCURSOR Cursor() const { return cursor_; }
    void SetCursor(HCURSOR c) { cursor_ = c; }

    // Bounds in the client coordinates of the host window.
    Rect HostRect() const;
    // Repaints the control's area of its form (nothing when the form has no window yet).
    void Invalidate();
    // Lays out the children again (alignment).
    void Realign();
    // The deepest visible control under (x, y) (client coordinates of this control), or this.
    Control* ControlAt(int x, int y);

    // The system colours changed: tells the control and all its children.
    void SysColorChange();

    // Paints the control itself (not its children) into dc at `r` (form coordinates).
    virtual void PaintSelf(HDC dc, const Rect& r);
    // Paints the control and its visible children, clipped to the control.
    void PaintTree(HDC dc, int originX, int originY);

protected:
    virtual void BoundsChanged() {}
    virtual void SysColorChanged() {}
    // The host's window exists, or the control moved to another host (or out of every tree).
    virtual void HostReady() {}
    // Showing (VisibleInHost) may have changed: runs down the tree on every visibility change.
    virtual void ShowingChanged() {}
    // The position in the host window changed (a parent moved).
    virtual void PlaceWindow() {}
    // A left press on the control (host client coordinates): return true to follow the mouse
    // (DragMove with every move, DragEnd at the release or when the capture is lost).
    virtual bool DragStart(int /*x*/, int /*y*/) { return false; }
    virtual void DragMove(int /*x*/, int /*y*/) {}
    virtual void DragEnd() {}
    // HostReady for this control and every control below it (a host goes on by itself).
    void AttachTree();

private:
    friend class WindowHost;
    void NotifyShowing();
    void PlaceWindows();

    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    Rect bounds_;
    Align align_ = Align::None;
    bool visible_ = true;
    bool parentColor_ = false;
    bool hitTransparent_ = false;
    COLORREF color_ = RGB(0xF0, 0xF0, 0xF0);
    bool aligning_ = false;
    HCURSOR cursor_ = nullptr;
};

// A panel: fills its area with its colour, optionally draws a flat one-pixel border and a
// centred caption.
class Panel : public Control {
public:
    const std::string& Caption() const { return caption_; }
    // Reuses the string's storage: no allocation once it is large enough.
    void SetCaption(const char* text);
    void SetFont(HFONT font) {
        font_ = font;
        Invalidate();
    }
    HFONT GetFont() const { return font_; }
    void SetFontColor(COLORREF c) {
        fontColor_ = c;
        Invalidate();
    }
    void SetBorder(bool single) {
        border_ = single;
        Invalidate();
    }
    bool Border() const { return border_; }
    Rect ClientRect() const override;
    void PaintSelf(HDC dc, const Rect& r) override;

private:
    std::string caption_;
    HFONT font_ = nullptr;
    COLORREF fontColor_ = RGB(0, 0, 0);
    bool border_ = false;
};

// A label: text in a font colour, transparent over its parent, sized to its text.
class Label : public Control {
public:
    Label();
    const std::string& Caption() const { return caption_; }
    void SetCaption(const char* text);
    void SetFont(HFONT font);
    HFONT GetFont() const { return font_; }
    void SetFontColor(COLORREF c) {
        fontColor_ = c;
        Invalidate();
    }
    void SetAutoSize(bool v) {
        autoSize_ = v;
        AdjustSize();
    }
    void SetTransparent(bool v) {
        transparent_ = v;
        Invalidate();
    }
    void PaintSelf(HDC dc, const Rect& r) override;

private:
    void AdjustSize();
    std::string caption_;
    HFONT font_ = nullptr;
    COLORREF fontColor_ = RGB(0, 0, 0);
    bool autoSize_ = true;
    bool transparent_ = true;
};

// Hosts a windowless display widget: gives it the control's rectangle and paints it.
class WidgetHost : public Control, public widgets::Widget::Host {
public:
    WidgetHost() = default;
    ~WidgetHost() override;
    void SetWidget(widgets::Widget* w);
    void PaintSelf(HDC dc, const Rect& r) override;
    void WidgetInvalidate() override { Invalidate(); }
    void WidgetResize(int width, int height) override;
    // Takes the widget's own size when it sizes itself.
    void ApplyAutoSize();

protected:
    void SysColorChanged() override {
        if (widget_) widget_->SysColorChange();
    }

private:
    widgets::Widget* widget_ = nullptr;
};

template <typename W, typename = void>
struct HasDefaultSize : std::false_type {};
template <typename W>
struct HasDefaultSize<W, std::void_t<decltype(W::kDefaultWidth), decltype(W::kDefaultHeight)>>
    : std::true_type {};

// A control owning a widget of type W: `lcd->SetValue(3)` reaches the widget, `lcd.SetLeft(4)`
// the control.
template <typename W>
class Hosted : public WidgetHost {
public:
    template <typename... A>
    explicit Hosted(A&&... args) : w_(std::forward<A>(args)...) {
        // A new control starts at the widget's own default size, when it has one.
        if constexpr (HasDefaultSize<W>::value) SetBounds(0, 0, W::kDefaultWidth, W::kDefaultHeight);
        SetWidget(&w_);
    }
    ~Hosted() override { SetWidget(nullptr); }
    W* operator->() { return &w_; }
    const W* operator->() const { return &w_; }
    W& widget() { return w_; }
    const W& widget() const { return w_; }

private:
    W w_;
};

// Text extent of `text` in `font` (a shared measuring DC; no allocation).
SIZE MeasureText(HFONT font, const char* text, int length = -1);

}  // namespace ui
