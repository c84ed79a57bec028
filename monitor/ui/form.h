// Forms: top-level windows that own their controls, and the application around them. What
// every window does (painting, mouse, notification reflection, timers) is in window_host.h;
// how a form is built and wired is told in the README's architecture section.
#pragma once
#include <windows.h>

#include <functional>

#include "monitor/ui/control.h"
#include "monitor/ui/handles.h"
#include "monitor/ui/window_host.h"

namespace ui {

class Button;
class WinControl;

struct FormStyle {
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    HWND owner = nullptr;
};

// The results of a modal form (ShowModal); a Button's ModalResult ends the loop with it.
enum ModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

// A form is the root control of a top-level window whose window class is named after the form
// class (for example "TfrmMain").
class Form : public WindowHost {
public:
    explicit Form(const char* className);
    ~Form() override;

    // Creates the window (hidden) with client size width x height, and the windows of every
    // control already placed in it.
    void CreateHandle(const FormStyle& style, int width, int height, const char* caption = "");
    Form* OwnerForm() override { return this; }
    // The form behind a top-level window, or nullptr.
    static Form* FromHandle(HWND wnd);

    // Visibility of the window itself.
    void SetVisible(bool v) override;
    // Outer window bounds in screen coordinates.
    void SetBounds(int left, int top, int width, int height) override;
    Rect WindowRect() const;
    void SetClientSize(int width, int height);
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    // The smallest outer size the user can size the window to (0: no limit).
    void SetMinSize(int width, int height) { minSize_ = {width, height}; }
    SIZE MinSize() const { return minSize_; }
    void SetCaption(const char* text) {
        if (Handle()) SetWindowTextA(Handle(), text);
    }

    void Close() {
        if (Handle()) PostMessageA(Handle(), WM_CLOSE, 0, 0);
    }
    // The control of this form that has the focus, or nullptr.
    WinControl* ActiveControl() const;
    // The enabled Button, shown within the form, answering Enter (Default) or Escape (Cancel),
    // or nullptr.
    Button* FindButton(bool cancel);

    // Shows the form and runs the message loop until ModalResult is set (a button with a
    // ModalResult, Escape, the close box), with every other visible window of the program
    // disabled meanwhile; then hides it and returns the result.
    int ShowModal();
    bool InModal() const { return inModal_; }
    int GetModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }

    // Keys the form takes before its focused control and the dialog keys (F5, Ctrl+T): called
    // by the message loop for WM_KEYDOWN and WM_SYSKEYDOWN; return true when handled.
    std::function<bool(const MSG& m)> OnShortCut;
    virtual bool ShortCut(const MSG& m) { return OnShortCut && OnShortCut(m); }
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp: switch the pages of the page
    // control around the focus, else of the form's first page control that shows. Called by
    // the message loop after ShortCut; true when a page was switched.
    bool PageKey(const MSG& m);
    // Tab on a page control's tabs goes into its shown page, and Shift+Tab from the page's
    // first control back to the tabs (the dialog keys alone would pass the page by, the
    // page being a child of the tabs). True when the focus was moved.
    bool PageTabKey(const MSG& m);

protected:
    // WM_CLOSE: return false to keep the window. The default destroys it; in a modal loop the
    // form is only hidden (ModalResult mrCancel).
    virtual bool CloseQuery() { return true; }
    virtual void Closed() {}
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Destroyed() override;

private:
    // The form's window took the focus (activation, a closed message box): it goes on to the
    // control that had it when the form was last left, else to the first tab stop.
    void FocusControl();
    HWND lastFocus_ = nullptr;
    SIZE minSize_{0, 0};
    bool inModal_ = false;
    int modalResult_ = mrNone;
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

// The application's hidden window (class "TApplication") and the message loop.
class Application {
public:
    // Loads the common controls; `icon` (not owned) is the icon of every form's window class.
    Application(HINSTANCE inst, const char* title, HICON icon = nullptr);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    HWND Handle() const { return wnd_; }
    HINSTANCE Instance() const { return inst_; }
    HICON Icon() const { return icon_; }
    // Runs the message loop until the main form's window is destroyed.
    int Run(Form& mainForm);
    // One message as the loop handles it: the form it is for takes its shortcuts first, then
    // the dialog keys (Tab, Shift+Tab, arrows, Alt+letter, Enter, Escape) move between its
    // controls; everything else is translated and dispatched.
    void ProcessMessage(MSG& m);
    static Application* Current() { return current_; }
    const Form* MainForm() const { return mainForm_; }
    // While the error box for a failed handler is open (no second box is stacked on it).
    bool ErrorBoxOpen() const { return errorBoxOpen_; }
    void SetErrorBoxOpen(bool v) { errorBoxOpen_ = v; }
    // Posted to the hidden window by a refused second copy once it has brought this copy
    // forward: the activation is handed on to the main form as soon as it has arrived.
    static constexpr UINT kBroughtForward = WM_APP + 0x101;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    bool PreTranslate(MSG& m);
    HINSTANCE inst_;
    HICON icon_;
    HWND wnd_ = nullptr;
    const Form* mainForm_ = nullptr;
    bool errorBoxOpen_ = false;
    int passTries_ = 0;
    static Application* current_;
};

}  // namespace ui
