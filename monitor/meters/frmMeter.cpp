#include "monitor/meters/frmMeter.h"

#include "monitor/app/gadget_frame.h"

namespace meters {

namespace {
constexpr COLORREF kBarBorder = 0x202020;
constexpr int kLeftBlotterWidth = 26;
}  // namespace

TfrmMeter::TfrmMeter(settings::Meter meter, MeterHost& host)
    : TMeterFrame(FamilyOf(meter).className, host, static_cast<int>(meter)),
      meter_(meter),
      hint_(FamilyOf(meter).hint) {}

void TfrmMeter::BuildMenu() {
    using M = TfrmMeter;
    FrameCommands(FamilyOf(meter_).closeCaption);
    Command(mniHorizontal, "Horizontal", &M::mniHorizontalClick);
    mniHorizontal.SetChecked(true);
    Command(mniEnhanced, "Enhanced Mode", &M::mniEnhancedClick);
    Command(mniTransparent, "Transparent Background", &M::mniTransparentClick);
    for (ui::MenuItem* s : {&N1, &N2, &N3, &N4, &N5}) s->SetCaption(ui::MenuItem::kSeparator);
    for (ui::MenuItem* i :
         {&mniAlwaysOnTop, &mniHorizontal, &mniGraph, &N1, &mniEnhanced, &mniHide, &N2, &mniSnap, &mniBorder,
          &N3, &mniAlpha, &mniTransparent, &N4, &mniOptions, &N5, &mniHelp, &mniClose})
        PopupMenu1.Items.Add(*i);
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
}

void TfrmMeter::FormCreate(const settings::SettingsFile* file, const ui::Panel* outlineTemplate) {
    const settings::MeterWindowSettings design = settings::MeterDesign(meter_);
    CreateFrame(design.width, design.height);
    SetBounds(design.left, design.top, design.width, design.height);
    BuildMenu();
    fontValue_ = ui::MakeFontPixels("Small Fonts", -9);

    // The standard bar fills the window.
    pbBar.SetParent(this);
    pbBar.SetAlign(ui::Align::Client);
    pbBar.SetHitTransparent(true);
    pbBar->SetBackgroundColor(0);
    pbBar->SetBorderColors(kBarBorder, kBarBorder);
    pbBar->SetBarColors(settings::kBarLow, settings::kBarMedium, settings::kBarHigh);
    pbBar->SetShowPosText(false);
    pbBar->SetPosition(0);

    // Enhanced mode: gauge and value on the left, the scope on the right.
    BuildContent(kLeftBlotterWidth, 1, outlineTemplate);

    VrGauge.SetParent(&leftBlotter);
    VrGauge->SetOrientation(widgets::voVertical);
    VrGauge->SetBevelVisible(false);
    VrGauge->SetPalette(widgets::TVrPalette(0x008000, 0x00FF00));
    VrGauge->SetColor(0);
    VrGauge.SetBounds(4, 4, widgets::TVrGauge::kDefaultWidth, 1);
    VrGauge.OnMouseDown = Dragging();
    lblValue.SetParent(&leftBlotter);
    lblValue.SetFont(fontValue_.get());
    lblValue.SetFontColor(0x00FF00);
    lblValue.SetCaption("");
    lblValue.OnMouseDown = Dragging();

    // Standard mode to begin with.
    pbBar.SetVisible(true);
    Scope.SetVisible(false);
    leftBlotter.SetVisible(false);
    rightBlotter.SetVisible(false);

    if (meter_ == settings::Meter::CPU1 && Host().OneProcessor()) {
        mniClose.SetCaption(kOneCpuClose);
        hint_ = kOneCpuHint;
    }
    SetWindowTextA(Handle(), hint_);
    Hints.SetHint(*this, hint_);
    Scope->SetActive(true);
    if (file) LoadSettings(*file);
}

void TfrmMeter::ScopeNeedData(widgets::TVrScope&, int, int& value) {
    value = Host().Reading(meter_);
    VrGauge->SetPosition(value);
    if (pbBar.Visible()) pbBar->SetPosition(value);
    ValueText(value, text_, sizeof text_);
    lblValue.SetCaption(text_);
    PlaceValueLabel();
}

void TfrmMeter::PlaceValueLabel() {
    // At 6 from the left; a wider text ("100 %") moves left so it is not cut by the blotter.
    int left = kLeftBlotterWidth - lblValue.Width();
    if (left > 6) left = 6;
    if (left < 0) left = 0;
    if (left != lblValue.Left()) lblValue.SetLeft(left);
}

void TfrmMeter::mniEnhancedClick(ui::MenuItem&) {
    mniEnhanced.SetChecked(!mniEnhanced.Checked());
    if (mniEnhanced.Checked()) {
        pbBar.SetVisible(false);
        Scope.SetVisible(true);
        leftBlotter.SetVisible(mniGraph.Checked());
        rightBlotter.SetVisible(true);
        SetClientSize(kEnhancedWidth, kEnhancedHeight);
        Blend.SetTransparentColor(false);
    } else {
        pbBar.SetVisible(true);
        Scope.SetVisible(false);
        leftBlotter.SetVisible(false);
        rightBlotter.SetVisible(false);
        Blend.SetTransparentColor(mniTransparent.Checked());
    }
    FormResize();
}

void TfrmMeter::mniGraphClick(ui::MenuItem&) {
    mniGraph.SetChecked(!mniGraph.Checked());
    // Only Enhanced mode shows the blotters.
    leftBlotter.SetVisible(mniGraph.Checked() && mniEnhanced.Checked());
}

void TfrmMeter::mniHorizontalClick(ui::MenuItem&) {
    mniHorizontal.SetChecked(!mniHorizontal.Checked());
    pbBar->SetDirection(mniHorizontal.Checked() ? widgets::TALProgressBar::LeftToRight
                                                : widgets::TALProgressBar::BottomToTop);
}

void TfrmMeter::mniTransparentClick(ui::MenuItem&) {
    mniTransparent.SetChecked(!mniTransparent.Checked());
    Blend.SetTransparentColor(mniTransparent.Checked());
}

void TfrmMeter::PopupMenu1Popup() {
    mniHide.SetCaption(gadget::HideItemCaption(Host().MainVisible()));
    const MenuShown shown = MeterMenu(mniEnhanced.Checked());
    mniGraph.SetVisible(shown.graph);
    mniHorizontal.SetVisible(shown.horizontal);
    mniTransparent.SetVisible(shown.transparent);
}

void TfrmMeter::FormResize() {
    const int labelHeight = ui::MeasureText(fontValue_.get(), "0", 1).cy;
    const GaugeLayout g = LayoutGauges(ClientHeight(), labelHeight);
    VrGauge.SetBounds(4, 4, widgets::TVrGauge::kDefaultWidth, g.gaugeHeight);
    lblValue.SetTop(g.labelTop);
    PlaceValueLabel();
    lblValue.SetVisible(g.labelVisible);
    VrGauge.SetVisible(g.gaugeVisible);
}

void TfrmMeter::SetEnBackground(COLORREF c) {
    Scope->SetBaseColor(c);
    Scope->SetColor(c);
    SetColor(c);
    VrGauge->SetColor(c);
    leftBlotter.SetColor(c);
    rightBlotter.SetColor(c);
    rightBlotter.SetBevelColors(c);
}

void TfrmMeter::LoadSettings(const settings::SettingsFile& file) {
    using F = TMeterFrame;
    const settings::MeterWindowSettings s = settings::ReadMeter(file, meter_, CurrentSettings());
    SetStoredBounds(s.left, s.top, s.width, s.height);

    // Menu-backed switches: the opposite mark, then the command, which flips it back.
    struct Switch {
        ui::MenuItem& item;
        bool value;
        void (TfrmMeter::*handler)(ui::MenuItem&);
    };
    const Switch switches[] = {
        {mniAlwaysOnTop, s.alwaysOnTop, &F::mniAlwaysOnTopClick},
        {mniSnap, s.snap, &F::mniSnapClick},
        {mniHorizontal, s.horizontal, &TfrmMeter::mniHorizontalClick},
        {mniGraph, s.barGraph, &TfrmMeter::mniGraphClick},
        {mniEnhanced, s.enhanced, &TfrmMeter::mniEnhancedClick},
        {mniTransparent, s.transparentBackground, &TfrmMeter::mniTransparentClick},
    };
    for (const Switch& sw : switches) {
        sw.item.SetChecked(!sw.value);
        (this->*sw.handler)(sw.item);
    }
    mniAlpha.SetChecked(s.alphaBlend);
    Blend.SetAlphaBlend(s.alphaBlend);
    VariableBlend = s.variableBlend;
    StandardAlpha = s.alphaBlendValue;
    Blend.SetAlphaBlendValue(settings::OpacityFromSetting(s.alphaBlendValue));
    AlphaBase = s.alphaBase;
    AlphaRange = s.alphaRange;
    pbBar->SetBackgroundColor(s.standardBackground);
    pbBar->SetBarColors(s.standardLow, s.standardMedium, s.standardHigh);
    SetEnBackground(s.enBackground);
    Scope->SetGridColor(s.enGrid);
    Scope->Channels()[0].SetColor(s.enLine);
    VrGauge->Palette().SetLow(s.enGaugeBack);
    VrGauge->Palette().SetHigh(s.enGauge);
    lblValue.SetFontColor(s.enGauge);
    if (s.show) ShowFromSettings();
}

settings::MeterWindowSettings TfrmMeter::CurrentSettings() const {
    settings::MeterWindowSettings s;
    CurrentFrame(s);
    s.alwaysOnTop = mniAlwaysOnTop.Checked();
    s.snap = mniSnap.Checked();
    s.horizontal = mniHorizontal.Checked();
    s.barGraph = mniGraph.Checked();
    s.enhanced = mniEnhanced.Checked();
    s.windowsBorder = mniBorder.Checked();
    s.transparentBackground = mniTransparent.Checked();
    s.alphaBlend = Blend.AlphaBlend();
    s.variableBlend = VariableBlend;
    s.alphaBlendValue = StandardAlpha;
    s.alphaBase = AlphaBase;
    s.alphaRange = AlphaRange;
    s.standardBackground = pbBar->BackgroundColor();
    s.standardLow = pbBar->BarColor1();
    s.standardMedium = pbBar->BarColor2();
    s.standardHigh = pbBar->BarColor3();
    s.enBackground = Scope->Color();
    s.enGrid = Scope->GridColor();
    s.enLine = Scope->Channels()[0].Color();
    s.enGaugeBack = VrGauge->Palette().Low();
    s.enGauge = VrGauge->Palette().High();
    return s;
}

}  // namespace meters
