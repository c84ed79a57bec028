// The floating windows' "Show" values on the real gadget, over an in-memory settings store:
// until those windows exist, a stored value is saved back as read and changes only through the
// float items of the menu, which show and hide the stand-in forms.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "monitor/app/frmMain.h"
#include "monitor/settings/profile_store.h"
#include "monitor/ui/form.h"

namespace {

struct Gadget {
    explicit Gadget(const std::string& ini) {
        frm.dfsStickyFormCreate();
        frm.Timer.SetEnabled(false);
        store.Parse(ini);
        frm.SettingsFile = std::make_unique<settings::SettingsFile>(store);
        frm.SettingsStore.reset();
        frm.LoadSettings();
    }
    std::string Show(const char* section) { return store.Read(section, "Show", "?"); }

    settings::MemoryProfileStore store;  // outlives the form, which reads and writes it
    app::TfrmMain frm;
};

// A hidden stand-in form as the program creates it.
std::unique_ptr<ui::Form> StandIn(const char* className) {
    auto f = std::make_unique<ui::Form>(className);
    ui::FormStyle fs;
    fs.style = WS_POPUP;
    fs.exStyle = WS_EX_TOOLWINDOW;
    f->CreateHandle(fs, 100, 100);
    return f;
}

}  // namespace

TEST(GadgetFloatingWindows, StoredShowSurvivesSavesAndFollowsTheFloatItems) {
    Gadget g("[CPU1]\nShow=1\n[RAM]\nShow=0\n[Network]\nShow=1\n[Swap]\nShow=garbage\n");
    app::TfrmMain& f = g.frm;
    auto cpu1 = StandIn("TfrmCPU1");
    auto ram = StandIn("TfrmRAM");
    app::Windows().frmCPU1 = cpu1.get();
    app::Windows().frmRAM = ram.get();

    // The stored values check the items; the stand-ins stay hidden.
    EXPECT_TRUE(f.mniFloatCPU1.Checked());
    EXPECT_FALSE(f.mniFloatRAM.Checked());
    EXPECT_FALSE(f.mniFloatSwap.Checked());
    EXPECT_TRUE(f.mniFloatInternet.Checked());
    EXPECT_FALSE(IsWindowVisible(cpu1->Handle()));

    // Saved twice without a toggle: written as read (a malformed value as its default).
    for (int round = 0; round < 2; ++round) {
        f.SaveSettings();
        EXPECT_EQ(g.Show("CPU1"), "1");
        EXPECT_EQ(g.Show("RAM"), "0");
        EXPECT_EQ(g.Show("Swap"), "0");
        EXPECT_EQ(g.Show("Network"), "1");
    }

    // Toggling changes the stored value and the stand-in's visibility with it.
    f.mniFloatRAM.Click();
    EXPECT_TRUE(f.mniFloatRAM.Checked());
    EXPECT_TRUE(IsWindowVisible(ram->Handle()));
    f.mniFloatCPU1.Click();
    EXPECT_FALSE(f.mniFloatCPU1.Checked());
    f.mniFloatInternet.Click();  // no stand-in at all: the value still follows the item
    f.SaveSettings();
    EXPECT_EQ(g.Show("CPU1"), "0");
    EXPECT_EQ(g.Show("RAM"), "1");
    EXPECT_EQ(g.Show("Network"), "0");

    f.mniFloatCPU1.Click();
    EXPECT_TRUE(IsWindowVisible(cpu1->Handle()));
    f.mniFloatRAM.Click();
    EXPECT_FALSE(IsWindowVisible(ram->Handle()));
    f.SaveSettings();
    EXPECT_EQ(g.Show("CPU1"), "1");
    EXPECT_EQ(g.Show("RAM"), "0");

    app::Windows() = app::WindowSet{};
}

TEST(GadgetFloatingWindows, AFreshStartSavesTheDesignValues) {
    // A second gadget in the same process starts from the design values, not the first's.
    Gadget g("");
    EXPECT_FALSE(g.frm.mniFloatCPU1.Checked());
    EXPECT_FALSE(g.frm.mniFloatInternet.Checked());
    g.frm.SaveSettings();
    for (const char* s : {"CPU1", "CPU2", "RAM", "Swap", "Network"}) EXPECT_EQ(g.Show(s), "0") << s;
}
