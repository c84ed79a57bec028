#include "monitor/meters/frmInternet.h"

#include <algorithm>

#include "monitor/app/gadget_frame.h"

namespace meters {

namespace {
constexpr int kLeftBlotterWidth = 52;
constexpr COLORREF kDownLow = 32768, kDownHigh = 65177;
constexpr COLORREF kUpLow = 12534528, kUpHigh = 16750949;
}  // namespace

TfrmInternet::TfrmInternet(MeterHost& host) : TMeterFrame("TfrmInternet", host, kNetworkWindow) {}

void TfrmInternet::BuildMenu() {
    FrameCommands("Close Network");
    for (ui::MenuItem* s : {&N1, &N2, &N3, &N4}) s->SetCaption(ui::MenuItem::kSeparator);
    for (ui::MenuItem* i : {&mniAlwaysOnTop, &mniGraph, &mniHide, &N1, &mniSnap, &mniBorder, &N2, &mniAlpha,
                            &N3, &mniOptions, &N4, &mniHelp, &mniClose})
        PopupMenu1.Items.Add(*i);
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
}

void TfrmInternet::FormCreate(const settings::SettingsFile* file, const ui::Panel* outlineTemplate) {
    const settings::NetworkWindowSettings design = settings::NetworkDesign();
    CreateFrame(kNetworkWidth, kNetworkHeight);
    SetBounds(design.left, design.top, kNetworkWidth, kNetworkHeight);
    BuildMenu();
    fontValue_ = ui::MakeFontPixels("Small Fonts", -9);
    const ui::MouseEvent drag = Dragging();
    BuildContent(kLeftBlotterWidth, 2, outlineTemplate);
    Scope->Channels()[0].SetColor(kDownHigh);  // upload
    Scope->Channels()[1].SetColor(kUpHigh);    // download

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
        g.arrow.SetMarkColor(RGB(255, 255, 255));  // white until the settings give the active colour
        g.arrow.OnMouseDown = drag;
    }
    UpGauge->SetMaxValue(50);

    SetWindowTextA(Handle(), kHint);
    Hints.SetHint(*this, kHint);
    Hints.SetHint(DownGauge, kDownHint);
    Hints.SetHint(UpGauge, kUpHint);
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

void TfrmInternet::PopupMenu1Popup() { mniHide.SetCaption(gadget::HideItemCaption(Host().MainVisible())); }

void TfrmInternet::FormResize() {
    const int labelHeight = ui::MeasureText(fontValue_.get(), "0", 1).cy;
    const GaugeLayout g = LayoutGauges(ClientHeight(), labelHeight);
    const int w = widgets::TVrGauge::kDefaultWidth;
    DownGauge.SetBounds(4, 4, w, g.gaugeHeight);
    UpGauge.SetBounds(26, 4, w, g.gaugeHeight);
    lblDownValue.SetBounds(8, g.labelTop, lblDownValue.Width(), lblDownValue.Height());
    lblUpValue.SetBounds(31, g.labelTop, lblUpValue.Width(), lblUpValue.Height());
    // The markers' cells: the down one two pixels below the digits' top, the up one level
    // with it; in both the arrow's middle is level with the digits' middle.
    const int glyphTop = std::max(0, (labelHeight - TArrowMark::kGlyphHeight) / 2);
    lblDownArrow.SetBounds(3, g.labelTop + 2, TArrowMark::kGlyphWidth, labelHeight);
    lblDownArrow.SetGlyphTop(std::max(0, glyphTop - 2));
    lblUpArrow.SetBounds(25, g.labelTop, TArrowMark::kGlyphWidth, labelHeight);
    lblUpArrow.SetGlyphTop(glyphTop);
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
    SetStoredBounds(s.left, s.top, s.width, s.height);
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
    CurrentFrame(s);
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
