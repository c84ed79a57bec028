// The gadget at the end of the Windows session and at Quit, over an in-memory settings file.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "monitor/app/frmMain.h"
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
    EXPECT_EQ(store.Read("Network", "Adapter", ""), "1");
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

}  // namespace
}  // namespace app
