// The frame shared by the floating meter windows: a borderless, snapping, stay-on-top tool
// window dragged by its body and resized from its edges, with a right-click menu, the Windows
// border toggle and layered-window opacity. TfrmMeter (the four percentage windows) and
// TfrmInternet (the Network window) fill it.
#pragma once
#include <windows.h>

#include "monitor/meters/meter_rules.h"
#include "monitor/ui/blend.h"
#include "monitor/ui/control.h"
#include "monitor/ui/form.h"
#include "monitor/ui/hints.h"
#include "monitor/ui/menu.h"
#include "widgets/scope.h"

namespace meters {

// What the floating windows need of the main window.
class MeterHost {
public:
    // The Main Group bar a percentage window mirrors (0..100).
    virtual int Reading(settings::Meter meter) const = 0;
    // The whole-number download and upload rates on the Main Group's digits.
    virtual int DownRate() const = 0;
    virtual int UpRate() const = 0;
    // Only one processor is shown (the CPU 1 window then reads "CPU").
    virtual bool OneProcessor() const = 0;
    // Checks or unchecks a window's float item of the main menu (kNetworkWindow for Network).
    virtual void SetFloatChecked(int window, bool checked) = 0;
    virtual bool MainVisible() const = 0;
    virtual void ToggleMain() = 0;
    virtual void ShowOptions() = 0;
    virtual void ShowHelp() = 0;
    // The window the floating windows are owned by (the hidden application window).
    virtual HWND OwnerWindow() const = 0;

protected:
    ~MeterHost() = default;
};

constexpr int kNetworkWindow = settings::kMeterCount;

// A panel whose mouse hits fall through to the form, with a bevel outline.
class TMyBlotter : public ui::Control {
public:
    struct Bevel {
        COLORREF border = 0, inner = 0, innerHighlight = 0, innerShadow = 0;
        COLORREF outer = 0, outerHighlight = 0, outerShadow = 0;
    };
    TMyBlotter() { SetHitTransparent(true); }
    bool BevelVisible() const { return bevelVisible_; }
    void SetBevelVisible(bool v);
    const Bevel& BevelColors() const { return bevel_; }
    // All seven bevel colours at once.
    void SetBevelColors(COLORREF c);
    // Width of the outer outline: one pixel, or none.
    int OutlineWidth() const { return outline_; }
    // Takes the outline of a template frame: one pixel where it has a border, else none.
    void CopyOutline(const ui::Panel& templ);
    ui::Rect ClientRect() const override;
    void PaintSelf(HDC dc, const ui::Rect& r) override;

private:
    bool Outlined() const { return bevelVisible_ && outline_ > 0 && Width() >= 2 && Height() >= 2; }
    bool bevelVisible_ = false;
    int outline_ = 1;
    Bevel bevel_;
};

// A one-character marker drawn as a small arrow in its colour (the rate labels' up and down):
// a cell like a label's, with the arrow drawn `GlyphTop` pixels below the cell's top.
class TArrowMark : public ui::Control {
public:
    static constexpr int kGlyphWidth = 5, kGlyphHeight = 6;
    explicit TArrowMark(bool up);
    void SetMarkColor(COLORREF c);
    COLORREF MarkColor() const { return colour_; }
    int GlyphTop() const { return glyphTop_; }
    void SetGlyphTop(int top);
    void PaintSelf(HDC dc, const ui::Rect& r) override;

private:
    bool up_;
    int glyphTop_ = 0;
    COLORREF colour_ = RGB(255, 255, 255);
};

class TMeterFrame : public ui::TdfsStickyForm {
public:
    TMeterFrame(const char* className, MeterHost& host, int window);

    ui::TJbBlend Blend{*this};
    ui::PopupMenu PopupMenu1;
    ui::MenuItem mniAlwaysOnTop, mniGraph, mniHide, mniSnap, mniBorder, mniAlpha, mniOptions, mniHelp,
        mniClose;
    TMyBlotter leftBlotter, rightBlotter;
    ui::Hosted<widgets::TVrScope> Scope;
    // The tooltips: the window's hint, and those of the controls that have one.
    ui::Hints Hints{*this};

    void mniAlwaysOnTopClick(ui::MenuItem& sender);
    // "Show Bar Graph": the left blotter (gauges and labels) is shown as the item is checked.
    virtual void mniGraphClick(ui::MenuItem& sender);
    void mniSnapClick(ui::MenuItem& sender);
    void mniBorderClick(ui::MenuItem& sender);
    void mniAlphaClick(ui::MenuItem& sender);
    void mniHideClick(ui::MenuItem& sender);
    void mniOptionsClick(ui::MenuItem& sender);
    void mniHelpClick(ui::MenuItem& sender);
    void mniCloseClick(ui::MenuItem& sender);
    // The close handler: the main menu's float item is unchecked.
    void dfsStickyFormClose();
    // Left button on the gauge, a label or the scope: the window is dragged.
    void DragMouseDown(ui::Control& sender, ui::MouseButton button, int x, int y);
    // Hit-test answer (HTCAPTION, HTLEFT, ...) for a point in client coordinates.
    LRESULT WMNCHitTest(POINT client);
    // A stored Show: the window appears and its float item is checked.
    void ShowFromSettings();
    // The scope's timer asks for a channel's value.
    virtual void ScopeNeedData(widgets::TVrScope& sender, int channel, int& value) = 0;

    MeterHost& Host() const { return host_; }

protected:
    // Creates the hidden tool window with the given client size, owned by the host's window.
    void CreateFrame(int clientWidth, int clientHeight);
    // Gives a menu item its caption and handler.
    template <typename F>
    void Command(ui::MenuItem& item, const char* caption, void (F::*handler)(ui::MenuItem&)) {
        item.SetCaption(caption);
        F* self = static_cast<F*>(this);
        item.OnClick = [self, handler](ui::MenuItem& sender) { (self->*handler)(sender); };
    }
    // The frame's own menu items with their captions, handlers and design checks; each window
    // adds its own and puts them all in order.
    void FrameCommands(const char* closeCaption);
    // The left blotter (`leftWidth` wide), the right blotter with the outline of
    // `outlineTemplate` (the design outline when null), and the scope filling it with
    // `channels` lines, ticking once a second.
    void BuildContent(int leftWidth, int channels, const ui::Panel* outlineTemplate);
    // The left press that drags the window, for the gauges and labels.
    ui::MouseEvent Dragging();
    // Stored bounds, applied as read unless they lie beyond the screens.
    void SetStoredBounds(int left, int top, int width, int height);
    // Show and the bounds of a window's section, as the window is now.
    template <typename Section>
    void CurrentFrame(Section& s) const {
        s.show = Visible();
        const ui::Rect r = WindowRect();
        s.width = r.width;
        s.height = r.height;
        s.left = r.left;
        s.top = r.top;
    }
    // The layout of the content (FormResize).
    virtual void FormResize() = 0;
    // The window is being shown: the layout is made for its size.
    void FormShow() { FormResize(); }
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT HitTest(POINT client) override { return WMNCHitTest(client); }
    void Resized() override { FormResize(); }
    bool CloseQuery() override;
    void SnapWindowPos(WINDOWPOS& pos) override;

private:
    MeterHost& host_;
    int window_;
};

}  // namespace meters
