#include "monitor/ui/pending_move.h"
#include "monitor/meters/meter_frame.h"

#include "monitor/app/gadget_frame.h"
#include "monitor/ui/screen_fit.h"
#include "monitor/ui/windows_border.h"

namespace meters {

// ---- TMyBlotter

void TMyBlotter::SetBevelVisible(bool v) {
    if (v == bevelVisible_) return;
    bevelVisible_ = v;
    Realign();
    Invalidate();
}

void TMyBlotter::SetBevelColors(COLORREF c) {
    bevel_ = Bevel{c, c, c, c, c, c, c};
    Invalidate();
}

void TMyBlotter::CopyOutline(const ui::Panel& templ) {
    const int width = templ.Border() ? 1 : 0;
    if (width == outline_) return;
    outline_ = width;
    Realign();
    Invalidate();
}

ui::Rect TMyBlotter::ClientRect() const {
    if (!Outlined()) return Control::ClientRect();
    return {1, 1, Width() - 2, Height() - 2};
}

namespace {
void FillSolid(HDC dc, int l, int t, int r, int b, COLORREF c) {
    const RECT rc{l, t, r, b};
    SetBkColor(dc, c);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}
}  // namespace

void TMyBlotter::PaintSelf(HDC dc, const ui::Rect& r) {
    Control::PaintSelf(dc, r);
    if (!Outlined()) return;
    // Outer outline: highlight on the top and left, shadow on the bottom and right.
    FillSolid(dc, r.left, r.top, r.right(), r.top + 1, bevel_.outerHighlight);
    FillSolid(dc, r.left, r.top, r.left + 1, r.bottom(), bevel_.outerHighlight);
    FillSolid(dc, r.left, r.bottom() - 1, r.right(), r.bottom(), bevel_.outerShadow);
    FillSolid(dc, r.right() - 1, r.top, r.right(), r.bottom(), bevel_.outerShadow);
}

// ---- TArrowMark

TArrowMark::TArrowMark(bool up) : up_(up) {
    SetParentColor(true);
    SetBounds(0, 0, kGlyphWidth, kGlyphHeight);
}

void TArrowMark::SetMarkColor(COLORREF c) {
    if (c == colour_) return;
    colour_ = c;
    Invalidate();
}

void TArrowMark::SetGlyphTop(int top) {
    if (top == glyphTop_) return;
    glyphTop_ = top;
    Invalidate();
}

void TArrowMark::PaintSelf(HDC dc, const ui::Rect& r) {
    // Transparent over the parent: only the arrow's pixels are drawn. A head three rows deep
    // (5, 3 and 1 pixels wide) on a stem one pixel wide.
    const int cx = r.left + 2;
    const int top = r.top + glyphTop_;
    const int head[3] = {1, 3, 5};
    for (int row = 0; row < kGlyphHeight; ++row) {
        const int y = up_ ? top + row : top + kGlyphHeight - 1 - row;
        if (y >= r.bottom()) break;
        const int half = row < 3 ? head[row] / 2 : 0;
        FillSolid(dc, cx - half, y, cx + half + 1, y + 1, colour_);
    }
}

// ---- TMeterFrame

TMeterFrame::TMeterFrame(const char* className, MeterHost& host, int window)
    : TdfsStickyForm(className), host_(host), window_(window) {
    Threshold = 10;
    SetColor(0);
}

void TMeterFrame::CreateFrame(int clientWidth, int clientHeight) {
    ui::FormStyle fs;
    fs.style = WS_POPUP;
    // No taskbar button: a tool window owned by the hidden application window, as the gadget.
    fs.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    fs.owner = host_.OwnerWindow();
    CreateHandle(fs, clientWidth, clientHeight);
    ShowWindow(Handle(), SW_HIDE);
    // The menu pops up on the right button going down (WM_NCRBUTTONDOWN, WM_RBUTTONDOWN), not
    // as a context menu when it comes up again.
}

void TMeterFrame::BuildContent(int leftWidth, int channels, const ui::Panel* outlineTemplate) {
    leftBlotter.SetParent(this);
    leftBlotter.SetWidth(leftWidth);
    leftBlotter.SetAlign(ui::Align::Left);
    leftBlotter.SetColor(0);
    rightBlotter.SetParent(this);
    rightBlotter.SetAlign(ui::Align::Client);
    rightBlotter.SetColor(0);
    rightBlotter.SetBevelVisible(true);
    if (outlineTemplate) rightBlotter.CopyOutline(*outlineTemplate);
    rightBlotter.SetBevelColors(0);

    Scope.SetParent(&rightBlotter);
    Scope.SetAlign(ui::Align::Client);
    Scope->SetInterval(1000);
    for (int i = 0; i < channels; ++i) Scope->Channels().Add();
    Scope->SetGridSize(10);
    Scope->SetGridColor(0x005500);
    Scope->SetBaseOffset(0);
    Scope->SetBaseColor(0);
    Scope->SetFrequency(1);
    Scope->SetThreaded(false);
    Scope->OnNeedData = [this](widgets::TVrScope& s, int ch, int& v) { ScopeNeedData(s, ch, v); };
    Scope->OnError = [](const char* text) { ui::ShowExceptionBox(text); };
    Scope.OnMouseDown = Dragging();
}

ui::MouseEvent TMeterFrame::Dragging() {
    return [this](ui::Control& c, ui::MouseButton b, int x, int y) { DragMouseDown(c, b, x, y); };
}

void TMeterFrame::SetStoredBounds(int left, int top, int width, int height) {
    // The stored bounds as read: snapping must not pull a window kept near an edge.
    const StickToKind stick = StickTo;
    StickTo = soNothing;
    // Only a size beyond the screens, or a place off every monitor, is brought back into view.
    const ui::WindowBounds b = ui::FitToScreen({left, top, width, height}, gadget::kMinimumSize);
    SetBounds(b.left, b.top, b.width, b.height);
    StickTo = stick;
}

void TMeterFrame::FrameCommands(const char* closeCaption) {
    using F = TMeterFrame;
    Command(mniAlwaysOnTop, "Always On Top", &F::mniAlwaysOnTopClick);
    mniAlwaysOnTop.SetChecked(true);
    Command(mniGraph, "Show Bar Graph", &F::mniGraphClick);
    mniGraph.SetChecked(true);
    Command(mniHide, "Hide Main Window", &F::mniHideClick);
    Command(mniSnap, "Snap", &F::mniSnapClick);
    mniSnap.SetChecked(true);
    Command(mniBorder, "Show Windows Border", &F::mniBorderClick);
    Command(mniAlpha, "Alpha Blending", &F::mniAlphaClick);
    Command(mniOptions, "Options", &F::mniOptionsClick);
    Command(mniHelp, "Help", &F::mniHelpClick);
    Command(mniClose, closeCaption, &F::mniCloseClick);
}

void TMeterFrame::mniAlwaysOnTopClick(ui::MenuItem&) {
    mniAlwaysOnTop.SetChecked(!mniAlwaysOnTop.Checked());
    if (Handle())
        SetWindowPos(Handle(), mniAlwaysOnTop.Checked() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMeterFrame::mniGraphClick(ui::MenuItem&) {
    mniGraph.SetChecked(!mniGraph.Checked());
    leftBlotter.SetVisible(mniGraph.Checked());
}

void TMeterFrame::mniSnapClick(ui::MenuItem&) {
    mniSnap.SetChecked(!mniSnap.Checked());
    StickTo = mniSnap.Checked() ? soScreen : soNothing;
}

void TMeterFrame::mniAlphaClick(ui::MenuItem&) {
    mniAlpha.SetChecked(!mniAlpha.Checked());
    Blend.SetAlphaBlend(mniAlpha.Checked());
}

void TMeterFrame::mniBorderClick(ui::MenuItem&) {
    mniBorder.SetChecked(!mniBorder.Checked());
    ui::SetWindowsBorder(*this, mniBorder.Checked(), Visible());
    // The frame changed: apply the opacity to it again. Each switch is flipped twice, so a
    // window keeps its blending and colour key as they were.
    Blend.Reapply();
    FormResize();
}

void TMeterFrame::mniHideClick(ui::MenuItem&) { host_.ToggleMain(); }
void TMeterFrame::mniOptionsClick(ui::MenuItem&) { host_.ShowOptions(); }
void TMeterFrame::mniHelpClick(ui::MenuItem&) { host_.ShowHelp(); }
void TMeterFrame::mniCloseClick(ui::MenuItem&) { Close(); }

void TMeterFrame::dfsStickyFormClose() { host_.SetFloatChecked(window_, false); }

bool TMeterFrame::CloseQuery() {
    // Closing hides the window; it lives until the program ends.
    SetVisible(false);
    dfsStickyFormClose();
    return false;
}

void TMeterFrame::ShowFromSettings() {
    SetVisible(true);
    FormResize();
    host_.SetFloatChecked(window_, true);
}

void TMeterFrame::DragMouseDown(ui::Control&, ui::MouseButton button, int, int) {
    if (button != ui::MouseButton::Left || !Handle()) return;
    ReleaseCapture();
    SendMessageA(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

LRESULT TMeterFrame::WMNCHitTest(POINT client) {
    RECT r{0, 0, 0, 0};
    if (Handle()) GetWindowRect(Handle(), &r);
    const int t = EdgeThickness(mniBorder.Checked(), ClientWidth(), ClientHeight());
    switch (meters::HitTest(client.x, client.y, r.right - r.left, r.bottom - r.top, t)) {
    case Hit::TopLeft: return HTTOPLEFT;
    case Hit::TopRight: return HTTOPRIGHT;
    case Hit::BottomRight: return HTBOTTOMRIGHT;
    case Hit::BottomLeft: return HTBOTTOMLEFT;
    case Hit::Left: return HTLEFT;
    case Hit::Top: return HTTOP;
    case Hit::Right: return HTRIGHT;
    case Hit::Bottom: return HTBOTTOM;
    case Hit::Caption: break;
    }
    return HTCAPTION;
}

bool TMeterFrame::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    Hints.Relay(msg, wp, lp);
    switch (msg) {
    case WM_NCHITTEST: {
        // The edges resize wherever they are; inside them the gauge, labels and scope take
        // the mouse (a left press there drags), the rest drags the window.
        const LRESULT frame = DefaultProc(msg, wp, lp);
        if (frame != HTCLIENT) {
            result = frame;
            return true;
        }
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ScreenToClient(Handle(), &p);
        result = WMNCHitTest(p);
        if (result == HTCAPTION) {
            ui::Control* c = ControlAt(p.x, p.y);
            if (c && c != this && !c->HitTransparent()) result = HTCLIENT;
        }
        return true;
    }
    case WM_NCRBUTTONDOWN:
        PopupMenu1.Popup(Handle(), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        result = 0;
        return true;
    case WM_RBUTTONDOWN: {
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ClientToScreen(Handle(), &p);
        PopupMenu1.Popup(Handle(), p.x, p.y);
        result = 0;
        return true;
    }
    case WM_SHOWWINDOW:
        if (wp) FormShow();
        break;
    }
    return TdfsStickyForm::HandleMessage(msg, wp, lp, result);
}

void TMeterFrame::SnapWindowPos(WINDOWPOS& pos) {
    if (StickTo == soNothing || !Handle()) return;
    ui::PendingMove m = ui::PendingMoveOf(Handle(), pos, WorkArea());
    const gadget::Area area{m.work.left, m.work.top, m.work.right, m.work.bottom};
    if (!gadget::Snap(m.x, m.y, m.width, m.height, area, Threshold, gadget::soScreen)) return;
    pos.x = m.x;
    pos.y = m.y;
    pos.flags &= ~SWP_NOMOVE;
}

}  // namespace meters
