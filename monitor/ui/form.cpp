#include "monitor/ui/form.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include <commctrl.h>

#include "monitor/ui/buttons.h"
#include "monitor/ui/pagecontrol.h"
#include "monitor/ui/win_control.h"

namespace ui {

void ShowExceptionBox(const char* text) {
    Application* app = Application::Current();
    if (app && app->ErrorBoxOpen()) return;
    if (app) app->SetErrorBoxOpen(true);
    MessageBoxA(app ? app->Handle() : nullptr, text && *text ? text : "Error", "Error",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    if (app) app->SetErrorBoxOpen(false);
}

// ---- Form

Form::Form(const char* className) : WindowHost(className) {
    Control::SetVisible(false);
    SetColor(GetSysColor(COLOR_BTNFACE));
}

Form::~Form() = default;

Form* Form::FromHandle(HWND wnd) {
    WindowHost* h = WindowHost::FromHandle(wnd);
    return h && !h->Parent() ? static_cast<Form*>(h) : nullptr;
}

void Form::CreateHandle(const FormStyle& fs, int width, int height, const char* caption) {
    CreateWindowOf(fs.style, fs.exStyle, fs.owner, CW_USEDEFAULT, CW_USEDEFAULT, width, height, caption);
}

void Form::SetVisible(bool v) {
    Control::SetVisible(v);
    const HWND w = Handle();
    if (w && (IsWindowVisible(w) != FALSE) != v) ShowWindow(w, v ? SW_SHOWNA : SW_HIDE);
}

void Form::SetBounds(int left, int top, int width, int height) {
    if (Handle()) SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Form::WindowRect() const {
    RECT r{0, 0, 0, 0};
    if (Handle()) GetWindowRect(Handle(), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Form::SetClientSize(int width, int height) {
    const HWND w = Handle();
    if (!w) {
        Control::SetBounds(0, 0, width, height);
        return;
    }
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(w, GWL_EXSTYLE)));
    SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WinControl* Form::ActiveControl() const {
    const HWND focus = GetFocus();
    if (!focus || !Handle() || (focus != Handle() && !::IsChild(Handle(), focus))) return nullptr;
    // A control's inner window (a combo box's edit) counts as the control.
    for (HWND w = focus; w && w != Handle(); w = GetParent(w))
        if (WinControl* c = WinControl::FromHandle(w)) return c;
    return nullptr;
}

namespace {
// Visible itself and through its parents up to the form (whether the form shows or not).
bool ShownInForm(const Control* c) {
    for (; c && c->Parent(); c = c->Parent())
        if (!c->Visible()) return false;
    return true;
}
}  // namespace

Button* Form::FindButton(bool cancel) {
    // Depth first over the tree, in creation order.
    std::vector<Control*> todo{this};
    while (!todo.empty()) {
        Control* c = todo.back();
        todo.pop_back();
        if (auto* b = dynamic_cast<Button*>(c))
            if ((cancel ? b->Cancel() : b->Default()) && b->Enabled() && ShownInForm(b)) return b;
        const auto& kids = c->Children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) todo.push_back(*it);
    }
    return nullptr;
}

bool Form::PageKey(const MSG& m) {
    if (m.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000))
        return false;
    bool forward = true;
    switch (m.wParam) {
    case VK_TAB: forward = !(GetKeyState(VK_SHIFT) & 0x8000); break;
    case VK_NEXT: break;
    case VK_PRIOR: forward = false; break;
    default: return false;
    }
    PageControl* pages = nullptr;
    for (Control* c = ActiveControl(); c && !pages; c = c->Parent()) pages = dynamic_cast<PageControl*>(c);
    // Depth first over the tree, in creation order.
    std::vector<Control*> todo{this};
    while (!pages && !todo.empty()) {
        Control* c = todo.back();
        todo.pop_back();
        if (auto* p = dynamic_cast<PageControl*>(c))
            if (p->Showing()) {
                pages = p;
                break;
            }
        const auto& kids = c->Children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) todo.push_back(*it);
    }
    return pages && pages->SelectNextPage(forward);
}

bool Form::PageTabKey(const MSG& m) {
    if (m.message != WM_KEYDOWN || m.wParam != VK_TAB || (GetKeyState(VK_CONTROL) & 0x8000) ||
        (GetKeyState(VK_MENU) & 0x8000))
        return false;
    const HWND focus = GetFocus();
    WinControl* active = ActiveControl();
    if (!focus || !active) return false;
    const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (!back) {
        auto* pages = dynamic_cast<PageControl*>(active);
        TabSheet* sheet = pages ? pages->ActivePage() : nullptr;
        if (!sheet || !sheet->Handle() || focus != pages->Handle()) return false;
        const HWND first = FirstTabStop(sheet->Handle());
        if (!first) return false;
        ::SetFocus(first);
        return true;
    }
    // The page around the focus, and whether the control before it is outside the page.
    for (Control* c = active->Parent(); c; c = c->Parent()) {
        auto* sheet = dynamic_cast<TabSheet*>(c);
        if (!sheet || !sheet->PageOwner() || !sheet->Handle()) continue;
        PageControl* pages = sheet->PageOwner();
        const HWND before = GetNextDlgTabItem(Handle(), focus, TRUE);
        if (!pages->Handle() || (before && IsChild(sheet->Handle(), before))) return false;
        ::SetFocus(pages->Handle());
        return true;
    }
    return false;
}

void Form::FocusControl() {
    const HWND w = Handle();
    HWND target = lastFocus_;
    if (target && (!IsWindow(target) || !IsChild(w, target))) target = nullptr;
    // Shown and enabled up to the form (which may itself be about to show).
    for (HWND p = target; p && p != w; p = GetParent(p))
        if (!(GetWindowLongA(p, GWL_STYLE) & WS_VISIBLE) || !IsWindowEnabled(p)) target = nullptr;
    if (!target) target = FirstTabStop(w);
    if (target) ::SetFocus(target);
}

namespace {
struct DisabledWindows {
    HWND self;
    std::vector<HWND> list;
};
BOOL CALLBACK DisableOne(HWND w, LPARAM lp) {
    auto* d = reinterpret_cast<DisabledWindows*>(lp);
    if (w != d->self && IsWindowVisible(w) && IsWindowEnabled(w)) {
        EnableWindow(w, FALSE);
        d->list.push_back(w);
    }
    return TRUE;
}
}  // namespace

int Form::ShowModal() {
    const HWND w = Handle();
    if (!w || inModal_) return mrNone;
    DisabledWindows disabled{w, {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled));
    struct Restore {
        DisabledWindows& d;
        bool& modal;
        ~Restore() {
            for (auto it = d.list.rbegin(); it != d.list.rend(); ++it)
                if (IsWindow(*it)) EnableWindow(*it, TRUE);
            modal = false;
        }
    } restore{disabled, inModal_};
    inModal_ = true;
    modalResult_ = mrNone;
    SetVisible(true);
    BringWindowToTop(w);
    SetForegroundWindow(w);
    Application* app = Application::Current();
    MSG m;
    while (modalResult_ == mrNone && Handle() && IsWindowVisible(Handle())) {
        const BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        // A form without child windows has no dialog keys: Escape still closes it.
        if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE && m.hwnd == Handle() &&
            !GetWindow(Handle(), GW_CHILD)) {
            modalResult_ = mrCancel;
            continue;
        }
        if (app) {
            app->ProcessMessage(m);
        } else {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    // Enable the others before hiding, so the activation goes back to one of them.
    for (auto it = disabled.list.rbegin(); it != disabled.list.rend(); ++it)
        if (IsWindow(*it)) EnableWindow(*it, TRUE);
    disabled.list.clear();
    SetVisible(false);
    return modalResult_;
}

bool Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_SHOWWINDOW: Control::SetVisible(wp != 0); break;
    case WM_ACTIVATE:
        // Leaving the form: remember where the focus was, for the way back.
        if (LOWORD(wp) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS:
        // A form with child windows never keeps the focus itself (a windowless one does).
        if (GetWindow(Handle(), GW_CHILD)) FocusControl();
        break;
    case WM_GETMINMAXINFO:
        if (minSize_.cx > 0 || minSize_.cy > 0) {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
            mmi->ptMinTrackSize.x = std::max<LONG>(mmi->ptMinTrackSize.x, minSize_.cx);
            mmi->ptMinTrackSize.y = std::max<LONG>(mmi->ptMinTrackSize.y, minSize_.cy);
            result = 0;
            return true;
        }
        break;
    case DM_GETDEFID:
        // Asked by the dialog keys when Enter is pressed.
        if (Button* b = FindButton(false)) {
            result = MAKELRESULT(b->Id(), DC_HASDEFID);
            return true;
        }
        break;
    case WM_COMMAND:
        // Enter and Escape with no button of that id (the dialog keys send IDOK/IDCANCEL).
        if (lp == 0 && HIWORD(wp) == BN_CLICKED && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
            if (Button* b = FindButton(LOWORD(wp) == IDCANCEL)) {
                b->Click();
            } else if (inModal_ && LOWORD(wp) == IDCANCEL) {
                modalResult_ = mrCancel;
            }
            result = 0;
            return true;
        }
        break;
    case WM_CLOSE:
        result = 0;
        if (!CloseQuery()) return true;
        if (inModal_) {
            modalResult_ = mrCancel;
        } else {
            DestroyWindow(Handle());
        }
        return true;
    }
    return false;
}

void Form::Destroyed() {
    Closed();
    if (Application::Current() && Application::Current()->MainForm() == this) PostQuitMessage(0);
}

// ---- TdfsStickyForm

void TdfsStickyForm::ReadWorkArea() { SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea_, 0); }

bool TdfsStickyForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_CREATE: ReadWorkArea(); break;
    case WM_WININICHANGE: ReadWorkArea(); break;
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

// ---- Application

Application* Application::current_ = nullptr;

Application::Application(HINSTANCE inst, const char* title, HICON icon) : inst_(inst), icon_(icon) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                             ICC_LINK_CLASS};
    if (!InitCommonControlsEx(&icc)) {
        icc.dwICC = ICC_WIN95_CLASSES;
        InitCommonControlsEx(&icc);
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Application::Proc;
    wc.hInstance = inst;
    wc.hIcon = icon;
    wc.lpszClassName = "TApplication";
    RegisterClassA(&wc);
    current_ = this;
    wnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, "TApplication", title,
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr,
                           inst, nullptr);
    if (!wnd_) {
        current_ = nullptr;
        throw std::runtime_error("Cannot create the application window");
    }
}

Application::~Application() {
    if (current_ == this) current_ = nullptr;
    if (wnd_) DestroyWindow(wnd_);
}

int Application::Run(Form& mainForm) {
    mainForm_ = &mainForm;
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) ProcessMessage(m);
    mainForm_ = nullptr;
    return 0;
}

void Application::ProcessMessage(MSG& m) {
    if (PreTranslate(m)) return;
    TranslateMessage(&m);
    DispatchMessageA(&m);
}

bool Application::PreTranslate(MSG& m) {
    if (!m.hwnd) return false;
    Form* f = Form::FromHandle(GetAncestor(m.hwnd, GA_ROOT));
    if (!f || !f->Handle()) return false;
    if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
        bool taken = false;
        Guarded([&] { taken = f->ShortCut(m) || f->PageKey(m) || f->PageTabKey(m); });
        if (taken) return true;
    }
    // Only a form with child windows has dialog keys; a windowless form (the gadget) gets its
    // keys as ever.
    if (!GetWindow(f->Handle(), GW_CHILD)) return false;
    return IsDialogMessageA(f->Handle(), &m) != FALSE;
}

namespace {
// Posted to the application window after it became active (see Application::Proc).
constexpr UINT kPassActivation = WM_APP + 0x100;
// Looks again for the activation to hand on, every 20 ms for at most five seconds.
constexpr UINT_PTR kPassTimer = 0x5057;
constexpr int kPassTries = 250;
}  // namespace

LRESULT CALLBACK Application::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    // The window is the current application's from its first message on.
    if (current_ && !current_->wnd_) current_->wnd_ = wnd;
    if (current_ && current_->wnd_ == wnd) return current_->Dispatch(msg, wp, lp);
    if (msg == WM_CLOSE) return 0;
    return DefWindowProcA(wnd, msg, wp, lp);
}

LRESULT Application::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    const HWND wnd = wnd_;
    switch (msg) {
    case WM_CLOSE: return 0;  // the main form decides when the program ends
    case WM_ACTIVATE:
        // The hidden window is activated when another copy of the program brings this one
        // forward: once the activation is done, hand it on to the main form when that shows.
        if (LOWORD(wp) != WA_INACTIVE) {
            passTries_ = 0;
            PostMessageA(wnd, kPassActivation, 0, 0);
        }
        break;
    case kBroughtForward:
        passTries_ = 0;
        PostMessageA(wnd, kPassActivation, 0, 0);
        return 0;
    case WM_TIMER:
        if (wp != kPassTimer) break;
        KillTimer(wnd, kPassTimer);
        PostMessageA(wnd, kPassActivation, 0, 0);
        return 0;
    case kPassActivation:
        if (mainForm_) {
            const HWND main = mainForm_->Handle();
            if (!main || !IsWindowVisible(main)) return 0;
            const HWND front = GetForegroundWindow();
            if (front == main) return 0;  // handed on already (a second notice finds it done)
            if (front == wnd) {
                SetForegroundWindow(main);
            } else if (++passTries_ < kPassTries) {
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
