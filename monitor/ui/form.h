// Forms: top-level windows that own windowless controls and paint them double-buffered.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <vector>

#include "monitor/ui/control.h"
#include "monitor/ui/handles.h"

namespace ui {

class PopupMenu;
class Timer;

// Shows the standard modal error box for an exception that escaped an event handler. While one
// box is open a further error is not stacked on top of it.
void ShowExceptionBox(const char* text);
// Runs `f`, reporting any std::exception in the standard error box. Returns false on error.
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

struct FormStyle {
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    HWND owner = nullptr;
};

// A form is the root control of a top-level window whose window class is named after the form
// class (for example "TfrmMain").
class Form : public Control {
public:
    explicit Form(const char* className);
    ~Form() override;

    // Creates the window (hidden) with client size width x height.
    void CreateHandle(const FormStyle& style, int width, int height, const char* caption = "");
    HWND Handle() const { return wnd_; }
    const char* ClassName() const { return className_; }
    Form* OwnerForm() override { return this; }

    // Visibility of the window itself.
    void SetVisible(bool v) override;
    // Outer window bounds in screen coordinates.
    void SetBounds(int left, int top, int width, int height) override;
    Rect WindowRect() const;
    void SetClientSize(int width, int height);
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }

    void SetPopupMenu(PopupMenu* menu) { popup_ = menu; }
    PopupMenu* GetPopupMenu() const { return popup_; }
    void Close() { if (wnd_) PostMessageA(wnd_, WM_CLOSE, 0, 0); }

    // The mouse capture target (a control under the cursor that is not hit transparent).
    void InvalidateRect(const Rect& r);

    // Registered by Timer.
    void AddTimer(Timer* t);
    void RemoveTimer(Timer* t);

protected:
    // Hooks, all run inside the guarded window procedure.
    // A message the form handles itself; return true when it is done (result in `result`).
    virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Hit-test answer for a point (client coordinates) not taken by a solid control.
    virtual LRESULT HitTest(POINT client);
    // After the client area changed size (controls already realigned).
    virtual void Resized() {}
    // WM_CLOSE: return false to keep the window. The default destroys it.
    virtual bool CloseQuery() { return true; }
    virtual void Closed() {}
    void PaintSelf(HDC dc, const Rect& r) override;

    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(wnd_, msg, wp, lp); }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void Paint();
    void SyncClientSize();
    void MouseDown(MouseButton b, LPARAM lp);

    const char* className_;
    HWND wnd_ = nullptr;
    PopupMenu* popup_ = nullptr;
    std::vector<Timer*> timers_;
    // The back buffer, reused by every paint and grown only when the window grows.
    MemoryDc bufferDc_;
    Bitmap buffer_;
    HGDIOBJ bufferOld_ = nullptr;
    SIZE bufferSize_{0, 0};
    Control* captured_ = nullptr;
};

// A form that can snap to the screen while it is moved or sized. The snapping rule itself is a
// hook (SnapWindowPos) filled by the concrete form.
class TdfsStickyForm : public Form {
public:
    enum StickToKind { soScreen = 0, soNothing = 3 };
    using Form::Form;

    StickToKind StickTo = soScreen;
    int Threshold = 10;
    // The work area, read when the window is created and on every WM_WININICHANGE.
    const RECT& WorkArea() const { return workArea_; }

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Before every move or size while StickTo is not soNothing: adjust pos.x/y/cx/cy.
    virtual void SnapWindowPos(WINDOWPOS& /*pos*/) {}
    // WM_MOVING / WM_SIZING (the dragged rectangle); `edge` is WM_SIZING's wParam, 0 for moving.
    virtual void StickyMoving(RECT& /*r*/, WPARAM /*edge*/) {}

private:
    void ReadWorkArea();
    RECT workArea_{0, 0, 0, 0};
};

// A window-message timer of a form.
class Timer {
public:
    explicit Timer(Form& owner, UINT interval = 1000);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }
    void SetInterval(UINT ms);
    UINT Interval() const { return interval_; }
    UINT_PTR Id() const { return id_; }
    std::function<void()> OnTimer;

    // Called by the form when its window appears or the timer message arrives.
    void Start();
    void Fire();

private:
    Form& owner_;
    UINT interval_;
    UINT_PTR id_;
    bool enabled_ = false;
    bool running_ = false;
};

// The application's hidden window (class "TApplication") and the message loop.
class Application {
public:
    Application(HINSTANCE inst, const char* title);
    ~Application();
    HWND Handle() const { return wnd_; }
    HINSTANCE Instance() const { return inst_; }
    // Runs the message loop until the main form's window is destroyed.
    int Run(Form& mainForm);
    static Application* Current() { return current_; }
    const Form* MainForm() const { return mainForm_; }
    // Posted to the hidden window by a refused second copy once it has brought this copy
    // forward: the activation is handed on to the main form as soon as it has arrived.
    static constexpr UINT kBroughtForward = WM_APP + 0x101;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    HINSTANCE inst_;
    HWND wnd_ = nullptr;
    const Form* mainForm_ = nullptr;
    static Application* current_;
};

HINSTANCE ModuleInstance();

}  // namespace ui
