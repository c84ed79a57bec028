#include "monitor/ui/form.h"

#include <algorithm>
#include <stdexcept>

#include "monitor/ui/menu.h"
#include "widgets/widgets_res.h"

namespace ui {

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

namespace {
bool g_errorBoxOpen = false;
}

void ShowExceptionBox(const char* text) {
    if (g_errorBoxOpen) return;
    g_errorBoxOpen = true;
    HWND owner = Application::Current() ? Application::Current()->Handle() : nullptr;
    MessageBoxA(owner, text && *text ? text : "Error", "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    g_errorBoxOpen = false;
}

// ---- Form

Form::Form(const char* className) : className_(className) {
    Control::SetVisible(false);
    SetColor(GetSysColor(COLOR_BTNFACE));
}

Form::~Form() {
    for (Timer* t : timers_) t->SetEnabled(false);
    if (wnd_) {
        SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
        DestroyWindow(wnd_);
    }
    if (bufferDc_ && bufferOld_) SelectObject(bufferDc_.get(), bufferOld_);
}

void Form::CreateHandle(const FormStyle& fs, int width, int height, const char* caption) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(ModuleInstance(), className_, &wc)) {
        wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Form::Proc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_STATWELL));
        wc.lpszClassName = className_;
        RegisterClassExA(&wc);
    }
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, fs.style, FALSE, fs.exStyle);
    wnd_ = CreateWindowExA(fs.exStyle, className_, caption, fs.style, CW_USEDEFAULT, CW_USEDEFAULT,
                           r.right - r.left, r.bottom - r.top, fs.owner, nullptr, ModuleInstance(),
                           this);
    if (!wnd_) throw std::runtime_error("Cannot create window");
    SyncClientSize();
    for (Timer* t : timers_) t->Start();
}

void Form::SetVisible(bool v) {
    Control::SetVisible(v);
    if (wnd_ && (IsWindowVisible(wnd_) != FALSE) != v) ShowWindow(wnd_, v ? SW_SHOWNA : SW_HIDE);
}

void Form::SetBounds(int left, int top, int width, int height) {
    if (wnd_)
        SetWindowPos(wnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Form::WindowRect() const {
    RECT r{0, 0, 0, 0};
    if (wnd_) GetWindowRect(wnd_, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Form::SetClientSize(int width, int height) {
    if (!wnd_) {
        Control::SetBounds(0, 0, width, height);
        return;
    }
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(wnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(wnd_, GWL_EXSTYLE)));
    SetWindowPos(wnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SyncClientSize();
}

void Form::SyncClientSize() {
    RECT r{0, 0, 0, 0};
    GetClientRect(wnd_, &r);
    if (r.right == Width() && r.bottom == Height()) return;
    Control::SetBounds(0, 0, r.right, r.bottom);
    Resized();
}

void Form::InvalidateRect(const Rect& r) {
    if (!wnd_ || r.width <= 0 || r.height <= 0) return;
    RECT rc{r.left, r.top, r.right(), r.bottom()};
    ::InvalidateRect(wnd_, &rc, FALSE);
}

void Form::AddTimer(Timer* t) { timers_.push_back(t); }
void Form::RemoveTimer(Timer* t) { timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end()); }

void Form::PaintSelf(HDC dc, const Rect& r) { Control::PaintSelf(dc, r); }

void Form::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd_, &ps);
    if (!dc) return;
    const int w = std::max(1, Width()), h = std::max(1, Height());
    if (!bufferDc_ || w > bufferSize_.cx || h > bufferSize_.cy) {
        if (!bufferDc_) bufferDc_.reset(CreateCompatibleDC(dc));
        if (bufferOld_) SelectObject(bufferDc_.get(), bufferOld_);
        const int bw = std::max<int>(w, bufferSize_.cx), bh = std::max<int>(h, bufferSize_.cy);
        buffer_.reset(CreateCompatibleBitmap(dc, bw, bh));
        bufferOld_ = SelectObject(bufferDc_.get(), buffer_.get());
        bufferSize_ = {bw, bh};
    }
    HDC mem = bufferDc_.get();
    const RECT& u = ps.rcPaint;
    const int saved = SaveDC(mem);
    IntersectClipRect(mem, u.left, u.top, u.right, u.bottom);
    PaintTree(mem, 0, 0);
    RestoreDC(mem, saved);
    BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, mem, u.left, u.top, SRCCOPY);
    EndPaint(wnd_, &ps);
}

LRESULT Form::HitTest(POINT) { return HTCLIENT; }

bool Form::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void Form::MouseDown(MouseButton b, LPARAM lp) {
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    Control* c = ControlAt(x, y);
    // The nearest control with a handler gets the event, in its own coordinates.
    while (c && c != this && !c->OnMouseDown) c = c->Parent();
    if (c && c->OnMouseDown) {
        const Rect fr = c == this ? Rect{} : c->FormRect();
        c->OnMouseDown(*c, b, x - fr.left, y - fr.top);
    }
}

LRESULT Form::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if ((msg == WM_MEASUREITEM || msg == WM_DRAWITEM) && PopupMenu::OwnerMessage(msg, lp, result))
        return result;
    if (HandleMessage(msg, wp, lp, result)) return result;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SIZE:
        SyncClientSize();
        return 0;
    case WM_SYSCOLORCHANGE:
        SysColorChange();
        ::InvalidateRect(wnd_, nullptr, FALSE);
        break;
    case WM_SHOWWINDOW:
        Control::SetVisible(wp != 0);
        break;
    case WM_NCHITTEST: {
        const LRESULT frame = DefaultProc(msg, wp, lp);
        if (frame != HTCLIENT) return frame;
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ScreenToClient(wnd_, &p);
        Control* c = ControlAt(p.x, p.y);
        if (c && c != this && !c->HitTransparent()) return HTCLIENT;
        return HitTest(p);
    }
    case WM_LBUTTONDOWN:
        MouseDown(MouseButton::Left, lp);
        return 0;
    case WM_RBUTTONDOWN:
        MouseDown(MouseButton::Right, lp);
        return 0;
    case WM_MBUTTONDOWN:
        MouseDown(MouseButton::Middle, lp);
        return 0;
    case WM_CONTEXTMENU:
        if (popup_) {
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (p.x == -1 && p.y == -1) GetCursorPos(&p);
            popup_->Popup(wnd_, p.x, p.y);
            return 0;
        }
        break;
    case WM_TIMER:
        for (Timer* t : timers_)
            if (t->Id() == wp) {
                t->Fire();
                return 0;
            }
        break;
    case WM_CLOSE:
        if (CloseQuery()) DestroyWindow(wnd_);
        return 0;
    case WM_DESTROY:
        Closed();
        if (Application::Current() && Application::Current()->MainForm() == this) PostQuitMessage(0);
        break;
    }
    return DefaultProc(msg, wp, lp);
}

LRESULT CALLBACK Form::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto* f = static_cast<Form*>(cs->lpCreateParams);
        f->wnd_ = wnd;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
    }
    auto* f = reinterpret_cast<Form*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!f) return DefWindowProcA(wnd, msg, wp, lp);
    LRESULT r = 0;
    bool handled = Guarded([&] { r = f->Dispatch(msg, wp, lp); });
    if (!handled) return 0;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        f->wnd_ = nullptr;
    }
    return r;
}

// ---- TdfsStickyForm

void TdfsStickyForm::ReadWorkArea() { SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea_, 0); }

bool TdfsStickyForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_CREATE:
        ReadWorkArea();
        break;
    case WM_WININICHANGE:
        ReadWorkArea();
        break;
    case WM_WINDOWPOSCHANGING:
        if (StickTo != soNothing) {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) SnapWindowPos(*pos);
        }
        break;
    case WM_MOVING:
    case WM_SIZING:
        if (StickTo != soNothing) {
            StickyMoving(*reinterpret_cast<RECT*>(lp), msg == WM_SIZING ? wp : 0);
            result = TRUE;
            return true;
        }
        break;
    }
    return Form::HandleMessage(msg, wp, lp, result);
}

// ---- Timer

namespace {
UINT_PTR g_nextTimerId = 1;
}

Timer::Timer(Form& owner, UINT interval) : owner_(owner), interval_(interval), id_(g_nextTimerId++) {
    owner_.AddTimer(this);
}

Timer::~Timer() {
    SetEnabled(false);
    owner_.RemoveTimer(this);
}

void Timer::Start() {
    if (running_ && owner_.Handle()) KillTimer(owner_.Handle(), id_);
    running_ = false;
    if (enabled_ && interval_ > 0 && owner_.Handle()) running_ = SetTimer(owner_.Handle(), id_, interval_, nullptr) != 0;
}

void Timer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) {
        Start();
    } else if (running_) {
        if (owner_.Handle()) KillTimer(owner_.Handle(), id_);
        running_ = false;
    }
}

void Timer::SetInterval(UINT ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Start();
}

void Timer::Fire() {
    if (enabled_ && OnTimer) OnTimer();
}

// ---- Application

Application* Application::current_ = nullptr;

Application::Application(HINSTANCE inst, const char* title) : inst_(inst) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Application::Proc;
    wc.hInstance = inst;
    wc.hIcon = LoadIconA(inst, MAKEINTRESOURCEA(IDI_STATWELL));
    wc.lpszClassName = "TApplication";
    RegisterClassA(&wc);
    wnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, "TApplication", title,
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
                           nullptr, inst, nullptr);
    if (!wnd_) throw std::runtime_error("Cannot create the application window");
    current_ = this;
}

Application::~Application() {
    if (current_ == this) current_ = nullptr;
    if (wnd_) DestroyWindow(wnd_);
}

int Application::Run(Form& mainForm) {
    mainForm_ = &mainForm;
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    mainForm_ = nullptr;
    return 0;
}

namespace {
// Posted to the application window after it became active (see Application::Proc).
constexpr UINT kPassActivation = WM_APP + 0x100;
// Looks again for the activation to hand on, every 20 ms for at most five seconds.
constexpr UINT_PTR kPassTimer = 0x5057;
constexpr int kPassTries = 250;
int passTries = 0;
}  // namespace

LRESULT CALLBACK Application::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        return 0;  // the main form decides when the program ends
    case WM_ACTIVATE:
        // The hidden window is activated when another copy of the program brings this one
        // forward: once the activation is done, hand it on to the main form when that shows.
        if (LOWORD(wp) != WA_INACTIVE) {
            passTries = 0;
            PostMessageA(wnd, kPassActivation, 0, 0);
        }
        break;
    case kBroughtForward:
        passTries = 0;
        PostMessageA(wnd, kPassActivation, 0, 0);
        return 0;
    case WM_TIMER:
        if (wp != kPassTimer) break;
        KillTimer(wnd, kPassTimer);
        PostMessageA(wnd, kPassActivation, 0, 0);
        return 0;
    case kPassActivation:
        if (current_ && current_->wnd_ == wnd && current_->mainForm_) {
            const HWND main = current_->mainForm_->Handle();
            if (!main || !IsWindowVisible(main)) return 0;
            if (GetForegroundWindow() == wnd) {
                SetForegroundWindow(main);
            } else if (++passTries < kPassTries) {
                // The copy that brought this one forward may still be finishing its work on the
                // foreground (detaching its input can leave none for a moment, and activating
                // again sends no second WM_ACTIVATE): look again shortly. Only the hidden
                // window itself being in front is ever handed on, never another window.
                SetTimer(wnd, kPassTimer, 20, nullptr);
            }
        }
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace ui
