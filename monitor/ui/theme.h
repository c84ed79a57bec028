// Visual styles through uxtheme.dll, loaded on first use and kept for the program's life. Where
// no visual style is active (classic Windows, Wine without a theme) or the library is missing,
// a ThemeData stays empty and its owner draws the classic way.
#pragma once
#include <windows.h>

namespace ui {

// The theme data of one window class list (L"BUTTON") for a window, closed with the object.
class ThemeData {
public:
    ThemeData() = default;
    ~ThemeData() { Close(); }
    ThemeData(const ThemeData&) = delete;
    ThemeData& operator=(const ThemeData&) = delete;

    // Opens the data when the program is drawn with a visual style; false (and empty) otherwise.
    bool Open(HWND wnd, const wchar_t* classList);
    void Close();
    explicit operator bool() const { return theme_ != nullptr; }
    // Draws a part in a state into r (false when there is no theme or it failed).
    bool DrawBackground(HDC dc, int part, int state, const RECT& r) const;
    // A colour property of a part, or `fallback`.
    COLORREF Colour(int part, int state, int property, COLORREF fallback) const;

private:
    HANDLE theme_ = nullptr;
};

// The frame of a group box: a line round `frame`, themed (BUTTON, BP_GROUPBOX) when `theme` is
// open and the classic etched edge otherwise. The caption is drawn over it by the caller.
void DrawGroupFrame(HDC dc, const ThemeData& theme, const RECT& frame, bool enabled);
// The colour of a group box's caption: the style's, else the system's; grey when disabled.
COLORREF GroupTextColour(const ThemeData& theme, bool enabled);

}  // namespace ui
