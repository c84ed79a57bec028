// Visual styles, loaded on demand from uxtheme.dll so that the program also runs where
// the library does not exist.
#pragma once
#include <windows.h>

namespace kq {

class CakTheme {
public:
    // The one instance.
    static CakTheme& Get();

    // True on Windows NT 5.1 or later with a theme active.
    bool Active();

    // Each call does nothing (and returns failure) when the library is missing.
    HANDLE Open(HWND wnd, LPCWSTR classes);
    void Close(HANDLE theme);
    HRESULT DrawBackground(HANDLE theme, HDC dc, int part, int state, const RECT* rc);
    HRESULT DrawParentBackground(HWND wnd, HDC dc, RECT* rc);
    HRESULT DrawText(HANDLE theme, HDC dc, int part, int state, LPCWSTR text, DWORD flags, const RECT* rc);

private:
    CakTheme();
    ~CakTheme();
    CakTheme(const CakTheme&) = delete;
    CakTheme& operator=(const CakTheme&) = delete;

    HMODULE m_hLib = nullptr;
    bool m_bSystemHasStyles = false;
    BOOL(WINAPI* m_pIsThemeActive)() = nullptr;
    HANDLE(WINAPI* m_pOpen)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* m_pClose)(HANDLE) = nullptr;
    HRESULT(WINAPI* m_pDrawBackground)(HANDLE, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* m_pDrawParentBackground)(HWND, HDC, RECT*) = nullptr;
    HRESULT(WINAPI* m_pDrawText)(HANDLE, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
};

}  // namespace kq
