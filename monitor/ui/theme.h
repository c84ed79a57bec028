// Visual styles through uxtheme.dll, loaded on first use and kept for the program's life. Where
// no visual style is active (classic Windows, a theme switched off) or the library is missing,
// frames are drawn the classic way.
#pragma once
#include <windows.h>

namespace ui {

// The frame of a group box round `frame` in a window `wnd`: the visual style's (BUTTON,
// BP_GROUPBOX) where one is active, the classic etched edge otherwise. The caption is drawn
// over it by the caller, in GroupTextColour. Windowless frames call it too, so every group of
// the program looks alike.
void DrawGroupFrame(HDC dc, HWND wnd, const RECT& frame, bool enabled);
// The classic frame alone: an etched edge.
void DrawClassicGroupFrame(HDC dc, const RECT& frame);
// The colour of a group box's caption: the style's, else the system's; grey when disabled.
COLORREF GroupTextColour(HWND wnd, bool enabled);
// The visual style changed (WM_THEMECHANGED, which every host passes on): its data is opened
// again at the next paint.
void ThemeChanged();

}  // namespace ui
