#include "monitor/ui/theme.h"

namespace ui {

namespace {

constexpr int kGroupBoxPart = 4;    // BP_GROUPBOX
constexpr int kGroupNormal = 1;     // GBS_NORMAL
constexpr int kGroupDisabled = 2;   // GBS_DISABLED
constexpr int kTextColour = 3803;   // TMT_TEXTCOLOR

class Uxtheme {
public:
    using OpenFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using CloseFn = HRESULT(WINAPI*)(HANDLE);
    using DrawFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    using ColourFn = HRESULT(WINAPI*)(HANDLE, int, int, int, COLORREF*);
    using BoolFn = BOOL(WINAPI*)();

    Uxtheme() : module_(LoadLibraryA("uxtheme.dll")) {
        if (!module_) return;
        Bind(open, "OpenThemeData");
        Bind(close, "CloseThemeData");
        Bind(draw, "DrawThemeBackground");
        Bind(colour, "GetThemeColor");
        Bind(active, "IsThemeActive");
        Bind(appThemed, "IsAppThemed");
    }
    ~Uxtheme() {
        if (module_) FreeLibrary(module_);
    }
    Uxtheme(const Uxtheme&) = delete;
    Uxtheme& operator=(const Uxtheme&) = delete;

    bool Usable() const { return open && close && draw && active && appThemed; }

    OpenFn open = nullptr;
    CloseFn close = nullptr;
    DrawFn draw = nullptr;
    ColourFn colour = nullptr;
    BoolFn active = nullptr;
    BoolFn appThemed = nullptr;

private:
    template <typename F>
    void Bind(F& f, const char* name) {
        f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
    HMODULE module_;
};

const Uxtheme& Library() {
    static const Uxtheme lib;
    return lib;
}

}  // namespace

bool ThemeData::Open(HWND wnd, const wchar_t* classList) {
    Close();
    const Uxtheme& ux = Library();
    if (!ux.Usable() || !ux.active() || !ux.appThemed()) return false;
    theme_ = ux.open(wnd, classList);
    return theme_ != nullptr;
}

void ThemeData::Close() {
    if (theme_) Library().close(theme_);
    theme_ = nullptr;
}

bool ThemeData::DrawBackground(HDC dc, int part, int state, const RECT& r) const {
    return theme_ && SUCCEEDED(Library().draw(theme_, dc, part, state, &r, nullptr));
}

COLORREF ThemeData::Colour(int part, int state, int property, COLORREF fallback) const {
    COLORREF c = fallback;
    if (theme_ && Library().colour && SUCCEEDED(Library().colour(theme_, part, state, property, &c))) return c;
    return fallback;
}

void DrawGroupFrame(HDC dc, const ThemeData& theme, const RECT& frame, bool enabled) {
    if (theme.DrawBackground(dc, kGroupBoxPart, enabled ? kGroupNormal : kGroupDisabled, frame)) return;
    RECT r = frame;
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}

COLORREF GroupTextColour(const ThemeData& theme, bool enabled) {
    const COLORREF normal = theme.Colour(kGroupBoxPart, kGroupNormal, kTextColour, GetSysColor(COLOR_BTNTEXT));
    if (enabled) return normal;
    // A style that gives the disabled caption no colour of its own still greys it.
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    const COLORREF disabled = theme.Colour(kGroupBoxPart, kGroupDisabled, kTextColour, grey);
    return disabled == normal ? grey : disabled;
}

}  // namespace ui
