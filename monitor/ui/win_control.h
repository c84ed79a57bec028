// WinControl: a control that owns one real child window (a button, a list view, a track bar).
//
// The window is created as soon as the control sits in a tree whose host has a window (or when
// that host creates its window), as a child of the nearest WindowHost. It is moved on every
// bounds change of the control or of a parent, shown while the control is visible up to its
// host, and carries font, enabled state, tab stop and text. The window is subclassed: its own
// messages reach WindowMessage, and the notifications it sends to its parent come back to
// Notified (reflection), where each family decodes them into typed events.
//
// Events are std::function members; wire them to member handlers with ui::Bind:
//     btnOK.OnClick = ui::Bind(this, &TfrmOptions::btnOKClick);
#pragma once
#include <windows.h>

#include <string>
#include <utility>

#include "monitor/ui/control.h"
#include "monitor/ui/handles.h"

namespace ui {

// A member handler as an event: Bind(this, &TfrmTask::lvProcessesSelectItem).
template <typename T, typename R, typename... A>
std::function<R(A...)> Bind(T* object, R (T::*method)(A...)) {
    return [object, method](A... args) -> R { return (object->*method)(std::forward<A>(args)...); };
}

// The first window below `parent`, in tab order, that the Tab key stops at (shown within
// `parent`, enabled, WS_TABSTOP), looking into child hosts (WS_EX_CONTROLPARENT); nullptr when
// there is none.
HWND FirstTabStop(HWND parent);

class WinControl : public Control {
public:
    ~WinControl() override;

    // The window (nullptr until the host has one).
    HWND Handle() const { return wnd_; }
    bool Windowed() const override { return true; }
    // The control behind a window, or nullptr.
    static WinControl* FromHandle(HWND wnd);
    // The child-window id (unique within the host; IsDialogMessage and WM_MEASUREITEM use it).
    int Id() const { return id_; }

    // The window text (a button's caption, an edit's content).
    void SetText(const char* text);
    std::string Text() const;
    // nullptr: the host's default font (the system's message font).
    void SetFont(HFONT font);
    HFONT GetFont() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v);
    void SetFocus();
    bool Focused() const { return wnd_ && GetFocus() == wnd_; }
    // The control got the focus, and lost it.
    NotifyEvent OnEnter;
    NotifyEvent OnExit;

    // A notification this control sent to its host (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*,
    // WM_HSCROLL, WM_VSCROLL, WM_DRAWITEM, WM_MEASUREITEM): return true when answered.
    virtual bool Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

protected:
    // `windowClass` is a system or common-control class; `style` its own style bits (WS_CHILD,
    // WS_VISIBLE, WS_TABSTOP and WS_DISABLED come from the control).
    WinControl(const char* windowClass, DWORD style, DWORD exStyle = 0);

    // A message of the control's own window: return true when handled (result in `result`).
    virtual bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // The window was created: bring the control's state into it.
    virtual void HandleCreated() {}
    // After SetEnabled (for controls with a second window to follow).
    virtual void EnabledChanged() {}
    // Style bits before and after the window exists.
    DWORD Style() const { return style_; }
    void SetStyleBit(DWORD bits, bool on);
    // Whether the window starts a group of the dialog keys (WS_GROUP); radio buttons override.
    virtual bool StartsGroup() const { return true; }
    // The text as stored while there is no window.
    const std::string& StoredText() const { return text_; }
    // The default message handling of the window (its class's procedure).
    LRESULT CallDefault(UINT msg, WPARAM wp, LPARAM lp);

    void HostReady() override;
    void ShowingChanged() override;
    void PlaceWindow() override;
    void SysColorChanged() override { brush_.reset(); }

private:
    static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self);
    void CreateWindowNow(HWND parent);
    void DestroyWindowNow();

    const char* class_;
    DWORD style_, exStyle_;
    HWND wnd_ = nullptr;
    int id_ = 0;
    std::string text_;
    HFONT font_ = nullptr;
    bool enabled_ = true;
    bool tabStop_ = true;
    // The background brush of a control whose colour is not the button face.
    Brush brush_;
};

}  // namespace ui
