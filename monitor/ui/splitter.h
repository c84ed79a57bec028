// Windowless Splitter and Bevel.
//
// A Splitter sits between two aligned controls and resizes, by dragging, the one aligned the
// same way just before it in creation order (for Align::Left the control to its left, for
// Align::Bottom the one below it); the Client control beside takes the difference:
//
//     lvThreads.SetAlign(ui::Align::Right); lvThreads.SetWidth(85); lvThreads.SetParent(&pnl);
//     Splitter3.SetAlign(ui::Align::Right); Splitter3.SetParent(&pnl);
//     lvProcesses.SetAlign(ui::Align::Client); lvProcesses.SetParent(&pnl);
//
// A Bevel draws an etched or raised box, frame or line and nothing else.
#pragma once
#include "monitor/ui/control.h"

namespace ui {

class Splitter : public Control {
public:
    Splitter();
    // The least size either side keeps (30 by default).
    int MinSize() const { return minSize_; }
    void SetMinSize(int v) { minSize_ = v; }
    // The control the splitter sizes (nullptr while there is none).
    Control* Target() const;
    // After a drag changed the target's size.
    NotifyEvent OnMoved;

    HCURSOR Cursor() const override;

protected:
    bool DragStart(int x, int y) override;
    void DragMove(int x, int y) override;
    void DragEnd() override;

private:
    bool Horizontal() const;  // sizes widths (aligned left or right)
    Control* ClientSibling() const;
    int minSize_ = 30;
    Control* target_ = nullptr;
    int startPos_ = 0, startSize_ = 0, maxSize_ = 0;
    bool moved_ = false;
};

class Bevel : public Control {
public:
    enum class Shape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
    enum class Style { Lowered, Raised };
    Bevel();
    void SetShape(Shape s) {
        shape_ = s;
        Invalidate();
    }
    Shape GetShape() const { return shape_; }
    void SetStyle(Style s) {
        style_ = s;
        Invalidate();
    }
    Style GetStyle() const { return style_; }
    void PaintSelf(HDC dc, const Rect& r) override;

private:
    Shape shape_ = Shape::Box;
    Style style_ = Style::Lowered;
};

}  // namespace ui
