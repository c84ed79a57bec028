#include "monitor/ui/blend.h"

#include "monitor/ui/form.h"

namespace ui {

namespace {

using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up at run time: Windows before 2000 has no layered windows.
SetLayeredFn LayeredApi() {
    static const SetLayeredFn fn = reinterpret_cast<SetLayeredFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("User32.dll"), "SetLayeredWindowAttributes")));
    return fn;
}

}  // namespace

bool TJbBlend::Exists() const { return owner_.Handle() != nullptr; }

bool TJbBlend::Supported() const { return LayeredApi() != nullptr; }

bool TJbBlend::Layered() const { return (GetWindowLongA(owner_.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

void TJbBlend::SetLayered(bool on) {
    const HWND wnd = owner_.Handle();
    const LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
    SetWindowLongA(wnd, GWL_EXSTYLE, on ? ex | WS_EX_LAYERED : ex & ~WS_EX_LAYERED);
}

void TJbBlend::SetAttributes(std::uint32_t colourKey, std::uint8_t alpha, std::uint32_t flags) {
    static_assert(kLwaAlpha == LWA_ALPHA && kLwaColorKey == LWA_COLORKEY,
                  "the rules' flags are the system's");
    LayeredApi()(owner_.Handle(), colourKey, alpha, flags);
}

void TJbBlend::RedrawAll() {
    RedrawWindow(owner_.Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}

}  // namespace ui
