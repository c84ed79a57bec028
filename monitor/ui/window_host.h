// WindowHost: a control that owns a real window and carries the controls inside it.
//
// A host runs the window procedure (every message inside Guarded, so an exception that escapes
// a handler ends in the standard error box), paints its windowless children double-buffered
// into one reused back buffer, hands mouse clicks, hover and cursors to them, and reflects the
// notifications of its child windows (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_HSCROLL,
// WM_VSCROLL, WM_DRAWITEM, WM_MEASUREITEM) to the WinControl that sent them.
//
// A Form is a top-level host. A host placed inside another control (a tab sheet) is a child
// window of its nearest host ancestor, created with WS_EX_CONTROLPARENT so Tab moves through
// it; hiding it hides its child windows and its windowless controls together.
#pragma once
#include <windows.h>

#include <vector>

#include "monitor/ui/control.h"
#include "monitor/ui/handles.h"

namespace ui {

class PopupMenu;
class Timer;
class WinControl;

// Shows the standard modal error box for an exception that escaped an event handler. While one
// box is open a further error is not stacked on top of it.
void ShowExceptionBox(const char* text);
// Runs `f`, reporting any exception in the standard error box. Returns false on error.
template <typename F>
bool Guarded(F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        ShowExceptionBox(e.what());
    } catch (...) {
        ShowExceptionBox("Unknown error");
    }
    return false;
}

class WindowHost : public Control {
public:
    // `className` names the window class (registered on first use); it must outlive the host.
    explicit WindowHost(const char* className);
    ~WindowHost() override;

    HWND Handle() const { return wnd_; }
    const char* ClassName() const { return className_; }
    WindowHost* AsHost() override { return this; }
    bool Windowed() const override { return true; }
    // The host behind a window created by any host, or nullptr.
    static WindowHost* FromHandle(HWND wnd);

    // Repaints a rectangle of the client area (no-op without a window).
    void InvalidateRect(const Rect& r);

    void SetPopupMenu(PopupMenu* menu) { popup_ = menu; }
    PopupMenu* GetPopupMenu() const { return popup_; }

    // Registered by Timer.
    void AddTimer(Timer* t);
    void RemoveTimer(Timer* t);
    // A timer id unique within this host.
    UINT_PTR NextTimerId() { return nextTimerId_++; }
    // A child-window id unique within the whole top-level window (never IDOK or IDCANCEL):
    // the dialog keys look a default button up by id among all descendants.
    int NextControlId();

    // The font of the child windows that set none: the system's message font.
    HFONT DefaultFont();

    // Called by a control leaving the tree: the host forgets it as hover or click target.
    void Forget(Control* c);

protected:
    // Creates the window with client size width x height at (x, y) in `parent` coordinates.
    void CreateWindowOf(DWORD style, DWORD exStyle, HWND parent, int x, int y, int width, int height,
                        const char* caption);
    // Hooks, all run inside the guarded window procedure.
    // A message the host handles itself; return true when it is done (result in `result`).
    virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Hit-test answer for a point (client coordinates) not taken by a solid control.
    virtual LRESULT HitTest(POINT client);
    // After the client area changed size (controls already realigned).
    virtual void Resized() {}
    // The window is gone (WM_DESTROY).
    virtual void Destroyed() {}
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(wnd_, msg, wp, lp); }
    // Creates the windows of every WinControl and child host below this host.
    void CreateChildWindows();

    // Where a child host's window lives: by default in its nearest host, at its HostRect.
    virtual HWND ParentWindow() const;
    virtual Rect WindowBounds() const { return HostRect(); }
    // A child host follows its place in the tree: window created under its parent window,
    // moved with its bounds, shown while it shows.
    void HostReady() override;
    void ShowingChanged() override;
    void BoundsChanged() override;
    void PlaceWindow() override;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void Paint();
    void SyncClientSize();
    void MouseDown(MouseButton b, LPARAM lp);
    void MouseUp(LPARAM lp);
    void MouseMove(LPARAM lp);
    void SetHot(Control* c);
    bool SetCursorFor(POINT client);
    bool IsChildHost() const { return Parent() != nullptr; }

    const char* className_;
    HWND wnd_ = nullptr;
    PopupMenu* popup_ = nullptr;
    std::vector<Timer*> timers_;
    UINT_PTR nextTimerId_ = 1;
    int nextControlId_ = 100;
    // The back buffer, reused by every paint and grown only when the window grows.
    MemoryDc bufferDc_;
    Bitmap buffer_;
    HGDIOBJ bufferOld_ = nullptr;
    SIZE bufferSize_{0, 0};
    Font defaultFont_;
    // The windowless control under the mouse, and the one pressed for a click.
    Control* hot_ = nullptr;
    Control* pressed_ = nullptr;
    Control* dragging_ = nullptr;
    bool tracking_ = false;
};

// A window-message timer of a host.
class Timer {
public:
    explicit Timer(WindowHost& owner, UINT interval = 1000);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }
    void SetInterval(UINT ms);
    UINT Interval() const { return interval_; }
    UINT_PTR Id() const { return id_; }
    std::function<void()> OnTimer;

    // Called by the host when its window appears or the timer message arrives.
    void Start();
    void Fire();

private:
    WindowHost& owner_;
    UINT interval_;
    UINT_PTR id_;
    bool enabled_ = false;
    bool running_ = false;
};

HINSTANCE ModuleInstance();

}  // namespace ui
