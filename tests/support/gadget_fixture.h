// The real gadget as the program creates it, its timer stopped, then loaded from INI text held
// in memory, so nothing touches a settings file. Header only: the tests that use it link sw_app.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "monitor/app/frmMain.h"
#include "monitor/settings/profile_store.h"

namespace testgadget {

// Creates `frm`, then loads it from `ini` through `store`, which must outlive the form.
inline void Load(app::TfrmMain& frm, settings::MemoryProfileStore& store, const std::string& ini) {
    frm.dfsStickyFormCreate();
    frm.Timer.SetEnabled(false);
    store.Parse(ini);
    frm.SettingsFile = std::make_unique<settings::SettingsFile>(store);
    frm.SettingsStore.reset();
    frm.LoadSettings();
}

// A gadget loaded from `ini`, with the window questions several tests ask.
class Gadget {
public:
    explicit Gadget(const std::string& ini = "") { Load(frm, store, ini); }
    HWND Wnd() const { return frm.Handle(); }
    RECT Bounds() const {
        RECT r{};
        GetWindowRect(frm.Handle(), &r);
        return r;
    }
    LRESULT HitAt(int clientX, int clientY) const {
        POINT p{clientX, clientY};
        ClientToScreen(frm.Handle(), &p);
        return SendMessageA(frm.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    }
    void MoveTo(int x, int y) const {
        SetWindowPos(frm.Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    settings::MemoryProfileStore store;  // outlives the form, which reads and writes it
    app::TfrmMain frm;
};

}  // namespace testgadget
