// TfrmInternet: the floating Network window. Two gauges with their values (download and
// upload) beside a scope that draws both rates, read from the Main Group's rate digits
// whenever the scope asks for data.
#pragma once
#include <windows.h>

#include "monitor/meters/meter_frame.h"
#include "monitor/settings/settings_file.h"
#include "monitor/settings/settings_records.h"
#include "widgets/levelbar.h"
#include "widgets/scope.h"

namespace meters {

class TfrmInternet : public TMeterFrame {
public:
    explicit TfrmInternet(MeterHost& host);

    // Creation handler: builds the window and controls at client 155 x 50 (the scope's frame
    // outlined as `outlineTemplate`, as in TfrmMeter), then loads the Network section (`file`
    // may be null).
    void FormCreate(const settings::SettingsFile* file, const ui::Panel* outlineTemplate = nullptr);

    ui::Hosted<widgets::TVrGauge> DownGauge, UpGauge;
    ui::Label lblDownValue, lblUpValue;
    TArrowMark lblDownArrow{false}, lblUpArrow{true};
    ui::MenuItem N1, N2, N3, N4;

    static constexpr const char* kHint = "Network Transfer Rates";
    static constexpr const char* kDownHint = "Download Rate";
    static constexpr const char* kUpHint = "Upload Rate";

    // Channel 0 is the upload rate, channel 1 the download rate.
    void ScopeNeedData(widgets::TVrScope& sender, int channel, int& value) override;
    void PopupMenu1Popup();
    void FormResize() override;

    void LoadSettings(const settings::SettingsFile& file);
    // The window's live state as the Network section stores it (Adapter is the gadget's).
    settings::NetworkWindowSettings CurrentSettings() const;
    // The maximum of the scope and both gauges; refused unless above 0.
    void SetUpperLimit(int limit);
    void SetNetworkBackground(COLORREF c);
    void SetDownloadActive(COLORREF c);
    void SetUploadActive(COLORREF c);

private:
    void BuildMenu();
    char downText_[16] = "", upText_[16] = "";
    ui::Font fontValue_;
};

}  // namespace meters
