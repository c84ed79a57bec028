// The gadget at start (one CPU meter or two), at the end of the Windows session and at Quit,
// over an in-memory settings file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "monitor/app/frmMain.h"
#include "monitor/metrics/cpu_usage.h"
#include "monitor/settings/profile_store.h"
#include "tests/support/e2e.h"
#include "tests/support/fake_metrics.h"

namespace app {
namespace {

TEST(GadgetSession, EndOfSessionSavesWhateverItsAnswerAndQuitSavesAgain) {
    ui::Application application(GetModuleHandleA(nullptr), "Corvane Statwell");
    settings::MemoryProfileStore store;  // outlives the form, which writes it
    store.Parse("[Main]\nFirstTime=0\nLeft=100\nTop=120\n");
    FakeMetricSource src;
    TfrmMain frm(&src);
    frm.dfsStickyFormCreate();
    frm.Timer.SetEnabled(false);
    frm.SettingsFile = std::make_unique<settings::SettingsFile>(store);
    frm.SettingsStore.reset();
    frm.LoadSettings();
    ASSERT_TRUE(IsWindowVisible(frm.Handle()));

    // A session that is not ending after all (wParam FALSE) still saves every section.
    frm.mniHideClick(frm.mniHide);
    SetWindowPos(frm.Handle(), nullptr, 200, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(frm.Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(store.Read("Main", "Show", ""), "0");
    EXPECT_EQ(store.Read("Main", "Left", ""), "200");
    EXPECT_EQ(store.Read("Main", "FirstTime", ""), "0");
    EXPECT_FALSE(store.Read("Network", "Adapter", "").empty());  // whatever interface the gadget runs on
    EXPECT_EQ(store.Read("Swap", "Width", ""), "152");
    ASSERT_NE(frm.SettingsFile, nullptr);  // kept for the saves still to come

    SetWindowPos(frm.Handle(), nullptr, 240, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(frm.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(store.Read("Main", "Left", ""), "240");

    // Quit saves once more, then lets the file go and closes the gadget.
    frm.mniHideClick(frm.mniHide);
    frm.mniCloseClick(frm.mniClose);
    EXPECT_TRUE(e2e::PumpUntil([&] { return !IsWindow(frm.Handle()); }, 5000));
    EXPECT_EQ(store.Read("Main", "Show", ""), "1");
    EXPECT_EQ(frm.SettingsFile, nullptr);
}

TEST(GadgetStart, ASecondCpuMeterOnlyWhereTheProcessorsCountIt) {
    // Windows 2000 (5.0) and XP (5.1) list the "_Total" instance among the processors.
    EXPECT_FALSE(DecideDualCPU(2, 5, 0));
    EXPECT_FALSE(DecideDualCPU(2, 5, 1));
    EXPECT_TRUE(DecideDualCPU(3, 5, 1));
    EXPECT_TRUE(DecideDualCPU(2, 5, 2));  // Server 2003
    EXPECT_TRUE(DecideDualCPU(2, 6, 1));
    EXPECT_TRUE(DecideDualCPU(2, 4, 0));
    EXPECT_FALSE(DecideDualCPU(1, 10, 0));
    EXPECT_FALSE(DecideDualCPU(-1, 10, 0));
}

// The gadget as Windows XP starts it, in a copy of this test run with Wine's version setting
// for this program (the version is fixed when a process starts).
TEST(GadgetStart, OneCpuMeterOnWindowsXpWithTwoProcessorInstances) {
    const std::string key = "Software\\Wine\\AppDefaults\\statwell_tick_test.exe";
    HKEY k = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &k, nullptr));
    RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("winxp"), 6);
    SetEnvironmentVariableA("STATWELL_AS_XP", "1");
    e2e::Process child;
    const bool started = child.Start(e2e::ExePath(), "--gtest_filter=GadgetOnXp.*");
    SetEnvironmentVariableA("STATWELL_AS_XP", nullptr);
    const bool ended = started && child.WaitExit(30000);
    RegDeleteValueA(k, "Version");
    RegCloseKey(k);
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    ASSERT_TRUE(ended);
    EXPECT_EQ(0u, child.ExitCode());
}

TEST(GadgetOnXp, OneCpuMeter) {
    if (!std::getenv("STATWELL_AS_XP")) GTEST_SKIP() << "run by GadgetStart.OneCpuMeterOnWindowsXp...";
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    ASSERT_TRUE(GetVersionExA(&vi));
    ASSERT_EQ(vi.dwMajorVersion, 5u);
    ASSERT_EQ(vi.dwMinorVersion, 1u);
    // Two instances, as a one-processor XP machine lists them (one processor and "_Total").
    if (metrics::ProcessorCount() != 2) GTEST_SKIP() << "the sampler counts " << metrics::ProcessorCount();

    ui::Application application(GetModuleHandleA(nullptr), "Corvane Statwell");
    settings::MemoryProfileStore store;
    store.Parse("[Main]\nFirstTime=0\n");
    FakeMetricSource src;
    TfrmMain frm(&src);
    frm.dfsStickyFormCreate();
    frm.Timer.SetEnabled(false);
    frm.SettingsFile = std::make_unique<settings::SettingsFile>(store);
    frm.SettingsStore.reset();
    frm.LoadSettings();
    EXPECT_FALSE(frm.DualCPU);
    EXPECT_FALSE(frm.barCPU2.Visible());
    EXPECT_EQ(frm.mniHereCPU1.Caption(), "CPU");
    EXPECT_EQ(frm.mniFloatCPU1.Caption(), "CPU");
    EXPECT_FALSE(frm.mniHereCPU2.Visible());
    EXPECT_FALSE(frm.mniFloatCPU2.Visible());
    src.load[0] = 0.12;
    src.load[1] = 0.30;
    frm.TimerTimer();
    EXPECT_EQ(frm.pnlStatus.Caption(), "CPU 12  RAM 40 Swap 3");
    // The second instance (the aggregate there) can still be read.
    EXPECT_NO_THROW(metrics::ProcessorLoad(1));
    frm.SaveSettings();
    EXPECT_EQ(store.Read("Main", "CPU2", ""), "0");
}

}  // namespace
}  // namespace app
