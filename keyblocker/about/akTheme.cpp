#include "keyblocker/about/akTheme.h"

#include "keyblocker/about/widget_layout.h"

namespace kq {

namespace {
template <typename F>
void Bind(HMODULE lib, const char* name, F& fn) {
    fn = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
}
}  // namespace

CakTheme& CakTheme::Get() {
    static CakTheme theme;
    return theme;
}

CakTheme::CakTheme() {
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    if (GetVersionExA(&vi))
        m_bSystemHasStyles = vi.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                             VersionAtLeast(vi.dwMajorVersion, vi.dwMinorVersion, 5, 1);
    if (!m_bSystemHasStyles) return;
    m_hLib = LoadLibraryA("uxtheme.dll");
    if (!m_hLib) return;
    Bind(m_hLib, "IsThemeActive", m_pIsThemeActive);
    Bind(m_hLib, "OpenThemeData", m_pOpen);
    Bind(m_hLib, "CloseThemeData", m_pClose);
    Bind(m_hLib, "DrawThemeBackground", m_pDrawBackground);
    Bind(m_hLib, "DrawThemeParentBackground", m_pDrawParentBackground);
    Bind(m_hLib, "DrawThemeText", m_pDrawText);
}

CakTheme::~CakTheme() {
    if (m_hLib) FreeLibrary(m_hLib);
}

bool CakTheme::Active() {
    return m_bSystemHasStyles && m_pIsThemeActive && m_pOpen && m_pDrawBackground &&
           m_pDrawParentBackground && m_pDrawText && m_pClose && m_pIsThemeActive();
}

HANDLE CakTheme::Open(HWND wnd, LPCWSTR classes) { return m_pOpen ? m_pOpen(wnd, classes) : nullptr; }

void CakTheme::Close(HANDLE theme) {
    if (theme && m_pClose) m_pClose(theme);
}

HRESULT CakTheme::DrawBackground(HANDLE theme, HDC dc, int part, int state, const RECT* rc) {
    return m_pDrawBackground ? m_pDrawBackground(theme, dc, part, state, rc, nullptr) : E_NOTIMPL;
}

HRESULT CakTheme::DrawParentBackground(HWND wnd, HDC dc, RECT* rc) {
    return m_pDrawParentBackground ? m_pDrawParentBackground(wnd, dc, rc) : E_NOTIMPL;
}

HRESULT CakTheme::DrawText(HANDLE theme, HDC dc, int part, int state, LPCWSTR text, DWORD flags,
                           const RECT* rc) {
    return m_pDrawText ? m_pDrawText(theme, dc, part, state, text, -1, flags, 0, rc) : E_NOTIMPL;
}

}  // namespace kq
