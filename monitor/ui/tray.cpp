#include "monitor/ui/tray.h"

#include <cstring>

#include "monitor/ui/form.h"
#include "monitor/ui/menu.h"

namespace ui {

namespace {

constexpr UINT kCallback = WM_APP + 1;
constexpr const char* kWindowClass = "TTrayIconHandler";
UINT g_nextId = 1;

UINT TaskbarCreated() {
    static const UINT msg = RegisterWindowMessageA("TaskbarCreated");
    return msg;
}

}  // namespace

TrayIcon::TrayIcon() {
    WNDCLASSA wc{};
    if (!GetClassInfoA(ModuleInstance(), kWindowClass, &wc)) {
        wc = {};
        wc.lpfnWndProc = &TrayIcon::Proc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = kWindowClass;
        RegisterClassA(&wc);
    }
    // A hidden top-level window: it hears the shell's "TaskbarCreated" broadcast.
    wnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           ModuleInstance(), nullptr);
    if (wnd_) SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    nid_.cbSize = sizeof(nid_);
    nid_.hWnd = wnd_;
    nid_.uID = g_nextId++;
    nid_.uCallbackMessage = kCallback;
    TaskbarCreated();
}

TrayIcon::~TrayIcon() {
    if (added_) Notify(NIM_DELETE);
    if (wnd_) {
        SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
        DestroyWindow(wnd_);
    }
}

bool TrayIcon::Notify(DWORD what) {
    // Adding sends everything; a change sends only what changed (a new hint does not ship the
    // picture to the shell again).
    const UINT all = NIF_MESSAGE | NIF_TIP | NIF_ICON;
    nid_.uFlags = (what == NIM_MODIFY ? changed_ : all) & (icon_ ? all : ~UINT(NIF_ICON));
    nid_.hIcon = icon_;
    const bool ok = Shell_NotifyIconA(what, &nid_) != FALSE;
    if (ok && what != NIM_DELETE) changed_ = 0;
    return ok;
}

void TrayIcon::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0 && pending_) Update();
}

void TrayIcon::Update() {
    if (!visible_) return;
    if (updating_ > 0) {
        pending_ = true;
        return;
    }
    pending_ = false;
    if (added_) {
        if (changed_ && !Notify(NIM_MODIFY)) added_ = Notify(NIM_ADD);
    } else {
        added_ = Notify(NIM_ADD);
    }
}

void TrayIcon::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    if (v) {
        Update();
    } else if (added_) {
        Notify(NIM_DELETE);
        added_ = false;
    }
}

void TrayIcon::SetIcon(HICON icon) {
    if (icon == icon_) return;
    icon_ = icon;
    changed_ |= NIF_ICON;
    Update();
}

void TrayIcon::SetHint(const char* hint) {
    if (std::strncmp(nid_.szTip, hint, sizeof(nid_.szTip) - 1) == 0) return;
    lstrcpynA(nid_.szTip, hint, sizeof(nid_.szTip));
    changed_ |= NIF_TIP;
    Update();
}

void TrayIcon::ShowBalloon(const char* title, const char* text, DWORD iconFlags, UINT seconds) {
    // A hidden icon shows no balloon: adding it here would put a second icon in the tray.
    if (!visible_) return;
    NOTIFYICONDATAA n = nid_;
    n.uFlags = NIF_INFO;
    lstrcpynA(n.szInfoTitle, title, sizeof(n.szInfoTitle));
    lstrcpynA(n.szInfo, text, sizeof(n.szInfo));
    n.dwInfoFlags = iconFlags;
    n.uTimeout = seconds * 1000;
    if (!added_) added_ = Notify(NIM_ADD);
    if (added_) Shell_NotifyIconA(NIM_MODIFY, &n);
}

LRESULT CALLBACK TrayIcon::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* t = reinterpret_cast<TrayIcon*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!t) return DefWindowProcA(wnd, msg, wp, lp);
    if (msg == TaskbarCreated()) {
        // The shell restarted: our icon is gone; add it again.
        t->added_ = false;
        Guarded([t] { t->Update(); });
        return 0;
    }
    LRESULT result = 0;
    if ((msg == WM_MEASUREITEM || msg == WM_DRAWITEM) && PopupMenu::OwnerMessage(msg, lp, result))
        return result;
    if (msg == kCallback) {
        Guarded([&] {
            switch (static_cast<UINT>(lp)) {
            case WM_LBUTTONDBLCLK:
                if (t->OnDblClick) t->OnDblClick();
                break;
            case WM_RBUTTONUP:
                if (t->Menu) {
                    POINT p;
                    GetCursorPos(&p);
                    t->Menu->Popup(wnd, p.x, p.y);
                }
                break;
            }
        });
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

// ---- TextTrayIcon

TextTrayIcon::TextTrayIcon() = default;

void TextTrayIcon::SetText(const char* text) {
    if (std::strncmp(text_, text, sizeof(text_) - 1) == 0 && (drawn_ || !Visible())) return;
    lstrcpynA(text_, text, sizeof(text_));
    drawn_dirty_ = true;
    if (Visible()) Redraw();
}

void TextTrayIcon::SetVisible(bool v) {
    if (v && drawn_dirty_) Redraw();
    TrayIcon::SetVisible(v);
}

void TextTrayIcon::Redraw() {
    drawn_dirty_ = false;
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    WindowDc screen(nullptr);
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    Bitmap colour(CreateCompatibleBitmap(screen.get(), cx, cy));
    Bitmap mask(CreateBitmap(cx, cy, 1, 1, nullptr));
    RECT r{0, 0, cx, cy};
    const int len = static_cast<int>(std::strlen(text_));
    {
        // Colour image: the text on black (black pixels outside the mask show the taskbar).
        Selected sel(dc.get(), colour.get());
        FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        Selected f(dc.get(), font_);
        SetBkMode(dc.get(), TRANSPARENT);
        ::SetTextColor(dc.get(), color_ == 0 ? RGB(1, 1, 1) : color_);
        DrawTextA(dc.get(), text_, len, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    {
        // Mask: 0 where the text is, 1 (transparent) elsewhere.
        Selected sel(dc.get(), mask.get());
        FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        Selected f(dc.get(), font_);
        SetBkMode(dc.get(), TRANSPARENT);
        ::SetTextColor(dc.get(), RGB(0, 0, 0));
        DrawTextA(dc.get(), text_, len, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = colour.get();
    ii.hbmMask = mask.get();
    Icon next(CreateIconIndirect(&ii));
    SetIcon(next.get());
    drawn_ = std::move(next);
}

}  // namespace ui
