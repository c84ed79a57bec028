// Joins the Options dialog to the program's windows: it reads their live colours, opacities,
// limit and interface choice, and applies the dialog's values to the gadget, the floating
// windows and System Details.
#pragma once
#include "monitor/app/frmMain.h"
#include "monitor/details/frmTask.h"
#include "monitor/settings/frmOptions.h"

namespace app {

class OptionsLink : public settings::OptionsHost {
public:
    explicit OptionsLink(TfrmMain& main) : main_(main) {}
    void SetOptions(settings::TfrmOptions* f) { options_ = f; }
    void SetDetails(details::TfrmTask* f) { details_ = f; }

    // OptionsHost
    settings::OptionsValues LiveValues() const override;
    std::vector<std::string> InterfaceDescriptions() override;
    std::optional<std::int32_t> StoredAdapterChoice() const override;
    bool DualCPU() const override { return main_.DualCPU; }
    void HideDetailsOnTop() override;
    void ShowHelp() override { main_.mniHelpClick(main_.mniHelp); }

    // OptionsTarget
    void SetGadget(int opacity, settings::Colour background, const settings::BarColours& cpu1,
                   const settings::BarColours& cpu2, const settings::BarColours& ram,
                   const settings::BarColours& swap) override;
    std::int32_t Adapter() const override { return main_.AdapterIndex; }
    void ChangeAdapter(std::int32_t adapter) override;
    void SetUpperLimit(int limit, int scalePeak) override;
    void SetNetworkWindow(const settings::NetworkOptions& n) override;
    void MarkRateAdapters() override;
    settings::AlphaPair MeterPair(settings::Meter meter) const override;
    void SetMeter(settings::Meter meter, const settings::MeterApply& m) override;
    void SetTrayImage(bool image) override;
    void SetStartupEntry(bool present) override;
    void SaveSettings() override { main_.SaveSettings(); }

private:
    TfrmMain& main_;
    settings::TfrmOptions* options_ = nullptr;
    details::TfrmTask* details_ = nullptr;
};

}  // namespace app
