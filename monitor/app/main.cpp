// statwell: program entry. A hidden application window and the message loop.
#include <windows.h>

namespace {

LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = inst;
    wc.lpszClassName = "TApplication";
    if (!RegisterClassA(&wc)) return 1;
    HWND app = CreateWindowExA(0, "TApplication", "Corvane Statwell", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, inst, nullptr);
    if (!app) return 1;
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
