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
    // WidgetResize passes the size the widget wants (an auto-sized LCD, say); a host aligned
    // to the top, bottom or whole client area of its parent keeps its width, one aligned to the
    // left, right or whole client area keeps its height.
    struct Host {
        virtual void WidgetInvalidate() = 0;
        virtual void WidgetResize(int width, int height) = 0;

    protected:
        ~Host() = default;
    };

    virtual ~Widget() = default;
    // Paints the whole widget into bounds (client coordinates of dc). A widget that is not
    // Opaque() takes what dc already holds under bounds (the parent's pixels) as background.
    virtual void Paint(HDC dc, const RECT& bounds) = 0;
    // The size the widget wants when it sizes itself; false when it does not.
    virtual bool AutoSizeExtent(SIZE& /*size*/) const { return false; }
    // False while the widget shows its parent through (the host paints the parent first).
    virtual bool Opaque() const { return true; }
    // The host passes WM_SYSCOLORCHANGE on.
    virtual void SysColorChange() {}

    void SetHost(Host* host) { host_ = host; }

protected:
    void Invalidate() {
        if (host_) host_->WidgetInvalidate();
    }
    void RequestSize(int width, int height) {
        if (host_) host_->WidgetResize(width, height);
    }
    // Stores a property and asks for a repaint when the value changed.
    template <typename T>
    void Set(T& field, T v) {
        if (field == v) return;
        field = v;
        Invalidate();
    }

private:
    Host* host_ = nullptr;
};

}  // namespace widgets
