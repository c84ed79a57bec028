// Joins the System Details window to the gadget: the window reads the gadget's figures and
// asks it for the shared commands; the tick sees the window through DetailsWindow.
#pragma once
#include "monitor/app/frmMain.h"
#include "monitor/details/frmTask.h"

namespace app {

class DetailsLink final : public details::ProgramLink, public DetailsWindow, private AdapterListSink {
public:
    explicit DetailsLink(TfrmMain& main) : main_(main) {}
    void SetWindow(details::TfrmTask* w) { window_ = w; }

    // ProgramLink
    int CPU1() const override { return main_.CPU1(); }
    int RAM() const override { return main_.RAM(); }
    int Swap() const override { return main_.Swap(); }
    const char* DownloadCaption() const override { return main_.lblDownload.Caption().c_str(); }
    const char* UploadCaption() const override { return main_.lblUpload.Caption().c_str(); }
    bool Terminating() const override { return !main_.Handle(); }
    void TrimWorkingSet() override;
    void ProgramOptions() override { main_.mniOptionsClick(main_.mniOptions); }
    void HelpContents() override { main_.mniHelpClick(main_.mniHelp); }
    void About() override { main_.mniAboutClick(main_.mniAbout); }
    int DownloadRate() const override { return main_.lcdDown1->Value(); }
    int UploadRate() const override { return main_.lcdUp1->Value(); }
    int32_t AdapterChoice() const override { return main_.AdapterIndex; }
    int UpperLimit() const override;
    void ReadOctets() override { main_.ReadAdapterCounters(*this); }

    // DetailsWindow
    bool ShownNotMinimised() const override { return window_ && window_->ShownNotMinimised(); }
    void Refresh() override {
        if (window_) window_->TimerEvent();
    }
    AdapterListSink& Adapters() override { return *this; }

private:
    // The tick's counters go to the adapters list of the Network tab.
    void AdapterCounters(const InterfaceCounters& row) override {
        if (window_) window_->Info.AdapterCounters(row);
    }
    TfrmMain& main_;
    details::TfrmTask* window_ = nullptr;
};

}  // namespace app
