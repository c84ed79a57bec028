// The Options dialog over the program's real windows in this process: what each show loads,
// the colour buttons over the system's colour dialog, Cancel, and one Apply reaching the
// gadget, the floating windows, System Details, the tray icons, the interface choice, the
// start-up entry and the settings file; then OK after a restart leaving the file as it was.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "monitor/app/details_link.h"
#include "monitor/app/frmMain.h"
#include "monitor/app/options_link.h"
#include "monitor/meters/frmInternet.h"
#include "monitor/meters/frmMeter.h"
#include "monitor/settings/frmOptions.h"
#include "monitor/settings/profile_store.h"
#include "tests/support/gadget_fixture.h"
#include "tests/support/ui_driver.h"

namespace {

struct FakeSource : app::MetricSource {
    std::vector<app::InterfaceCounters> rows{{1, 1000, 500}, {2, 2000, 700}};
    void SampleProcessors() override {}
    double ProcessorLoad(int) override { return 0.25; }
    app::MemoryReading Memory() override { return {40, 1000, 970}; }
    const app::InterfaceCounters* ReadInterfaces(std::size_t& n) override {
        n = rows.size();
        return rows.data();
    }
    void TrimWorkingSet() override {}
};

// The interface list of the fake table.
class TestLink : public app::OptionsLink {
public:
    using OptionsLink::OptionsLink;
    std::vector<std::string> InterfaceDescriptions() override { return {"Ethernet card", "Wireless card"}; }
};

void Pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

// The windows of the program in their order of creation, over an in-memory settings file.
struct Program {
    explicit Program(const std::string& ini, bool dual) {
        testgadget::Load(frm, store, ini);
        frm.DualCPU = dual;
        link.SetOptions(&options);
        options.FormCreate();
        const settings::SettingsFile* file = frm.SettingsFile.get();
        cpu1.FormCreate(file);
        swap.FormCreate(file);
        cpu2.FormCreate(file);
        net.FormCreate(file);
        ram.FormCreate(file);
        frm.AttachFloatingWindows({&cpu1, &cpu2, &ram, &swap}, &net);
        task.FormCreate();
        detailsLink.SetWindow(&task);
        link.SetDetails(&task);
        app::WindowSet w;
        w.frmMain = &frm;
        w.frmOptions = &options;
        w.frmTask = &task;
        frm.SetWindows(w);
    }
    ~Program() {
        frm.Details = nullptr;
        frm.AttachFloatingWindows({nullptr, nullptr, nullptr, nullptr}, nullptr);
        frm.SetWindows({});
        detailsLink.SetWindow(nullptr);
        task.Info.FormDestroy();
    }

    ui::Application application{GetModuleHandleA(nullptr), "Corvane Statwell"};
    settings::MemoryProfileStore store;
    FakeSource src;
    app::TfrmMain frm{&src};
    TestLink link{frm};
    settings::TfrmOptions options{link};
    meters::TfrmCPU1 cpu1{frm};
    meters::TfrmSwap swap{frm};
    meters::TfrmCPU2 cpu2{frm};
    meters::TfrmInternet net{frm};
    meters::TfrmRAM ram{frm};
    app::DetailsLink detailsLink{frm};
    details::TfrmTask task{detailsLink};
};

// Answers the next colour dialog of this thread: the given colour and OK, or Cancel.
struct ColourAnswer {
    COLORREF colour = 0;
    bool ok = true;
    bool seen = false;
};
ColourAnswer* g_answer = nullptr;

BOOL CALLBACK FindDialog(HWND w, LPARAM out) {
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
}

VOID CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dlg));
    if (!dlg || !g_answer) return;
    KillTimer(nullptr, id);
    g_answer->seen = true;
    if (g_answer->ok) {
        // The red, green and blue fields of the custom-colour part.
        SetDlgItemInt(dlg, 706, GetRValue(g_answer->colour), FALSE);
        SetDlgItemInt(dlg, 707, GetGValue(g_answer->colour), FALSE);
        SetDlgItemInt(dlg, 708, GetBValue(g_answer->colour), FALSE);
    }
    PostMessageA(dlg, WM_COMMAND, g_answer->ok ? IDOK : IDCANCEL, 0);
}

void ClickAnswering(ui::Button& button, ColourAnswer& answer) {
    g_answer = &answer;
    SetTimer(nullptr, 0, 50, AnswerDialog);
    button.Click();
    g_answer = nullptr;
}

std::string RunValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, settings::TJvRunOnStartup::kRunKey, 0, KEY_QUERY_VALUE, &key))
        return "<none>";
    char data[MAX_PATH] = "";
    DWORD size = sizeof data;
    const LONG r = RegQueryValueExA(key, settings::TJvRunOnStartup::kValueName, nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? data : "<none>";
}

const char kIni[] =
    "[Main]\nFirstTime=0\nShow=1\nAlphaBlendValue=200\nCPU1Low=111\nCPU2Low=111\nCPU2Medium=4242\n"
    "[Network]\nAdapter=1\nUpperLimit=100\n"
    "[RAM]\nAlphaBase=40\nAlphaRange=100\nAlphaBlendValue=90\nVariableBlend=1\n";

TEST(OptionsDialog, LoadsEditsCancelsAndAppliesToEveryWindow) {
    Program p(kIni, false);
    settings::TfrmOptions& o = p.options;

    // Created hidden, one CPU: no "CPU 2" tab; the stored interface of today's table stays.
    char cls[32] = "";
    GetClassNameA(o.Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TfrmOptions");
    EXPECT_FALSE(IsWindowVisible(o.Handle()));
    EXPECT_FALSE(o.tsCPU2.TabVisible());
    EXPECT_EQ(SendMessageA(o.pgOptions.Handle(), TCM_GETITEMCOUNT, 0, 0), 6);
    ASSERT_EQ(o.cmbAdapter.Count(), 3);
    EXPECT_EQ(o.cmbAdapter.Item(2), "All Interfaces");
    EXPECT_EQ(o.cmbAdapter.ItemIndex(), 1);
    EXPECT_EQ(p.frm.AdapterIndex, 1);

    // Shown by the gadget's command over System Details kept on top, which goes away.
    p.task.SetVisible(true);
    ASSERT_TRUE(p.task.mniAlwaysOnTop.Checked());
    p.frm.mniOptionsClick(p.frm.mniOptions);
    Pump();
    EXPECT_TRUE(IsWindowVisible(o.Handle()));
    EXPECT_FALSE(IsWindowVisible(p.task.Handle()));
    char caption[64] = "";
    GetWindowTextA(o.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Options - Corvane Statwell");
    const ui::Rect r = o.WindowRect();
    EXPECT_LE(std::abs(r.left + r.width / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);

    // The live values.
    EXPECT_EQ(o.tbMainOpacity.Position(), 200);
    EXPECT_EQ(o.pnlMainCPULow.Value(), 111u);
    EXPECT_EQ(o.seNetwork.Value(), 100);
    EXPECT_EQ(o.tsRAM.tbVariable1.Position(), 40);
    EXPECT_EQ(o.tsRAM.tbVariable2.Position(), 140);
    EXPECT_EQ(o.tsRAM.tbStandard.Position(), 90);
    EXPECT_TRUE(o.tsRAM.rbAlphaVariable.Checked());
    EXPECT_TRUE(o.tsCPU1.rbAlphaStandard.Checked());
    EXPECT_EQ(o.cmbTrayType.ItemIndex(), 0);

    // The pages from the keyboard, past the absent "CPU 2" page and round the ends; the focus
    // goes with the page.
    SetFocus(o.btnMainCPULow.Handle());
    uitest::PressKey(VK_TAB, false, true);
    EXPECT_EQ(o.pgOptions.ActivePage(), &o.tsNetwork);
    EXPECT_EQ(GetFocus(), o.btnUploadGaugeBackground.Handle());
    uitest::PressKey(VK_NEXT, false, true);
    EXPECT_EQ(o.pgOptions.ActivePage(), &o.tsCPU1);
    uitest::PressKey(VK_NEXT, false, true);
    EXPECT_EQ(o.pgOptions.ActivePage(), &o.tsRAM);
    uitest::PressKey(VK_PRIOR, false, true);
    EXPECT_EQ(o.pgOptions.ActivePage(), &o.tsCPU1);
    for (int i = 0; i < 3; ++i) uitest::PressKey(VK_TAB, true, true);
    EXPECT_EQ(o.pgOptions.ActivePage(), &o.tsMisc);
    EXPECT_EQ(SendMessageA(o.pgOptions.Handle(), TCM_GETCURSEL, 0, 0), 5);
    uitest::PressKey(VK_TAB, false, true);
    EXPECT_EQ(o.pgOptions.ActivePage(), &o.tsMainGroup);

    // A colour button: a confirmed choice changes the swatch only, a cancelled one nothing.
    o.ColorDialog.FullOpen = true;
    ColourAnswer chosen{RGB(1, 2, 3), true};
    ClickAnswering(o.btnMainCPULow, chosen);
    EXPECT_TRUE(chosen.seen);
    EXPECT_EQ(o.pnlMainCPULow.Value(), RGB(1, 2, 3));
    EXPECT_EQ(p.frm.barCPU1->BarColor1(), 111u);
    ColourAnswer cancelled{RGB(9, 9, 9), false};
    const COLORREF high = o.pnlMainRAMHigh.Value();
    ClickAnswering(o.btnMainRAMHigh, cancelled);
    EXPECT_TRUE(cancelled.seen);
    EXPECT_EQ(o.pnlMainRAMHigh.Value(), high);

    // Cancel applies nothing, and the next show forgets the edit.
    const std::string before = p.store.Text();
    o.btnCancel.Click();
    EXPECT_FALSE(IsWindowVisible(o.Handle()));
    EXPECT_EQ(p.frm.barCPU1->BarColor1(), 111u);
    EXPECT_EQ(p.store.Text(), before);
    p.frm.mniOptionsClick(p.frm.mniOptions);
    EXPECT_EQ(o.pnlMainCPULow.Value(), 111u);

    // Edits on every page, then Apply.
    o.pnlMainCPULow.SetValue(RGB(1, 2, 3));
    o.pnlMainBackground.SetValue(0x202020);
    o.tbMainOpacity.SetPosition(150);
    o.tsCPU1.pnlEnGrid.SetValue(0x0000AA);
    o.tsCPU1.pnlHighColor.SetValue(0x0A0B0C);
    o.tsCPU1.tbStandard.SetPosition(120);
    o.pnlNetworkGridColor.SetValue(0x00AA00);
    o.pnlInternetFormColor.SetValue(0x101010);
    o.pnlDownloadGaugeActive.SetValue(0x00EE00);
    o.seNetwork.SetValue(200);
    o.tsRAM.tbVariable1.SetPosition(200);  // not below "100%": the pair stays
    o.tsRAM.tbVariable2.SetPosition(100);
    o.tsSwap.tbVariable1.SetPosition(50);
    o.tsSwap.tbVariable2.SetPosition(150);
    o.tsSwap.rbAlphaVariable.SetChecked(true);
    o.cmbTrayType.SetItemIndex(1);
    o.cmbAdapter.SetItemIndex(0);
    p.frm.DownOctets = 1000;
    p.frm.UpOctets = 500;
    o.btnApply.Click();
    EXPECT_TRUE(IsWindowVisible(o.Handle()));

    EXPECT_EQ(p.frm.barCPU1->BarColor1(), RGB(1, 2, 3));
    EXPECT_EQ(p.frm.barCPU2->BarColor1(), RGB(1, 2, 3));
    EXPECT_EQ(p.frm.barCPU2->BarColor2(), 4242u);  // untouched: the second bar's own colour stays
    EXPECT_EQ(p.frm.barSwap->BackgroundColor(), 0x202020u);
    EXPECT_EQ(p.frm.Blend.AlphaBlendValue(), 150);
    EXPECT_EQ(p.cpu1.Scope->GridColor(), 0x0000AAu);
    EXPECT_EQ(p.cpu1.pbBar->BarColor3(), 0x0A0B0Cu);
    EXPECT_EQ(p.cpu1.Blend.AlphaBlendValue(), 120);
    EXPECT_EQ(p.net.Scope->GridColor(), 0x00AA00u);
    EXPECT_EQ(p.net.leftBlotter.Color(), 0x101010u);
    EXPECT_EQ(p.net.lblDownArrow.MarkColor(), 0x00EE00u);
    EXPECT_EQ(p.net.Scope->MaxValue(), 200);
    EXPECT_EQ(p.net.DownGauge->MaxValue(), 200);
    EXPECT_EQ(p.task.Info.VrScale->MaxValue(), 200);
    EXPECT_EQ(p.task.Info.VrScale->PeakLevel(), 160);
    EXPECT_EQ(p.ram.AlphaBase, 40);
    EXPECT_EQ(p.ram.AlphaRange, 100);
    EXPECT_EQ(p.swap.AlphaBase, 50);
    EXPECT_EQ(p.swap.AlphaRange, 100);
    EXPECT_TRUE(p.swap.VariableBlend);
    EXPECT_FALSE(p.frm.CoolTrayIcon.Visible());
    EXPECT_TRUE(p.frm.TextTrayIcon.Visible());
    EXPECT_EQ(p.frm.AdapterIndex, 0);
    EXPECT_EQ(p.frm.DownOctets, 0u);
    // Saved at once.
    EXPECT_EQ(p.store.Read("Main", "TrayIconImage", "?"), "0");
    EXPECT_EQ(p.store.Read("Main", "CPU1Low", "?"), std::to_string(RGB(1, 2, 3)));
    EXPECT_EQ(p.store.Read("Main", "AlphaBlendValue", "?"), "150");
    EXPECT_EQ(p.store.Read("Network", "UpperLimit", "?"), "200");
    EXPECT_EQ(p.store.Read("Network", "Adapter", "?"), "0");
    EXPECT_EQ(p.store.Read("CPU1", "EnGrid", "?"), std::to_string(0x0000AA));
    EXPECT_EQ(p.store.Read("Swap", "AlphaBase", "?"), "50");

    // The next tick primes the new interface's counters (0 KB/s), then shows its rates only.
    p.frm.TimerTimer();
    EXPECT_EQ(p.frm.lcdDown1->Value(), 0);
    p.src.rows[0].inOctets += 10 * 1024;
    p.src.rows[1].inOctets += 500 * 1024;
    p.frm.TimerTimer();
    EXPECT_EQ(p.frm.lcdDown1->Value(), 10);

    // "All Interfaces" is kept as -1, whatever the row count.
    o.cmbAdapter.SetItemIndex(2);
    o.btnApply.Click();
    EXPECT_EQ(p.store.Read("Network", "Adapter", "?"), "-1");

    // The start-up entry, where this user may change the machine's list.
    if (o.cbLoadWindows.Enabled()) {
        char exe[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        o.cbLoadWindows.SetChecked(true);
        o.btnApply.Click();
        EXPECT_EQ(RunValue(), std::string("\"") + exe + "\"");
        o.btnCancel.Click();
        p.frm.mniOptionsClick(p.frm.mniOptions);
        EXPECT_TRUE(o.cbLoadWindows.Checked());
        o.cbLoadWindows.SetChecked(false);
        o.btnOK.Click();
        EXPECT_EQ(RunValue(), "<none>");
    } else {
        o.btnOK.Click();
    }
    EXPECT_FALSE(IsWindowVisible(o.Handle()));
}

TEST(OptionsDialog, OkAfterARestartTouchingNothingKeepsTheFile) {
    // A file as a run of the program left it, with a meter opacity other than the design's.
    std::string saved;
    {
        Program first(std::string(kIni) + "[CPU1]\nAlphaBlendValue=77\nAlphaBase=10\nAlphaRange=60\n", true);
        first.frm.SaveSettings();
        saved = first.store.Text();
    }
    Program p(saved, true);
    EXPECT_TRUE(p.options.tsCPU2.TabVisible());
    p.frm.SaveSettings();
    const std::string rewritten = p.store.Text();
    p.frm.mniOptionsClick(p.frm.mniOptions);
    p.options.btnOK.Click();
    EXPECT_EQ(p.store.Text(), rewritten);
    EXPECT_EQ(p.store.Read("CPU1", "AlphaBlendValue", "?"), "77");
    EXPECT_EQ(p.store.Read("CPU1", "AlphaRange", "?"), "60");
    EXPECT_EQ(p.store.Read("Main", "CPU2Medium", "?"), "4242");
    EXPECT_EQ(p.store.Read("Network", "Adapter", "?"), "1");
}

}  // namespace
