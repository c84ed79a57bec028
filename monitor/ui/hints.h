// Hints: the tooltips of a form's windowless controls. The control under the mouse shows its
// own hint, or that of its nearest parent with one, up to the form's own hint.
//
// The form relays its mouse messages (Relay), client and non-client alike, so the hints also
// show over windows whose body answers the hit test as a caption (dragged by their body).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "monitor/ui/control.h"

namespace ui {

class WindowHost;

class Hints {
public:
    explicit Hints(WindowHost& host) : host_(host) {}
    ~Hints();
    Hints(const Hints&) = delete;
    Hints& operator=(const Hints&) = delete;

    // The hint of a control of the host, or of the host itself; an empty text removes it.
    void SetHint(Control& c, const char* text);
    const char* HintOf(const Control& c) const;
    // Mouse messages of the host's window (WM_MOUSEMOVE, WM_NCMOUSEMOVE and the button
    // presses); anything else is ignored.
    void Relay(UINT msg, WPARAM wp, LPARAM lp);
    // The tooltip window (created with the first hint once the host has a window), or nullptr.
    HWND Handle() const { return tip_; }

private:
    struct Tip {
        Control* control;
        std::string text;
        RECT rect;  // where the tool lies in the host's client area (empty while hidden)
    };
    // The tooltip window with every tool, once the host has a window and there is a hint.
    void Create();
    void AddTools();
    void AddTool(UINT id, Tip& t);
    // Brings every tool's rectangle up to date with its control.
    void Place();
    // The tools in the order the tooltip looks them up: inner controls before their parents.
    void Order();

    WindowHost& host_;
    HWND tip_ = nullptr;
    std::vector<Tip> tips_;
};

}  // namespace ui
