// The settings file's value rules, sections and key order, over the in-memory store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/settings/profile_store.h"
#include "monitor/settings/settings_file.h"
#include "monitor/settings/settings_records.h"
#include "tests/settings/expected_keys.h"

using namespace settings;

using expected::KeysOf;
using expected::SectionsOf;

TEST(SettingsValues, IntegersAreDecimalAndFallBackWhenMalformed) {
    std::int32_t v = 7;
    EXPECT_TRUE(ParseInteger("-42", v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(ParseInteger(" 2147483647 ", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(ParseInteger("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    for (const char* bad :
         {"", " ", "-", "12a", "1.5", "0x10", "2147483648", "-2147483649", "99999999999999999999", "1 2"}) {
        v = 7;
        EXPECT_FALSE(ParseInteger(bad, v)) << bad;
        EXPECT_EQ(v, 7) << bad;
    }

    MemoryProfileStore store;
    store.Parse("[Main]\nWidth=wide\nHeight=-20\nTop=\nSnap=yes\nAlwaysOnTop=5\nCPU1=0\n");
    SettingsFile file(store);
    EXPECT_EQ(file.ReadInteger("Main", "Width", 150), 150);
    EXPECT_EQ(file.ReadInteger("Main", "Height", 75), -20);  // no range checks
    EXPECT_EQ(file.ReadInteger("Main", "Top", 173), 173);
    EXPECT_EQ(file.ReadInteger("Main", "Missing", 9), 9);
    EXPECT_TRUE(file.ReadBool("Main", "Snap", true));
    EXPECT_FALSE(file.ReadBool("Main", "Snap", false));
    EXPECT_TRUE(file.ReadBool("Main", "AlwaysOnTop", false));  // non-zero is true
    EXPECT_FALSE(file.ReadBool("Main", "CPU1", true));
    EXPECT_EQ(file.ReadInteger("main", "height", 0), -20);  // names without regard to case
}

TEST(SettingsValues, ColoursRoundTripAsSignedDecimal) {
    MemoryProfileStore store;
    SettingsFile file(store);
    file.WriteColour("Main", "A", 0xFFCC00u);
    file.WriteColour("Main", "B", 0xFFFFFFFFu);
    EXPECT_EQ(store.Read("Main", "A", ""), "16763904");
    EXPECT_EQ(store.Read("Main", "B", ""), "-1");
    EXPECT_EQ(file.ReadColour("Main", "B", 0), 0xFFFFFFFFu);
    EXPECT_EQ(file.ReadColour("Main", "A", 0), 0xFFCC00u);
}

TEST(SettingsValues, OpacityIsTakenModulo256) {
    EXPECT_EQ(OpacityFromSetting(300), 44);
    EXPECT_EQ(OpacityFromSetting(255), 255);
    EXPECT_EQ(OpacityFromSetting(256), 0);
    EXPECT_EQ(OpacityFromSetting(-1), 255);
    EXPECT_EQ(OpacityFromSetting(180), 180);
}

TEST(SettingsValues, NetworkDisplayNames) {
    EXPECT_EQ(ParseNetworkDisplay("Normal"), NetworkDisplay::Normal);
    EXPECT_EQ(ParseNetworkDisplay("Big"), NetworkDisplay::Big);
    EXPECT_EQ(ParseNetworkDisplay("Small"), NetworkDisplay::Small);
    EXPECT_EQ(ParseNetworkDisplay("Tiny"), NetworkDisplay::Small);
    EXPECT_EQ(ParseNetworkDisplay(""), NetworkDisplay::Small);
    for (auto m : {NetworkDisplay::Normal, NetworkDisplay::Small, NetworkDisplay::Big})
        EXPECT_EQ(ParseNetworkDisplay(NetworkDisplayName(m)), m);

    // A missing key and an unknown name both come up Small Digital, whatever the state was.
    MemoryProfileStore store;
    store.Parse("[Main]\nNetworkDisplay=Tiny\n");
    MainSettings current;
    current.networkDisplay = NetworkDisplay::Big;
    EXPECT_EQ(ReadMain(SettingsFile(store), current).networkDisplay, NetworkDisplay::Small);
    MemoryProfileStore empty;
    EXPECT_EQ(ReadMain(SettingsFile(empty), current).networkDisplay, NetworkDisplay::Small);
}

TEST(SettingsValues, FileSitsBesideTheProgram) {
    EXPECT_EQ(SettingsPathFor("C:\\Tools\\Statwell\\statwell.exe"), "C:\\Tools\\Statwell\\Statwell.ini");
    EXPECT_EQ(SettingsPathFor("statwell.exe"), "Statwell.ini");
}

TEST(SettingsRecords, FreshSaveWritesEverySectionAndKeyInOrder) {
    MemoryProfileStore store;
    SettingsFile file(store);
    AllSettings all;
    all.main = MainDesign(true);
    all.network = NetworkDesign();
    for (int i = 0; i < kMeterCount; ++i) all.meters[i] = MeterDesign(static_cast<Meter>(i));
    WriteAll(file, all);

    EXPECT_EQ(SectionsOf(store), expected::SectionOrder());
    EXPECT_EQ(KeysOf(store, "Main"), expected::MainKeys());
    EXPECT_EQ(KeysOf(store, "Network"), expected::NetworkKeys());
    for (const char* s : {"CPU1", "CPU2", "RAM", "Swap"})
        EXPECT_EQ(KeysOf(store, s), expected::MeterKeys()) << s;

    EXPECT_EQ(store.Read("Main", "NetworkDisplay", ""), "Small");
    EXPECT_EQ(store.Read("Main", "FirstTime", ""), "0");
    EXPECT_EQ(store.Read("Main", "CPU1High", ""), "255");
    EXPECT_EQ(store.Read("Swap", "Width", ""), "152");
    EXPECT_EQ(store.Read("CPU1", "Top", ""), "102");
    EXPECT_EQ(store.Read("Network", "UploadGaugeBackground", ""), "12534528");
}

TEST(SettingsRecords, SecondSaveKeepsTheFileShapeAndFirstTimeOff) {
    MemoryProfileStore store;
    store.Parse("[Main]\nFirstTime=1\nWidth=300\n");
    SettingsFile file(store);
    AllSettings all;
    all.main = ReadMain(file, MainDesign(false));
    EXPECT_TRUE(all.main.firstTime);
    EXPECT_EQ(all.main.width, 300);
    EXPECT_FALSE(all.main.cpu2);  // one CPU meter: CPU2 defaults off
    WriteAll(file, all);
    const std::string once = store.Text();
    WriteAll(file, all);
    EXPECT_EQ(store.Text(), once);
    EXPECT_FALSE(ReadMain(file, MainDesign(false)).firstTime);
    // Keys already in the file keep their place; new ones are appended to their section.
    EXPECT_EQ(KeysOf(store, "Main")[0], "FirstTime");
    EXPECT_EQ(KeysOf(store, "Main")[1], "Width");
}

TEST(SettingsRecords, FloatingSectionsRoundTripAndBorderIsNeverReadBack) {
    MemoryProfileStore store;
    SettingsFile file(store);
    MeterWindowSettings ram = MeterDesign(Meter::RAM);
    ram.show = true;
    ram.enhanced = true;
    ram.windowsBorder = true;
    ram.alphaBase = 73;
    ram.enLine = 0x123456;
    WriteMeter(file, Meter::RAM, ram);
    NetworkWindowSettings net = NetworkDesign();
    net.upperLimit = 50;
    net.left = -200;  // a window on a monitor left of the primary one
    WriteNetwork(file, net, 3);

    const MeterWindowSettings back = ReadMeter(file, Meter::RAM, MeterDesign(Meter::RAM));
    EXPECT_TRUE(back.show);
    EXPECT_TRUE(back.enhanced);
    EXPECT_FALSE(back.windowsBorder);
    EXPECT_EQ(back.alphaBase, 73);
    EXPECT_EQ(back.enLine, 0x123456u);
    EXPECT_EQ(back.width, 143);
    // Another meter's section is untouched and keeps its design values.
    const MeterWindowSettings cpu2 = ReadMeter(file, Meter::CPU2, MeterDesign(Meter::CPU2));
    EXPECT_FALSE(cpu2.show);
    EXPECT_EQ(cpu2.left, 439);

    const NetworkWindowSettings nback = ReadNetworkWindow(file, NetworkDesign());
    EXPECT_EQ(nback.upperLimit, 50);
    EXPECT_EQ(nback.left, -200);
    EXPECT_EQ(ReadAdapter(file, 1), 3);
    MemoryProfileStore empty;
    EXPECT_EQ(ReadAdapter(SettingsFile(empty), 1), 1);
}

TEST(SettingsRecords, MalformedMainValuesKeepTheirDefaults) {
    MemoryProfileStore store;
    store.Parse(
        "[Main]\nWidth=abc\nHeight=80\nCPU1=0\nNetwork=0\nStatus=0\nAlphaBlend=1\n"
        "AlphaBlendValue=300\nOrientation=x\nGraphBorders=\nBackgroundColor=-16777216\n"
        "RAMHigh=oops\n");
    const MainSettings s = ReadMain(SettingsFile(store), MainDesign(true));
    EXPECT_EQ(s.width, 150);
    EXPECT_EQ(s.height, 80);
    EXPECT_FALSE(s.cpu1);
    EXPECT_TRUE(s.cpu2);
    EXPECT_FALSE(s.network);
    EXPECT_FALSE(s.status);
    EXPECT_TRUE(s.alphaBlend);
    EXPECT_EQ(OpacityFromSetting(s.alphaBlendValue), 44);
    EXPECT_TRUE(s.horizontal);
    EXPECT_TRUE(s.graphBorders);
    EXPECT_EQ(s.background, 0xFF000000u);
    EXPECT_EQ(s.ramColours.high, kBarHigh);
    EXPECT_TRUE(s.firstTime);
}
