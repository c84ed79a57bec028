// statwell: program entry. Refuses a second copy of the same executable, then creates the ten
// windows in their fixed order and runs the message loop until the gadget closes.
#include <windows.h>

#include <memory>

#include "monitor/app/details_link.h"
#include "monitor/app/frmAbout.h"
#include "monitor/app/frmMain.h"
#include "monitor/app/options_link.h"
#include "monitor/app/single_instance.h"
#include "monitor/meters/frmInternet.h"
#include "monitor/meters/frmMeter.h"
#include "monitor/metrics/cpu_usage.h"
#include "monitor/stopwatch/frmStopWatch.h"
#include "monitor/ui/form.h"
#include "widgets/widgets_res.h"

namespace {

int Run(HINSTANCE inst) {
    // Nothing waits on this mutex; it stays open until the process ends.
    ui::KernelHandle mutex(CreateMutexA(nullptr, FALSE, "DLN2"));

    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    app::SingleInstance instance(exe);
    if (!instance.Accepted()) return 0;

    ui::Application application(inst, "Corvane Statwell", LoadIconA(inst, MAKEINTRESOURCEA(IDI_STATWELL)));
    app::TfrmMain frmMain;
    app::WindowSet w;
    w.frmMain = &frmMain;
    frmMain.dfsStickyFormCreate();
    app::OptionsLink optionsLink(frmMain);
    settings::TfrmOptions frmOptions(optionsLink);
    optionsLink.SetOptions(&frmOptions);
    frmOptions.FormCreate();
    // Each floating window reads its own section while it is created, and outlines its graph
    // as the Options dialog's template frame.
    const settings::SettingsFile* file = frmMain.SettingsFile.get();
    const ui::Panel* outline = &frmOptions.InvisibleBlotter;
    meters::TfrmCPU1 frmCPU1(frmMain);
    frmCPU1.FormCreate(file, outline);
    meters::TfrmSwap frmSwap(frmMain);
    frmSwap.FormCreate(file, outline);
    meters::TfrmCPU2 frmCPU2(frmMain);
    frmCPU2.FormCreate(file, outline);
    meters::TfrmInternet frmInternet(frmMain);
    frmInternet.FormCreate(file, outline);
    meters::TfrmRAM frmRAM(frmMain);
    frmRAM.FormCreate(file, outline);
    frmMain.AttachFloatingWindows({&frmCPU1, &frmCPU2, &frmRAM, &frmSwap}, &frmInternet);
    app::DetailsLink detailsLink(frmMain);
    details::TfrmTask frmTask(detailsLink);
    frmTask.FormCreate();
    detailsLink.SetWindow(&frmTask);
    optionsLink.SetDetails(&frmTask);
    frmMain.Details = &detailsLink;
    stopwatch::TfrmStopWatch frmStopWatch;
    frmStopWatch.AdapterIndex = [&frmMain] { return static_cast<std::int32_t>(frmMain.AdapterIndex); };
    frmStopWatch.FormCreate();
    app::TfrmAbout frmAbout;
    frmAbout.FormCreate();
    w.frmOptions = &frmOptions;
    w.frmCPU1 = &frmCPU1;
    w.frmSwap = &frmSwap;
    w.frmCPU2 = &frmCPU2;
    w.frmInternet = &frmInternet;
    w.frmRAM = &frmRAM;
    w.frmTask = &frmTask;
    w.frmStopWatch = &frmStopWatch;
    w.frmAbout = &frmAbout;
    frmMain.SetWindows(w);

    const int code = application.Run(frmMain);
    frmMain.Details = nullptr;
    frmMain.AttachFloatingWindows({nullptr, nullptr, nullptr, nullptr}, nullptr);
    frmMain.SetWindows({});
    metrics::StopProcessorSampling();
    return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    int code = 0;
    if (!ui::Guarded([&] { code = Run(inst); })) return 1;
    return code;
}
