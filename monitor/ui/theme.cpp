#include "monitor/ui/theme.h"

namespace ui {

namespace {

constexpr int kGroupBoxPart = 4;   // BP_GROUPBOX
constexpr int kGroupNormal = 1;    // GBS_NORMAL
constexpr int kGroupDisabled = 2;  // GBS_DISABLED
constexpr int kTextColour = 3803;  // TMT_TEXTCOLOR

// The library and the buttons' theme data, shared by every frame; the data is closed before
// the library goes.
class Uxtheme {
public:
    Uxtheme() : module_(LoadLibraryA("uxtheme.dll")) {
        if (!module_) return;
        Bind(open_, "OpenThemeData");
        Bind(close_, "CloseThemeData");
        Bind(draw_, "DrawThemeBackground");
        Bind(colour_, "GetThemeColor");
        Bind(active_, "IsThemeActive");
        Bind(appThemed_, "IsAppThemed");
    }
    ~Uxtheme() {
        Reset();
        if (module_) FreeLibrary(module_);
    }
    Uxtheme(const Uxtheme&) = delete;
    Uxtheme& operator=(const Uxtheme&) = delete;

    // The buttons' data, opened with the first window that asks; nullptr without a style.
    HANDLE Buttons(HWND wnd) {
        if (!opened_ && wnd) {
            opened_ = true;
            if (open_ && close_ && draw_ && active_ && appThemed_ && active_() && appThemed_())
                buttons_ = open_(wnd, L"BUTTON");
        }
        return buttons_;
    }
    void Reset() {
        if (buttons_) close_(buttons_);
        buttons_ = nullptr;
        opened_ = false;
    }
    bool Draw(HANDLE theme, HDC dc, int part, int state, const RECT& r) const {
        return SUCCEEDED(draw_(theme, dc, part, state, &r, nullptr));
    }
    bool Colour(HANDLE theme, int part, int state, int property, COLORREF& c) const {
        return colour_ && SUCCEEDED(colour_(theme, part, state, property, &c));
    }

private:
    template <typename F>
    void Bind(F& f, const char* name) {
        f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
    HMODULE module_;
    HANDLE(WINAPI* open_)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* close_)(HANDLE) = nullptr;
    HRESULT(WINAPI* draw_)(HANDLE, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* colour_)(HANDLE, int, int, int, COLORREF*) = nullptr;
    BOOL(WINAPI* active_)() = nullptr;
    BOOL(WINAPI* appThemed_)() = nullptr;
    HANDLE buttons_ = nullptr;
    bool opened_ = false;
};

Uxtheme& Library() {
    static Uxtheme lib;
    return lib;
}

}  // namespace

void ThemeChanged() { Library().Reset(); }

void DrawClassicGroupFrame(HDC dc, const RECT& frame) {
    RECT r = frame;
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}

void DrawGroupFrame(HDC dc, HWND wnd, const RECT& frame, bool enabled) {
    Uxtheme& ux = Library();
    if (HANDLE t = ux.Buttons(wnd))
        if (ux.Draw(t, dc, kGroupBoxPart, enabled ? kGroupNormal : kGroupDisabled, frame)) return;
    DrawClassicGroupFrame(dc, frame);
}

COLORREF GroupTextColour(HWND wnd, bool enabled) {
    Uxtheme& ux = Library();
    HANDLE t = ux.Buttons(wnd);
    COLORREF normal = GetSysColor(COLOR_BTNTEXT);
    if (t) ux.Colour(t, kGroupBoxPart, kGroupNormal, kTextColour, normal);
    if (enabled) return normal;
    // A style that gives the disabled caption no colour of its own still greys it.
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    COLORREF disabled = grey;
    if (t && ux.Colour(t, kGroupBoxPart, kGroupDisabled, kTextColour, disabled) && disabled != normal)
        return disabled;
    return grey;
}

}  // namespace ui
