#include "monitor/ui/hints.h"

#include <commctrl.h>

#include <algorithm>

#include "monitor/ui/window_host.h"

namespace ui {

namespace {

int Depth(const Control* c) {
    int d = 0;
    for (; c && c->Parent(); c = c->Parent()) ++d;
    return d;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TTTOOLINFOA ToolInfo(HWND host, UINT id) {
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = host;
    ti.uId = id;
    return ti;
}

}  // namespace

Hints::~Hints() {
    // (A tooltip whose owner went first went with it.)
    if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

const char* Hints::HintOf(const Control& c) const {
    for (const Tip& t : tips_)
        if (t.control == &c) return t.text.c_str();
    return "";
}

void Hints::SetHint(Control& c, const char* text) {
    const auto it = std::find_if(tips_.begin(), tips_.end(), [&](const Tip& t) { return t.control == &c; });
    const bool none = !text || !*text;
    if (it != tips_.end() && !none && it->text == text) return;
    // The tools are laid down again in lookup order; take the old ones away first.
    if (tip_) {
        for (UINT i = 0; i < tips_.size(); ++i) {
            TTTOOLINFOA ti = ToolInfo(host_.Handle(), i);
            SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        }
    }
    if (it != tips_.end()) {
        if (none)
            tips_.erase(it);
        else
            it->text = text;
    } else if (!none) {
        tips_.push_back(Tip{&c, text, RECT{0, 0, 0, 0}});
    }
    Order();
    if (tip_)
        AddTools();
    else
        Create();
}

void Hints::Order() {
    // The tooltip takes the first tool whose rectangle holds the point, so a control comes
    // before the parents it lies in.
    std::stable_sort(tips_.begin(), tips_.end(),
                     [](const Tip& a, const Tip& b) { return Depth(a.control) > Depth(b.control); });
}

void Hints::AddTools() {
    for (UINT i = 0; i < tips_.size(); ++i) AddTool(i, tips_[i]);
}

void Hints::Create() {
    if (!host_.Handle() || tips_.empty()) return;
    // Always shown, also while another program is active: the floating windows never take
    // the activation. The tooltip goes with the host's own owner rather than being owned by
    // the host: under Wine a window with an owned top-most popup that was taken off the top
    // no longer becomes top-most again.
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           GetWindow(host_.Handle(), GW_OWNER), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (tip_) AddTools();
}

void Hints::AddTool(UINT id, Tip& t) {
    t.rect = RECT{0, 0, 0, 0};
    TTTOOLINFOA ti = ToolInfo(host_.Handle(), id);
    ti.lpszText = const_cast<char*>(t.text.c_str());
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::Place() {
    for (UINT i = 0; i < tips_.size(); ++i) {
        Tip& t = tips_[i];
        RECT r{0, 0, 0, 0};
        if (t.control == &host_) {
            r = RECT{0, 0, host_.Width(), host_.Height()};
        } else if (t.control->HostOf() == &host_ && t.control->VisibleInHost()) {
            const Rect h = t.control->HostRect();
            r = RECT{h.left, h.top, h.right(), h.bottom()};
        }
        if (SameRect(r, t.rect)) continue;
        t.rect = r;
        TTTOOLINFOA ti = ToolInfo(host_.Handle(), i);
        ti.rect = r;
        SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void Hints::Relay(UINT msg, WPARAM wp, LPARAM lp) {
    if (!tip_) Create();  // hints given before the host had its window
    if (!tip_) return;
    const HWND w = host_.Handle();
    POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    UINT as = msg;
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: break;
    // Over a body that answers the hit test as a caption the mouse arrives as non-client
    // messages, in screen coordinates: the tooltip is told of them as of the client ones.
    case WM_NCMOUSEMOVE: as = WM_MOUSEMOVE; break;
    case WM_NCLBUTTONDOWN: as = WM_LBUTTONDOWN; break;
    case WM_NCRBUTTONDOWN: as = WM_RBUTTONDOWN; break;
    case WM_NCMBUTTONDOWN: as = WM_MBUTTONDOWN; break;
    default: return;
    }
    if (as != msg) {
        ScreenToClient(w, &p);
        wp = 0;
    }
    if (as == WM_MOUSEMOVE) Place();
    MSG m{};
    m.hwnd = w;
    m.message = as;
    m.wParam = wp;
    m.lParam = MAKELPARAM(p.x, p.y);
    m.time = static_cast<DWORD>(GetMessageTime());
    GetCursorPos(&m.pt);
    SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

}  // namespace ui
