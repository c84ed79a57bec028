// The four percentage meter windows (CPU 1, CPU 2, RAM, Swap): one form driven by the family
// table. Standard mode shows a coloured bar; Enhanced mode a gauge with the value beside a
// scrolling scope. Each reads its Main Group bar whenever its scope asks for data.
#pragma once
#include <windows.h>

#include "monitor/app/tick.h"
#include "monitor/meters/meter_frame.h"
#include "monitor/settings/settings_file.h"
#include "monitor/settings/settings_records.h"
#include "widgets/levelbar.h"
#include "widgets/scope.h"

namespace meters {

class TfrmMeter : public TMeterFrame {
public:
    TfrmMeter(settings::Meter meter, MeterHost& host);

    // Creation handler: builds the window and controls, the scope's frame outlined as
    // `outlineTemplate` (the Options dialog's template frame; null: the design outline), then
    // loads the window's section (`file` may be null: the design values stay).
    void FormCreate(const settings::SettingsFile* file, const ui::Panel* outlineTemplate = nullptr);

    ui::Hosted<widgets::TVrGauge> VrGauge;
    ui::Label lblValue;
    ui::Hosted<widgets::TALProgressBar> pbBar;
    ui::MenuItem mniHorizontal, mniEnhanced, mniTransparent;
    ui::MenuItem N1, N2, N3, N4, N5;

    // Variable transparency and the opacity the Options dialog edits.
    bool VariableBlend = false;
    int AlphaBase = 0;
    int AlphaRange = 255;
    int StandardAlpha = 180;

    settings::Meter Meter() const { return meter_; }
    const char* Hint() const { return hint_; }

    void ScopeNeedData(widgets::TVrScope& sender, int channel, int& value) override;
    void mniEnhancedClick(ui::MenuItem& sender);
    // Only Enhanced mode shows the blotters.
    void mniGraphClick(ui::MenuItem& sender) override;
    void mniHorizontalClick(ui::MenuItem& sender);
    void mniTransparentClick(ui::MenuItem& sender);
    void PopupMenu1Popup();
    void FormResize() override;

    void LoadSettings(const settings::SettingsFile& file);
    // The window's live state as its section stores it.
    settings::MeterWindowSettings CurrentSettings() const;
    // Applies EnBackground to the scope, form, gauge and both blotters.
    void SetEnBackground(COLORREF c);

    // The window as the tick's variable blending sees it.
    app::BlendWindow& BlendSeam() { return blendSeam_; }

private:
    class Seam final : public app::BlendWindow {
    public:
        explicit Seam(TfrmMeter& f) : f_(f) {}
        bool Visible() const override { return f_.Visible(); }
        bool VariableBlend() const override { return f_.VariableBlend; }
        bool AlphaBlend() const override { return f_.Blend.AlphaBlend(); }
        int AlphaBase() const override { return f_.AlphaBase; }
        int AlphaRange() const override { return f_.AlphaRange; }
        int Opacity() const override { return f_.Blend.AlphaBlendValue(); }
        void SetOpacity(int v) override { f_.Blend.SetAlphaBlendValue(v); }

    private:
        TfrmMeter& f_;
    };

    void BuildMenu();
    void PlaceValueLabel();
    settings::Meter meter_;
    const char* hint_;
    char text_[16] = "";
    ui::Font fontValue_;
    Seam blendSeam_{*this};
};

// The family's forms, each with its window class.
class TfrmCPU1 : public TfrmMeter {
public:
    explicit TfrmCPU1(MeterHost& host) : TfrmMeter(settings::Meter::CPU1, host) {}
};
class TfrmCPU2 : public TfrmMeter {
public:
    explicit TfrmCPU2(MeterHost& host) : TfrmMeter(settings::Meter::CPU2, host) {}
};
class TfrmRAM : public TfrmMeter {
public:
    explicit TfrmRAM(MeterHost& host) : TfrmMeter(settings::Meter::RAM, host) {}
};
class TfrmSwap : public TfrmMeter {
public:
    explicit TfrmSwap(MeterHost& host) : TfrmMeter(settings::Meter::Swap, host) {}
};

}  // namespace meters
