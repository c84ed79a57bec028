#include <gtest/gtest.h>

#include "monitor/details/details_text.h"

using namespace details;

TEST(DetailsText, ThousandsWithTheUsersSeparator) {
    EXPECT_EQ("0", FormatThousands(0, ","));
    EXPECT_EQ("999", FormatThousands(999, ","));
    EXPECT_EQ("1,000", FormatThousands(1000, ","));
    EXPECT_EQ("4,218,880", FormatThousands(4218880, ","));
    EXPECT_EQ("4.218.880", FormatThousands(4218880, "."));
    EXPECT_EQ("4218880", FormatThousands(4218880, ""));
    EXPECT_EQ(
        "4\xC2\xA0"
        "218\xC2\xA0"
        "880",
        FormatThousands(4218880, "\xC2\xA0"));
    // Module sizes are summed past what 32 bits hold.
    EXPECT_EQ("5,000,000,000", FormatThousands(5000000000ull, ","));
}

TEST(DetailsText, StatusTextFollowsTheActiveList) {
    EXPECT_EQ("Processes: 42, Threads: 500",
              ProcessStatusText(ActiveList::Processes, 42, 500, 17, 4218880, ","));
    EXPECT_EQ("17 Modules, Size: 4,218,880",
              ProcessStatusText(ActiveList::Modules, 42, 500, 17, 4218880, ","));
    EXPECT_EQ("17 Modules, Size: 4 218 880",
              ProcessStatusText(ActiveList::Modules, 42, 500, 17, 4218880, " "));
    EXPECT_EQ("", ProcessStatusText(ActiveList::Other, 42, 500, 17, 4218880, ","));
}

TEST(DetailsText, MainStatusBar) {
    EXPECT_STREQ("CPU Usage: 37%", CpuUsageText(37).c_str());
    EXPECT_STREQ("Processes: 42", ProcessCountText(42).c_str());
    EXPECT_STREQ("Commit Charge: 1023K / 4096K",
                 CommitChargeText(4096 * 1024, 3072 * 1024 + 1023).c_str());  // whole KB of the difference
    EXPECT_STREQ("Commit Charge: 0K / 4K", CommitChargeText(4096, 8192).c_str());  // never a wrapped figure
    EXPECT_STREQ("Commit Charge: 4194303K / 4194303K", CommitChargeText(0xFFFFFFFFull, 0).c_str());
}

TEST(DetailsText, ExecutableTypeWord) {
    EXPECT_EQ("PE 4.0", ExeTypeText(0x04004550));
    EXPECT_EQ("PE 10.0", ExeTypeText(0x0A004550));
    EXPECT_EQ("NE 3.10", ExeTypeText(0x030A454E));
    EXPECT_EQ("MZ 0.0", ExeTypeText(0x00005A4D));
    EXPECT_EQ("__ 0.0", ExeTypeText(0));                     // not an executable
    EXPECT_EQ("P_ 4.0", ExeTypeText(0x04001F50));            // a control character is shown as "_"
    EXPECT_EQ("\xE9\x41 255.255", ExeTypeText(0xFFFF41E9));  // high characters stay
}

TEST(DetailsText, ProcessCaptions) {
    EXPECT_EQ("explorer.exe", ProcessCaption("C:\\WINDOWS\\explorer.exe"));
    EXPECT_EQ("notepad.exe", ProcessCaption("notepad.exe"));
    EXPECT_EQ("a.exe", ProcessCaption("/unix/style/a.exe"));
    EXPECT_EQ("System Idle Process", ProcessCaption("[System Process]"));
    EXPECT_EQ("System Idle Process", ProcessCaption("[SYSTEM PROCESS]"));
    EXPECT_EQ("[Idle]", ProcessCaption("[Idle]"));
    EXPECT_EQ("", ProcessCaption("C:\\folder\\"));
    EXPECT_EQ("00400000", ModuleHandleText(0x400000));
    EXPECT_EQ("7C800000", ModuleHandleText(0x7C800000));
    EXPECT_EQ("FFFFFFFF", ModuleHandleText(0xFFFFFFFF));
    EXPECT_EQ("kernel32.dll", LowerCase("KERNEL32.DLL"));
}

TEST(DetailsText, OnlyWindows2000ReadsPathsFromTheProcess) {
    EXPECT_TRUE(SnapshotLacksFullPaths(5, 0));
    EXPECT_FALSE(SnapshotLacksFullPaths(5, 1));
    EXPECT_FALSE(SnapshotLacksFullPaths(4, 0));
    EXPECT_FALSE(SnapshotLacksFullPaths(6, 0));
}
