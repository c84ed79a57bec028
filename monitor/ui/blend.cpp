#include "monitor/ui/blend.h"

#include "monitor/ui/form.h"

namespace ui {

namespace {

using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

SetLayeredFn LayeredApi() {
    static const SetLayeredFn fn = reinterpret_cast<SetLayeredFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("User32.dll"), "SetLayeredWindowAttributes")));
    return fn;
}

}  // namespace

void TJbBlend::SetAlphaBlend(bool v) {
    if (v == alpha_) return;
    alpha_ = v;
    Apply();
}

void TJbBlend::SetAlphaBlendValue(int v) {
    v &= 0xFF;
    if (v == value_) return;
    value_ = v;
    Apply();
}

void TJbBlend::SetTransparentColor(bool v) {
    if (v == keyed_) return;
    keyed_ = v;
    Apply();
}

void TJbBlend::SetTransparentColorValue(COLORREF c) {
    if (c == key_) return;
    key_ = c;
    Apply();
}

void TJbBlend::Apply() {
    HWND wnd = owner_.Handle();
    SetLayeredFn fn = LayeredApi();
    if (!wnd || !fn) return;
    const LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
    if (alpha_ || keyed_) {
        if (!(ex & WS_EX_LAYERED)) SetWindowLongA(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        fn(wnd, key_, static_cast<BYTE>(value_), (alpha_ ? LWA_ALPHA : 0) | (keyed_ ? LWA_COLORKEY : 0));
    } else {
        if (ex & WS_EX_LAYERED) SetWindowLongA(wnd, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    }
}

}  // namespace ui
