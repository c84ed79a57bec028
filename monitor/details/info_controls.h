#pragma once
// Windowless pieces of the General, CPU and Network tabs: a group frame that windowless
// figures can sit in, a block of text that wraps or aligns to the right, an icon picture, and
// the small pictures of the lists (drawn here, one character a pixel).
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>

#include "monitor/ui/control.h"
#include "monitor/ui/handles.h"
#include "monitor/ui/menu.h"

namespace details {

// An etched frame with a caption on its top edge, drawn by its host like every windowless
// control, so the gauges and figures inside it paint with the page.
class GroupFrame : public ui::Control {
public:
    GroupFrame() { SetParentColor(true); }
    // After every change of size (the children are aligned by then).
    std::function<void()> OnResize;
    void SetCaption(const char* text) {
        caption_ = text;
        Invalidate();
    }
    const std::string& Caption() const { return caption_; }
    void SetFont(HFONT f) {
        font_ = f;
        Invalidate();
    }
    // Inside the frame, below the caption.
    ui::Rect ClientRect() const override;
    void PaintSelf(HDC dc, const ui::Rect& r) override;

protected:
    void BoundsChanged() override {
        if (OnResize) OnResize();
    }

private:
    std::string caption_;
    HFONT font_ = nullptr;
};

// A panel that reports its changes of size (pnlTotalsResize and the like).
class ResizePanel : public ui::Panel {
public:
    ResizePanel() { SetParentColor(true); }
    std::function<void()> OnResize;

protected:
    void BoundsChanged() override {
        if (OnResize) OnResize();
    }
};

// The content of a tab sheet: fills the sheet and keeps a border free on every side.
class SheetBody : public ui::Control {
public:
    explicit SheetBody(int border = 15) : border_(border) {
        SetParentColor(true);
        SetAlign(ui::Align::Client);
    }
    void SetBorder(int border) {
        border_ = border;
        Realign();
    }
    ui::Rect ClientRect() const override {
        return {border_, border_, std::max(0, Width() - 2 * border_), std::max(0, Height() - 2 * border_)};
    }

private:
    int border_;
};

// Text over its parent's colour: several lines, wrapped at the width, aligned left, centred or
// right.
class TextBlock : public ui::Control {
public:
    TextBlock() { SetParentColor(true); }
    // No allocation once the storage is large enough.
    void SetText(const char* text);
    const std::string& Text() const { return text_; }
    // Storage for a text of `size` characters up front (a text that changes every tick).
    void Reserve(std::size_t size) { text_.reserve(size); }
    void SetFont(HFONT f) {
        font_ = f;
        Invalidate();
    }
    void SetFontColor(COLORREF c) {
        colour_ = c;
        Invalidate();
    }
    enum class Alignment { Left, Centre, Right };
    void SetAlignment(Alignment a) {
        align_ = a;
        Invalidate();
    }
    void SetWordWrap(bool v) {
        wrap_ = v;
        Invalidate();
    }
    void PaintSelf(HDC dc, const ui::Rect& r) override;

private:
    std::string text_;
    HFONT font_ = nullptr;
    COLORREF colour_ = RGB(0, 0, 0);
    Alignment align_ = Alignment::Left;
    bool wrap_ = true;
};

// An icon drawn at the control's size; empty draws nothing.
class IconImage : public ui::Control {
public:
    IconImage() { SetParentColor(true); }
    void SetIcon(ui::Icon icon) {
        icon_ = std::move(icon);
        Invalidate();
    }
    HICON Icon() const { return icon_.get(); }
    void PaintSelf(HDC dc, const ui::Rect& r) override;

private:
    ui::Icon icon_;
};

// The pictures of the lists, 16 x 16.
enum class Picture { Blank, RateMark, Present, Absent };
// Adds `p` to `list`; returns its index.
int AddPicture(ui::ImageList& list, Picture p);

}  // namespace details
