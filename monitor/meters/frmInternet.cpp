#include "monitor/meters/frmInternet.h"

#include "monitor/app/gadget_frame.h"
#include "monitor/ui/screen_fit.h"

namespace meters {

namespace {
constexpr int kLeftBlotterWidth = 52;
constexpr COLORREF kDownLow = 32768, kDownHigh = 65177;
constexpr COLORREF kUpLow = 12534528, kUpHigh = 16750949;
}  // namespace

TfrmInternet::TfrmInternet(MeterHost& host) : TMeterFrame("TfrmInternet", host, kNetworkWindow) {}

void TfrmInternet::BuildMenu() {
    using F = TMeterFrame;
    Command(mniAlwaysOnTop, "Always On Top", &F::mniAlwaysOnTopClick);
    mniAlwaysOnTop.SetChecked(true);
    mniGraph.SetCaption("Show Bar Graph");
    mniGraph.OnClick = [this](ui::MenuItem& sender) { mniGraphClick(sender); };
    mniGraph.SetChecked(true);
    Command(mniHide, "Hide Main Window", &F::mniHideClick);
    Command(mniSnap, "Snap", &F::mniSnapClick);
    mniSnap.SetChecked(true);
    Command(mniBorder, "Show Windows Border", &F::mniBorderClick);
    Command(mniAlpha, "Alpha Blending", &F::mniAlphaClick);
    Command(mniOptions, "Options", &F::mniOptionsClick);
    Command(mniHelp, "Help", &F::mniHelpClick);
    Command(mniClose, "Close Network", &F::mniCloseClick);
    for (ui::MenuItem* s : {&N1, &N2, &N3, &N4}) s->SetCaption(ui::MenuItem::kSeparator);
    for (ui::MenuItem* i : {&mniAlwaysOnTop, &mniGraph, &mniHide, &N1, &mniSnap, &mniBorder, &N2, &mniAlpha,
                            &N3, &mniOptions, &N4, &mniHelp, &mniClose})
        PopupMenu1.Items.Add(*i);
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
}

void TfrmInternet::FormCreate(const settings::SettingsFile* file) {
    const settings::NetworkWindowSettings design = settings::NetworkDesign();
    CreateFrame(kNetworkWidth, kNetworkHeight);
    SetBounds(design.left, design.top, kNetworkWidth, kNetworkHeight);
    BuildMenu();
    fontValue_ = ui::MakeFontPixels("Small Fonts", -9);
    const ui::MouseEvent drag = [this](ui::Control& c, ui::MouseButton b, int x, int y) {
        DragMouseDown(c, b, x, y);
    };

    leftBlotter.SetParent(this);
    leftBlotter.SetWidth(kLeftBlotterWidth);
    leftBlotter.SetAlign(ui::Align::Left);
    leftBlotter.SetColor(0);
    rightBlotter.SetParent(this);
    rightBlotter.SetAlign(ui::Align::Client);
    rightBlotter.SetColor(0);
    rightBlotter.SetBevelVisible(true);
    rightBlotter.SetBevelColors(0);

    Scope.SetParent(&rightBlotter);
    Scope.SetAlign(ui::Align::Client);
    Scope->SetInterval(1000);
    Scope->Channels().Add().SetColor(kDownHigh);  // upload
    Scope->Channels().Add().SetColor(kUpHigh);    // download
    Scope->SetGridSize(10);
    Scope->SetGridColor(0x005500);
    Scope->SetBaseOffset(0);
    Scope->SetBaseColor(0);
    Scope->SetFrequency(1);
    Scope->SetThreaded(false);
    Scope->OnNeedData = [this](widgets::TVrScope& s, int ch, int& v) { ScopeNeedData(s, ch, v); };
    Scope->OnError = [](const char* text) { ui::ShowExceptionBox(text); };
    Scope.OnMouseDown = drag;

    struct GaugeSetup {
        ui::Hosted<widgets::TVrGauge>& gauge;
        ui::Label& label;
        TArrowMark& arrow;
        COLORREF low, high;
    };
    for (const GaugeSetup& g : {GaugeSetup{DownGauge, lblDownValue, lblDownArrow, kDownLow, kDownHigh},
                                GaugeSetup{UpGauge, lblUpValue, lblUpArrow, kUpLow, kUpHigh}}) {
        g.gauge.SetParent(&leftBlotter);
        g.gauge->SetOrientation(widgets::voVertical);
        g.gauge->SetBevelVisible(false);
        g.gauge->SetPalette(widgets::TVrPalette(g.low, g.high));
        g.gauge->SetColor(0);
        g.gauge.OnMouseDown = drag;
        g.label.SetParent(&leftBlotter);
        g.label.SetFont(fontValue_.get());
        g.label.SetFontColor(g.high);
        g.label.SetCaption("");
        g.label.OnMouseDown = drag;
        g.arrow.SetParent(&leftBlotter);
        g.arrow.SetMarkColor(g.high);
        g.arrow.OnMouseDown = drag;
    }
    UpGauge->SetMaxValue(50);

    SetWindowTextA(Handle(), kHint);
    Scope->SetActive(true);
    FormResize();
    if (file) LoadSettings(*file);
}

void TfrmInternet::ScopeNeedData(widgets::TVrScope&, int channel, int& value) {
    const bool up = channel == 0;
    value = up ? Host().UpRate() : Host().DownRate();
    // A rate above the limit shows a full gauge; the scope clamps its own copy.
    (up ? UpGauge : DownGauge)->SetPositionClamped(value);
    char* text = up ? upText_ : downText_;
    RateText(value, text, sizeof downText_);
    (up ? lblUpValue : lblDownValue).SetCaption(text);
}

void TfrmInternet::mniGraphClick(ui::MenuItem&) {
    mniGraph.SetChecked(!mniGraph.Checked());
    leftBlotter.SetVisible(mniGraph.Checked());
}

void TfrmInternet::PopupMenu1Popup() { mniHide.SetCaption(gadget::HideItemCaption(Host().MainVisible())); }

void TfrmInternet::FormResize() {
    const int labelHeight = ui::MeasureText(fontValue_.get(), "0", 1).cy;
    const GaugeLayout g = LayoutGauges(ClientHeight(), labelHeight);
    const int w = widgets::TVrGauge::kDefaultWidth;
    DownGauge.SetBounds(4, 4, w, g.gaugeHeight);
    UpGauge.SetBounds(26, 4, w, g.gaugeHeight);
    lblDownValue.SetBounds(8, g.labelTop, lblDownValue.Width(), lblDownValue.Height());
    lblUpValue.SetBounds(31, g.labelTop, lblUpValue.Width(), lblUpValue.Height());
    // The markers sit level with the digits' middle.
    const int markTop = g.labelTop + (labelHeight - lblDownArrow.Height()) / 2;
    lblDownArrow.SetBounds(3, markTop, lblDownArrow.Width(), lblDownArrow.Height());
    lblUpArrow.SetBounds(25, markTop, lblUpArrow.Width(), lblUpArrow.Height());
    for (ui::Control* c : {static_cast<ui::Control*>(&lblDownValue), static_cast<ui::Control*>(&lblUpValue),
                           static_cast<ui::Control*>(&lblDownArrow), static_cast<ui::Control*>(&lblUpArrow)})
        c->SetVisible(g.labelVisible);
    DownGauge.SetVisible(g.gaugeVisible);
    UpGauge.SetVisible(g.gaugeVisible);
}

void TfrmInternet::SetUpperLimit(int limit) {
    if (limit <= Scope->MinValue()) return;
    Scope->SetMaxValue(limit);
    DownGauge->SetMaxValue(limit);
    UpGauge->SetMaxValue(limit);
}

void TfrmInternet::SetNetworkBackground(COLORREF c) {
    SetColor(c);
    DownGauge->SetColor(c);
    UpGauge->SetColor(c);
    leftBlotter.SetColor(c);
    rightBlotter.SetColor(c);
    rightBlotter.SetBevelColors(c);
}

void TfrmInternet::SetDownloadActive(COLORREF c) {
    DownGauge->Palette().SetHigh(c);
    lblDownValue.SetFontColor(c);
    lblDownArrow.SetMarkColor(c);
}

void TfrmInternet::SetUploadActive(COLORREF c) {
    UpGauge->Palette().SetHigh(c);
    lblUpValue.SetFontColor(c);
    lblUpArrow.SetMarkColor(c);
}

void TfrmInternet::LoadSettings(const settings::SettingsFile& file) {
    const settings::NetworkWindowSettings s = settings::ReadNetworkWindow(file, CurrentSettings());
    const StickToKind stick = StickTo;
    StickTo = soNothing;
    // Only a size beyond the screens, or a place off every monitor, is brought back into view.
    const ui::WindowBounds b = ui::FitToScreen({s.left, s.top, s.width, s.height}, gadget::kMinimumSize);
    SetBounds(b.left, b.top, b.width, b.height);
    StickTo = stick;
    SetUpperLimit(s.upperLimit);
    Blend.SetAlphaBlendValue(settings::OpacityFromSetting(s.alphaBlendValue));
    mniAlpha.SetChecked(s.alphaBlend);
    Blend.SetAlphaBlend(s.alphaBlend);
    DownGauge->Palette().SetLow(s.downloadGaugeBackground);
    SetDownloadActive(s.downloadGaugeActive);
    UpGauge->Palette().SetLow(s.uploadGaugeBackground);
    SetUploadActive(s.uploadGaugeActive);
    SetNetworkBackground(s.networkBackground);
    Scope->SetColor(s.graphBackground);
    Scope->SetBaseColor(s.graphBackground);
    Scope->SetGridColor(s.gridColor);
    Scope->Channels()[1].SetColor(s.downloadColor);
    Scope->Channels()[0].SetColor(s.uploadColor);
    if (s.show) ShowFromSettings();
    mniAlwaysOnTop.SetChecked(!s.alwaysOnTop);
    mniAlwaysOnTopClick(mniAlwaysOnTop);
}

settings::NetworkWindowSettings TfrmInternet::CurrentSettings() const {
    settings::NetworkWindowSettings s;
    s.show = Visible();
    const ui::Rect r = WindowRect();
    s.width = r.width;
    s.height = r.height;
    s.left = r.left;
    s.top = r.top;
    s.upperLimit = Scope->MaxValue();
    s.alphaBlend = Blend.AlphaBlend();
    s.alphaBlendValue = Blend.AlphaBlendValue();
    s.downloadGaugeBackground = DownGauge->Palette().Low();
    s.downloadGaugeActive = DownGauge->Palette().High();
    s.uploadGaugeBackground = UpGauge->Palette().Low();
    s.uploadGaugeActive = UpGauge->Palette().High();
    s.networkBackground = leftBlotter.Color();
    s.graphBackground = Scope->Color();
    s.gridColor = Scope->GridColor();
    s.downloadColor = Scope->Channels()[1].Color();
    s.uploadColor = Scope->Channels()[0].Color();
    s.alwaysOnTop = mniAlwaysOnTop.Checked();
    return s;
}

}  // namespace meters
