#include "tests/support/ui_driver.h"

#include "monitor/ui/form.h"

namespace uitest {

void Pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (ui::Application* app = ui::Application::Current()) {
            app->ProcessMessage(m);
        } else {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (done()) return true;
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void RoundTrip(HWND wnd) {
    // WM_NULL posted last comes out last; once it is gone, so is everything before it.
    PostMessageA(wnd, WM_NULL, 0, 0);
    MSG m;
    for (;;) {
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        const bool sentinel = m.hwnd == wnd && m.message == WM_NULL;
        if (ui::Application* app = ui::Application::Current()) {
            app->ProcessMessage(m);
        } else {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (sentinel) return;
    }
}

std::string Text(HWND wnd) {
    char buf[512] = "";
    GetWindowTextA(wnd, buf, sizeof buf);
    return buf;
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

namespace {
void WithKeys(bool shift, bool ctrl, bool alt, const std::function<void()>& f) {
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved[256];
    CopyMemory(saved, keys, sizeof keys);
    if (shift) keys[VK_SHIFT] = 0x80;
    if (ctrl) keys[VK_CONTROL] = 0x80;
    if (alt) keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    f();
    SetKeyboardState(saved);
}
}  // namespace

void PressKey(UINT vk, bool shift, bool ctrl, HWND target) {
    if (!target) target = GetFocus();
    if (!target) target = GetActiveWindow();
    const UINT scan = MapVirtualKeyA(vk, 0);
    WithKeys(shift, ctrl, false, [&] {
        PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
        PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
        RoundTrip(target);
    });
}

void PressAltLetter(char letter) {
    HWND target = GetFocus();
    if (!target) target = GetActiveWindow();
    WithKeys(false, false, true, [&] {
        PostMessageA(target, WM_SYSCHAR, static_cast<WPARAM>(letter), 1 | (1u << 29));
        RoundTrip(target);
    });
}

void ClickAt(HWND wnd, int x, int y) {
    const LPARAM lp = MAKELPARAM(x, y);
    PostMessageA(wnd, WM_MOUSEMOVE, 0, lp);
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    PostMessageA(wnd, WM_LBUTTONUP, 0, lp);
    RoundTrip(wnd);
}

bool SaveWindowPicture(HWND wnd, const char* path) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT r;
    GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    const DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u), size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    bool ok = false;
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD n = 0;
        ok = WriteFile(f, &fh, sizeof fh, &n, nullptr) &&
             WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &n, nullptr) &&
             WriteFile(f, bits, size, &n, nullptr);
        CloseHandle(f);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

// ---- DialogWatcher

namespace {
struct Found {
    DWORD pid;
    const char* title;  // nullptr: any
    HWND box;
};
BOOL CALLBACK FindBox(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (pid == f->pid && IsWindowVisible(w) && lstrcmpA(cls, "#32770") == 0 &&
        (!f->title || Text(w) == f->title)) {
        f->box = w;
        return FALSE;
    }
    return TRUE;
}
BOOL CALLBACK BoxText(HWND w, LPARAM lp) {
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && !Text(w).empty()) {
        *reinterpret_cast<std::string*>(lp) = Text(w);
        return FALSE;
    }
    return TRUE;
}
}  // namespace

DialogWatcher::DialogWatcher(const char* title, int button)
    : title_(title ? title : ""), anyTitle_(title == nullptr), button_(button) {
    InitializeCriticalSection(&lock_);
    thread_ = std::thread([this] {
        while (!stop_) {
            Found f{GetCurrentProcessId(), anyTitle_ ? nullptr : title_.c_str(), nullptr};
            EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&f));
            if (f.box) {
                std::string text;
                EnumChildWindows(f.box, &BoxText, reinterpret_cast<LPARAM>(&text));
                EnterCriticalSection(&lock_);
                texts_.push_back(text);
                LeaveCriticalSection(&lock_);
                PostMessageA(f.box, WM_COMMAND, static_cast<WPARAM>(button_), 0);
                // Until it has gone, so that one dialog is counted once.
                for (int i = 0; i < 500 && IsWindow(f.box) && IsWindowVisible(f.box); ++i) Sleep(10);
            }
            Sleep(10);
        }
    });
}

DialogWatcher::~DialogWatcher() {
    stop_ = true;
    thread_.join();
    DeleteCriticalSection(&lock_);
}

std::vector<std::string> DialogWatcher::Texts() {
    EnterCriticalSection(&lock_);
    std::vector<std::string> t = texts_;
    LeaveCriticalSection(&lock_);
    return t;
}

}  // namespace uitest
