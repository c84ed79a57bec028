// TfrmOptions: the Options dialog. One tabbed window with every colour, opacity, the network
// limit and interface, the tray icon style and the start-up entry. Each show loads the live
// values from the program (OptionsHost); OK and Apply push them all back at once in the order
// of ApplyOptions and save the settings file.
//
//     TfrmOptions frmOptions(link);   // link: the program's windows as an OptionsHost
//     frmOptions.FormCreate();        // hidden; the interface list and the pages
//     frmOptions.SetVisible(true);    // FormShow loads the live values
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "monitor/settings/options_core.h"
#include "monitor/ui/buttons.h"
#include "monitor/ui/colour_dialog.h"
#include "monitor/ui/edits.h"
#include "monitor/ui/form.h"
#include "monitor/ui/pagecontrol.h"
#include "monitor/ui/trackbar.h"

namespace settings {

// The program as the dialog sees it: the live values, the interface table and the windows the
// apply operation changes (OptionsTarget).
class OptionsHost : public OptionsTarget {
public:
    // Every value the pages show, as the windows hold them now (the interface choice and the
    // start-up entry are the dialog's own business).
    virtual OptionsValues LiveValues() const = 0;
    // The interface descriptions in table order (empty when the table cannot be read).
    virtual std::vector<std::string> InterfaceDescriptions() = 0;
    // Network/Adapter as the settings file holds it.
    virtual std::optional<std::int32_t> StoredAdapterChoice() const = 0;
    virtual bool DualCPU() const = 0;
    // Hides System Details when it is shown with its own "Always On Top" on.
    virtual void HideDetailsOnTop() = 0;
    // The program's Help command.
    virtual void ShowHelp() = 0;

protected:
    ~OptionsHost() = default;
};

// The machine's start-up list: the value "Corvane Statwell" under HKEY_LOCAL_MACHINE
// Software\Microsoft\Windows\CurrentVersion\Run with the running program's full path, quoted.
class TJvRunOnStartup {
public:
    static constexpr const char* kValueName = "Corvane Statwell";
    static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    // Always on Windows 9x; on the NT family only for those who may open the service control
    // manager with full access.
    static bool MayChange();
    bool Exists() const;
    // Creates or removes the value; a failure is not reported.
    void SetPresent(bool present);
};

// A windowed text (so it shows inside group boxes and on pages of real controls).
class TStaticText : public ui::WinControl {
public:
    TStaticText() : WinControl("STATIC", SS_LEFT | SS_NOPREFIX) { SetTabStop(false); }
};

// A colour swatch: a sunken frame filled with its colour.
class TColorSwatch : public ui::WinControl {
public:
    TColorSwatch() : WinControl("STATIC", SS_NOTIFY) { SetTabStop(false); }
    Colour Value() const { return value_; }
    void SetValue(Colour c);

protected:
    bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    Colour value_ = 0;
};

// A colour button and its swatch: a click opens the colour dialog on the swatch's colour, and a
// confirmed choice changes the swatch only.
class TColorButton : public ui::Button {
public:
    TColorButton(TColorSwatch& swatch, ui::ColourDialog& dialog) : swatch_(swatch), dialog_(dialog) {}
    TColorSwatch& Swatch() const { return swatch_; }
    // Puts the button and its swatch into `parent`, the swatch right of the button.
    void Place(ui::Control* parent, int left, int top, int width, const char* caption);
    void btnColorClick(ui::Control& sender);

private:
    TColorSwatch& swatch_;
    ui::ColourDialog& dialog_;
};

// The page of one meter window (CPU 1, CPU 2, RAM, Swap): standard and enhanced colours and
// the opacity choice.
class TMeterOptionsSheet : public ui::TabSheet {
public:
    explicit TMeterOptionsSheet(ui::ColourDialog& dialog);
    void Build();
    MeterOptions Values() const;
    void Load(const MeterOptions& o);

    ui::GroupBox gbStandard, gbEnhanced, gbAlpha;
    TColorSwatch pnlBackgroundColor, pnlLowColor, pnlMediumColor, pnlHighColor;
    TColorButton btnBackgroundColor, btnLowColor, btnMediumColor, btnHighColor;
    TColorSwatch pnlEnBackground, pnlEnGrid, pnlEnLine, pnlEnGaugeBack, pnlEnGaugeColor;
    TColorButton btnEnBackgroundColor, btnEnGridColor, btnEnLineColor, btnEnGaugeBack, btnEnGaugeColor;
    ui::RadioButton rbAlphaStandard, rbAlphaVariable;
    ui::TrackBar tbStandard, tbVariable1, tbVariable2;
    TStaticText lblVariable1, lblVariable2;

private:
    MeterOptions loaded_;  // as the last show loaded them
};

class TfrmOptions : public ui::Form {
public:
    static constexpr const char* kCaption = "Options - Corvane Statwell";
    static constexpr int kClientWidth = 460, kClientHeight = 374;

    explicit TfrmOptions(OptionsHost& host);

    // ---- handlers
    void FormCreate();
    void FormShow();
    void btnOKClick(ui::Control& sender);
    void btnCancelClick(ui::Control& sender);
    void btnApplyClick(ui::Control& sender);
    void btnHelpClick(ui::Control& sender);
    // The apply operation of OK and Apply.
    void Apply();
    // The values the controls hold now.
    OptionsValues Values() const;

    // ---- controls
    ui::ColourDialog ColorDialog;
    TJvRunOnStartup JvRunOnStartup;
    ui::Button btnOK, btnCancel, btnApply, btnHelp;
    ui::PageControl pgOptions;
    ui::TabSheet tsMainGroup, tsNetwork;
    TMeterOptionsSheet tsCPU1, tsCPU2, tsRAM, tsSwap;
    ui::TabSheet tsMisc;
    // The outline the meter windows' frames copy; never shown.
    ui::Panel InvisibleBlotter;

    // Main Group
    ui::GroupBox gbMainCPU, gbMainRAM, gbMainSwap, gbMainAll, gbMainOpacity;
    TColorSwatch pnlMainCPULow, pnlMainCPUMedium, pnlMainCPUHigh;
    TColorButton btnMainCPULow, btnMainCPUMedium, btnMainCPUHigh;
    TColorSwatch pnlMainRAMLow, pnlMainRAMMedium, pnlMainRAMHigh;
    TColorButton btnMainRAMLow, btnMainRAMMedium, btnMainRAMHigh;
    TColorSwatch pnlMainSwapLow, pnlMainSwapMedium, pnlMainSwapHigh;
    TColorButton btnMainSwapLow, btnMainSwapMedium, btnMainSwapHigh;
    TColorSwatch pnlMainBackground;
    TColorButton btnMainBackground;
    ui::TrackBar tbMainOpacity;

    // Network
    ui::GroupBox gbUploadGauge, gbDownloadGauge, gbNetworkGraph, gbInternetForm, gbNetworkGeneral;
    TColorSwatch pnlUploadGaugeBackground, pnlUploadGaugeActive;
    TColorButton btnUploadGaugeBackground, btnUploadGaugeActive;
    TColorSwatch pnlDownloadGaugeBackground, pnlDownloadGaugeActive;
    TColorButton btnDownloadGaugeBackground, btnDownloadGaugeActive;
    TColorSwatch pnlNetworkUploadLineColor, pnlNetworkDownloadLineColor, pnlNetworkGridColor,
        pnlNetworkBackgroundColor;
    TColorButton btnNetworkUploadLineColor, btnNetworkDownloadLineColor, btnNetworkGridColor,
        btnNetworkBackgroundColor;
    TColorSwatch pnlInternetFormColor;
    TColorButton btnInternetFormColor;
    TStaticText lblNetworkLimit, lblAdapter, lblNetworkOpacity;
    ui::SpinEdit seNetwork;
    ui::ComboBox cmbAdapter;
    ui::TrackBar tbNetworkOpacity;

    // Misc
    ui::GroupBox gbMisc;
    TStaticText lblTrayType;
    ui::ComboBox cmbTrayType;
    ui::CheckBox cbLoadWindows;

    TMeterOptionsSheet& MeterSheet(Meter meter);
    // Rows of the interface table when the list was filled.
    int InterfaceRows() const { return rows_; }

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool CloseQuery() override;

private:
    void BuildMainGroup();
    void BuildNetwork();
    void BuildMisc();
    void CentreOnScreen();
    OptionsHost& host_;
    int rows_ = 0;
    int loadedLimit_ = 100;
    BarColours loadedCpu_, loadedCpu2_;  // both processor bars as the last show found them
};

}  // namespace settings
