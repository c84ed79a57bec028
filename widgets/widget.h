// The contract between a display widget and the window that hosts it.
//
// A widget has no window of its own. Its host (a control of the form layer) gives it a
// rectangle to paint into and positions it; the widget tells the host when a property change
// needs a repaint or a new size.
#pragma once
#include <windows.h>

namespace widgets {

class Widget {
public:
    // Told by a widget when it must be repainted (Invalidate) or resized (Resize).
    struct Host {
        virtual void WidgetInvalidate() = 0;
        virtual void WidgetResize(int width, int height) = 0;
    protected:
        ~Host() = default;
    };

    virtual ~Widget() = default;
    // Paints the whole widget into bounds (client coordinates of dc).
    virtual void Paint(HDC dc, const RECT& bounds) = 0;
    // The size the widget wants when it sizes itself; false when it does not.
    virtual bool AutoSizeExtent(SIZE& /*size*/) const { return false; }

    void SetHost(Host* host) { host_ = host; }

protected:
    void Invalidate() { if (host_) host_->WidgetInvalidate(); }
    void RequestSize(int width, int height) { if (host_) host_->WidgetResize(width, height); }

private:
    Host* host_ = nullptr;
};

}  // namespace widgets
