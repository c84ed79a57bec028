#include "monitor/app/options_link.h"

#include "monitor/metrics/ip_functions.h"

namespace app {

using namespace settings;

OptionsValues OptionsLink::LiveValues() const {
    OptionsValues v;
    v.mainOpacity = main_.Blend.AlphaBlendValue();
    v.mainBackground = main_.barCPU1->BackgroundColor();
    const auto coloursOf = [](const TMyBar& bar) {
        return BarColours{bar->BarColor1(), bar->BarColor2(), bar->BarColor3()};
    };
    v.cpu = coloursOf(main_.barCPU1);
    v.cpu2 = coloursOf(main_.barCPU2);
    v.ram = coloursOf(main_.barRAM);
    v.swap = coloursOf(main_.barSwap);

    const NetworkWindowSettings n =
        main_.NetworkWindow ? main_.NetworkWindow->CurrentSettings() : NetworkDesign();
    v.network.uploadGaugeBackground = n.uploadGaugeBackground;
    v.network.uploadGaugeActive = n.uploadGaugeActive;
    v.network.downloadGaugeBackground = n.downloadGaugeBackground;
    v.network.downloadGaugeActive = n.downloadGaugeActive;
    v.network.uploadLine = n.uploadColor;
    v.network.downloadLine = n.downloadColor;
    v.network.grid = n.gridColor;
    v.network.graphBackground = n.graphBackground;
    v.network.windowBackground = n.networkBackground;
    v.network.upperLimit = n.upperLimit;
    v.network.opacity = n.alphaBlendValue;

    for (int i = 0; i < kMeterCount; ++i) {
        const meters::TfrmMeter* w = main_.MeterWindows[i];
        v.meters[i] = MeterOptionsOf(w ? w->CurrentSettings() : MeterDesign(static_cast<Meter>(i)));
    }
    v.barGraphTray = main_.CoolTrayIcon.Visible();
    return v;
}

std::vector<std::string> OptionsLink::InterfaceDescriptions() {
    std::vector<std::string> names;
    try {
        metrics::IfTablePtr table;
        uint32_t size = 0;
        metrics::GetInterfaceTable(table, size, true);
        if (table)
            for (DWORD i = 0; i < table->dwNumEntries; ++i)
                names.push_back(metrics::InterfaceDescription(table->table[i]));
    } catch (const std::exception&) {
        // No table: only "All Interfaces" is offered.
        names.clear();
    }
    return names;
}

std::optional<std::int32_t> OptionsLink::StoredAdapterChoice() const {
    if (!main_.SettingsFile) return std::nullopt;
    return StoredAdapter(*main_.SettingsFile);
}

void OptionsLink::HideDetailsOnTop() {
    if (details_ && details_->Visible() && details_->mniAlwaysOnTop.Checked()) details_->SetVisible(false);
}

void OptionsLink::SetGadget(int opacity, Colour background, const BarColours& cpu1, const BarColours& cpu2,
                            const BarColours& ram, const BarColours& swap) {
    main_.Blend.SetAlphaBlendValue(opacity);
    MainSettings s;
    s.background = background;
    s.cpu1Colours = cpu1;
    s.cpu2Colours = cpu2;
    s.ramColours = ram;
    s.swapColours = swap;
    main_.ApplyColours(s);
}

void OptionsLink::ChangeAdapter(std::int32_t adapter) {
    main_.AdapterIndex = adapter;
    // The next tick primes the counters of the new choice again.
    main_.DownOctets = 0;
    main_.UpOctets = 0;
}

void OptionsLink::SetUpperLimit(int limit, int scalePeak) {
    if (main_.NetworkWindow) main_.NetworkWindow->SetUpperLimit(limit);
    if (details_ && limit > 0) {
        details_->Info.SetUpperLimit(limit);
        details_->Info.VrScale->SetPeakLevel(scalePeak);
    }
}

void OptionsLink::SetNetworkWindow(const NetworkOptions& n) {
    meters::TfrmInternet* w = main_.NetworkWindow;
    if (!w) return;
    w->Scope->SetColor(n.graphBackground);
    w->Scope->SetBaseColor(n.graphBackground);
    w->Scope->SetGridColor(n.grid);
    w->Scope->Channels()[0].SetColor(n.uploadLine);
    w->Scope->Channels()[1].SetColor(n.downloadLine);
    w->DownGauge->Palette().SetLow(n.downloadGaugeBackground);
    w->UpGauge->Palette().SetLow(n.uploadGaugeBackground);
    w->SetDownloadActive(n.downloadGaugeActive);
    w->SetUploadActive(n.uploadGaugeActive);
    w->SetNetworkBackground(n.windowBackground);
    w->Blend.SetAlphaBlendValue(n.opacity);
    if (w->Handle()) InvalidateRect(w->Handle(), nullptr, FALSE);
}

void OptionsLink::MarkRateAdapters() {
    if (details_) details_->Info.MarkRateAdapters();
}

AlphaPair OptionsLink::MeterPair(Meter meter) const {
    const meters::TfrmMeter* w = main_.MeterWindows[static_cast<int>(meter)];
    return w ? AlphaPair{w->AlphaBase, w->AlphaRange} : AlphaPair{0, 255};
}

void OptionsLink::SetMeter(Meter meter, const MeterApply& m) {
    meters::TfrmMeter* w = main_.MeterWindows[static_cast<int>(meter)];
    if (!w) return;
    w->pbBar->SetBackgroundColor(m.standardBackground);
    w->pbBar->SetBarColors(m.standard.low, m.standard.medium, m.standard.high);
    w->StandardAlpha = m.standardAlpha;
    if (m.setOpacity) w->Blend.SetAlphaBlendValue(m.standardAlpha);
    w->lblValue.SetFontColor(m.enGauge);
    w->SetEnBackground(m.enBackground);
    w->Scope->SetGridColor(m.enGrid);
    w->Scope->Channels()[0].SetColor(m.enLine);
    w->VrGauge->Palette().SetLow(m.enGaugeBack);
    w->VrGauge->Palette().SetHigh(m.enGauge);
    w->AlphaBase = m.pair.base;
    w->AlphaRange = m.pair.range;
    w->VariableBlend = m.variable;
    if (w->Handle()) InvalidateRect(w->Handle(), nullptr, FALSE);
}

void OptionsLink::SetTrayImage(bool image) {
    main_.CoolTrayIcon.SetVisible(image);
    main_.TextTrayIcon.SetVisible(!image);
}

void OptionsLink::SetStartupEntry(bool present) {
    if (options_) options_->JvRunOnStartup.SetPresent(present);
}

}  // namespace app
