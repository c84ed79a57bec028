// TfrmMain: the layout of its parts, hit-testing, dragging and snapping.
#include <windows.h>

#include "monitor/ui/pending_move.h"
#include "monitor/app/frmMain.h"
#include "monitor/app/frmMain_parts.h"
#include "monitor/app/gadget_frame.h"
#include "monitor/app/gadget_layout.h"
#include "monitor/ui/screen_fit.h"

namespace app {

namespace {

LRESULT ToHitCode(gadget::Hit h) {
    switch (h) {
    case gadget::Hit::Left: return HTLEFT;
    case gadget::Hit::Right: return HTRIGHT;
    case gadget::Hit::Top: return HTTOP;
    case gadget::Hit::Bottom: return HTBOTTOM;
    case gadget::Hit::TopLeft: return HTTOPLEFT;
    case gadget::Hit::TopRight: return HTTOPRIGHT;
    case gadget::Hit::BottomLeft: return HTBOTTOMLEFT;
    case gadget::Hit::BottomRight: return HTBOTTOMRIGHT;
    case gadget::Hit::Caption: break;
    }
    return HTCAPTION;
}

}  // namespace

// ---- parts of the gadget as the show commands see them

static_assert(gadget::kBarCount == 4 && gadget::kCPU1 == 0 && gadget::kCPU2 == 1 && gadget::kRAM == 2 &&
                  gadget::kSwap == 3,
              "TfrmMain::Bars() is in the order of the show commands");
TMyBar* const* BarsOf(TfrmMain& f) { return f.Bars(); }

gadget::Parts ReadParts(TfrmMain& f) {
    gadget::Parts p;
    TMyBar* const* bars = BarsOf(f);
    for (int i = 0; i < gadget::kBarCount; ++i) p.bar[i] = bars[i]->Visible();
    p.graphs = f.pnlGraphs.Visible();
    p.network = f.pnlNetwork.Visible();
    p.status = f.pnlStatus.Visible();
    p.bottom = f.pnlBottom.Visible();
    p.networkHeight = f.pnlNetwork.Height();
    p.statusHeight = f.pnlStatus.Height();
    p.bottomHeight = f.pnlBottom.Height();
    p.clientHeight = f.ClientHeight();
    return p;
}

void WriteParts(TfrmMain& f, const gadget::Parts& p) {
    TMyBar* const* bars = BarsOf(f);
    for (int i = 0; i < gadget::kBarCount; ++i)
        if (bars[i]->Visible() != p.bar[i]) bars[i]->SetVisible(p.bar[i]);
    if (f.pnlNetwork.Height() != p.networkHeight) f.pnlNetwork.SetHeight(p.networkHeight);
    if (f.pnlStatus.Height() != p.statusHeight) f.pnlStatus.SetHeight(p.statusHeight);
    if (f.pnlBottom.Height() != p.bottomHeight) f.pnlBottom.SetHeight(p.bottomHeight);
    if (f.pnlNetwork.Visible() != p.network) f.pnlNetwork.SetVisible(p.network);
    if (f.pnlStatus.Visible() != p.status) f.pnlStatus.SetVisible(p.status);
    if (f.pnlBottom.Visible() != p.bottom) f.pnlBottom.SetVisible(p.bottom);
    if (f.pnlGraphs.Visible() != p.graphs) f.pnlGraphs.SetVisible(p.graphs);
    if (f.ClientHeight() != p.clientHeight) f.SetClientSize(f.ClientWidth(), p.clientHeight);
}

gadget::NetDisplay CurrentDisplay(const TfrmMain& f) {
    if (f.mniNormal.Checked()) return gadget::NetDisplay::Normal;
    if (f.mniBig.Checked()) return gadget::NetDisplay::Big;
    return gadget::NetDisplay::Small;
}

// ---- layout

void TfrmMain::dfsStickyFormResize() {
    if (layoutDepth_ > 2) return;
    ++layoutDepth_;
    TMyBar* const* bars = BarsOf(*this);
    bool shown[gadget::kBarCount];
    for (int i = 0; i < gadget::kBarCount; ++i) shown[i] = bars[i]->Visible();
    const bool horizontal = mniHorizontal.Checked();
    const gadget::BarLayout l = gadget::LayoutBars(shown, horizontal, pnlGraphs.Width(), pnlGraphs.Height());

    GraphsShown = l.graphsShown;
    if (!l.graphsShown) {
        if (pnlGraphs.Visible()) pnlGraphs.Hide();
        if (ClientHeight() != pnlBottom.Height()) SetClientSize(ClientWidth(), pnlBottom.Height());
    } else if (!pnlGraphs.Visible()) {
        pnlGraphs.Show();
    }

    if (horizontal) {
        for (int i = 0; i < gadget::kBarCount; ++i) bars[i]->SetHeight(l.barSize);
        pnlCPURow.SetHeight(l.cpuRowSize);
        pnlMemoryRow.SetHeight(l.memoryRowSize);
    } else {
        pnlCPURow.SetWidth(l.cpuRowSize);
        pnlMemoryRow.SetWidth(l.memoryRowSize);
        for (int i = 0; i < gadget::kBarCount; ++i) bars[i]->SetWidth(l.barSize);
    }
    if (pnlCPURow.Visible() != l.cpuRowVisible) pnlCPURow.SetVisible(l.cpuRowVisible);

    const gadget::DigitPlacement d =
        gadget::PlaceDigits(pnlNetwork.Width(), lcdDown1.Width(), lcdDown2.Width(), lblDownPoint.Width(),
                            lcdUp1.Width(), mniBig.Checked());
    lcdDown1.SetBounds(d.down1.left, d.down1.top, lcdDown1.Width(), lcdDown1.Height());
    lblDownPoint.SetBounds(d.downPoint.left, d.downPoint.top, lblDownPoint.Width(), lblDownPoint.Height());
    lcdDown2.SetBounds(d.down2.left, d.down2.top, lcdDown2.Width(), lcdDown2.Height());
    lcdUp1.SetBounds(d.up1.left, d.up1.top, lcdUp1.Width(), lcdUp1.Height());
    lblUpPoint.SetBounds(d.upPoint.left, d.upPoint.top, lblUpPoint.Width(), lblUpPoint.Height());
    lcdUp2.SetBounds(d.up2.left, d.up2.top, lcdUp2.Width(), lcdUp2.Height());

    const gadget::TextPlacement t =
        gadget::PlaceRateTexts(pnlNetwork.Width(), lblDownload.Width(), lblUpload.Width());
    lblDownload.SetBounds(t.download.left, t.download.top, lblDownload.Width(), lblDownload.Height());
    lblUpload.SetBounds(t.upload.left, t.upload.top, lblUpload.Width(), lblUpload.Height());
    --layoutDepth_;
}

// ---- mouse

void TfrmMain::lcdDown1MouseDown(ui::Control&, ui::MouseButton button, int, int) {
    if (button != ui::MouseButton::Left || !Handle()) return;
    ReleaseCapture();
    SendMessageA(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

LRESULT TfrmMain::WMNCHitTest(POINT client) {
    RECT r{0, 0, 0, 0};
    if (Handle()) GetWindowRect(Handle(), &r);
    return ToHitCode(gadget::HitTest(client.x, client.y, r.right - r.left, r.bottom - r.top, ClientWidth(),
                                     ClientHeight(), mniBorder.Checked(), GraphsShown));
}

void TfrmMain::WMNCRButtonDown(POINT screen) { mnMain.Popup(Handle(), screen.x, screen.y); }

// ---- snapping

void TfrmMain::SnapWindowPos(WINDOWPOS& pos) {
    // The 2 x 2 minimum is already applied (HandleMessage, WM_WINDOWPOSCHANGING).
    if (StickTo == soNothing || !Handle()) return;
    ui::PendingMove m = ui::PendingMoveOf(Handle(), pos, WorkArea());
    const gadget::Area area{m.work.left, m.work.top, m.work.right, m.work.bottom};
    if (!gadget::Snap(m.x, m.y, m.width, m.height, area, Threshold, gadget::soScreen)) return;
    pos.x = m.x;
    pos.y = m.y;
    pos.flags &= ~SWP_NOMOVE;
}

}  // namespace app
