// The General, CPU, Folders and Network tabs' decisions over plain data.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/details/adapters.h"
#include "monitor/details/adapters_list.h"
#include "monitor/details/cpu_tab.h"
#include "monitor/details/folders.h"
#include "monitor/details/general_info.h"
#include "monitor/details/online_state.h"

using namespace details;

namespace {
std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += (s.empty() ? "" : "|") + l;
    return s;
}
}  // namespace

TEST(SystemLines, ByVersion) {
    struct Case {
        uint32_t platform, major, minor, build;
        const char* csd;
        bool extended;
        uint8_t productType;
        uint16_t suites;
        const char* productOptions;
        const char* lines;
    };
    const uint16_t dc = kSuiteDatacenter, ent = kSuiteEnterprise, home = kSuitePersonal;
    const Case cases[] = {
        {1, 4, 0, 0x040003B6, "", false, 0, 0, "", "Windows 95|Build 950"},
        // Windows 95 tells its release by the name line only, whatever letter it reports.
        {1, 4, 0, 0x04000457, " B ", false, 0, 0, "", "Windows 95 OSR2|Build 1111"},
        {1, 4, 3, 0x04030474, " C", false, 0, 0, "", "Windows 95|Build 1140"},
        {1, 4, 10, 0x040A07CE, " ", false, 0, 0, "", "Windows 98|Build 1998"},
        {1, 4, 10, 0x040A08AE, " A ", false, 0, 0, "", "Windows 98SE|A|Build 2222"},
        {1, 4, 10, 0x4005A, "", false, 0, 0, "", "Windows Me|Build 90"},
        {1, 4, 90, 0x045A0BB8, " ", false, 0, 0, "", "Windows Me|Build 3000"},
        {1, 4, 95, 0x045F0001, "", false, 0, 0, "", "Unknown OS|Build 1"},
        {2, 3, 51, 1057, "Service Pack 5", false, 0, 0, "WinNT", "Workstation|Service Pack 5|Build 1057"},
        {2, 4, 0, 1381, "Service Pack 6", false, 0, 0, "LanmanNT",
         "Windows NT4|Server|Service Pack 6|Build 1381"},
        {2, 4, 0, 1381, "", true, 3, 0, "SERVERNT", "Windows NT4|Advanced Server|Build 1381"},
        {2, 4, 0, 1381, "", false, 0, 0, "", "Windows NT4|Build 1381"},
        {2, 5, 0, 2195, "Service Pack 4", true, 1, 0, "ServerNT",
         "Windows 2000|Professional|Service Pack 4|Build 2195"},
        {2, 5, 0, 2195, "", true, 3, dc | ent, "", "Windows 2000|Datacenter Server|Build 2195"},
        {2, 5, 0, 2195, "", true, 3, ent, "", "Windows 2000|Advanced Server|Build 2195"},
        {2, 5, 0, 2195, "", true, 2, 0, "", "Windows 2000|Server|Build 2195"},
        {2, 5, 1, 2600, "Service Pack 3", true, 1, home, "",
         "Windows XP|Home Edition|Service Pack 3|Build 2600"},
        {2, 5, 1, 2600, "Service Pack 3", true, 1, 0, "",
         "Windows XP|Professional|Service Pack 3|Build 2600"},
        {2, 5, 0, 2195, "", false, 0, 0, "LanmanNT", "Windows 2000|Server|Build 2195"},
        {2, 10, 0, 19045, "  ", true, 1, 0, "WinNT", "Unknown OS|Workstation|Build 19045"},
        {0, 3, 11, 0x030B0000, "", false, 0, 0, "", "Unknown OS|Build 0"},
    };
    for (const Case& c : cases) {
        OsVersion v;
        v.platformId = c.platform;
        v.major = c.major;
        v.minor = c.minor;
        v.build = c.build;
        v.csd = c.csd;
        v.extended = c.extended;
        v.productType = c.productType;
        v.suiteMask = c.suites;
        EXPECT_EQ(c.lines, Joined(SystemLines(v, c.productOptions)))
            << c.platform << " " << c.major << "." << c.minor << " '" << c.csd << "'";
    }
}

TEST(GeneralTab, RunningTimePastTheTickCountWrap) {
    // 50 days do not fit GetTickCount's 32 bits; the 64-bit count gives the whole time.
    const uint64_t fiftyDays = 50ull * 86400 * 1000;
    ASSERT_GT(fiftyDays, 0xFFFFFFFFull);
    EXPECT_STREQ("1 month, 2 weeks, 5 days, 14 hours", RunningTimeText(fiftyDays).c_str());
    EXPECT_STREQ("1 month, 2 weeks, 5 days, 14 hours, 1 second", RunningTimeText(fiftyDays + 1400).c_str());
    EXPECT_STREQ("0 seconds", RunningTimeText(499).c_str());
    // Whole seconds by rounding, ties to even.
    EXPECT_EQ(1u, RoundedSeconds(1499));
    EXPECT_EQ(2u, RoundedSeconds(1500));
    EXPECT_EQ(2u, RoundedSeconds(2500));
    EXPECT_EQ(3u, RoundedSeconds(2501));
}

TEST(GeneralTab, MemoryFiguresAbove4GB) {
    metrics::MemoryStatus m;
    m.totalPhys = 16ull << 30;
    m.availPhys = 6ull << 30;
    m.totalPageFile = 24ull << 30;
    m.availPageFile = (20ull << 30) + 1023;
    MemoryTexts t;
    FormatMemory(m, t);
    EXPECT_STREQ("16777216", t.totalRAM);
    EXPECT_STREQ("6291456", t.availRAM);
    EXPECT_STREQ("10240 MB", t.ramMB);
    EXPECT_STREQ("25165824", t.pfTotal);
    EXPECT_STREQ("20971520", t.pfAvail);  // truncated
    EXPECT_STREQ("4095 MB", t.swapMB);
    EXPECT_STREQ("Commit Charge: 4194303K / 25165824K", t.commit);
    // More available than in total shows nothing in use, not a wrapped figure.
    m.availPhys = m.totalPhys + 1;
    FormatMemory(m, t);
    EXPECT_STREQ("0 MB", t.ramMB);
}

TEST(GeneralTab, GaugeLayout) {
    const GaugeLayout g = LayoutGauges(120);
    EXPECT_EQ(120, g.groupHeight);
    EXPECT_EQ(95, g.panelHeight);
    EXPECT_EQ(63, g.gaugeHeight);
    EXPECT_EQ(73, g.labelTop);
}

TEST(CpuTab, FromTheIdentification) {
    metrics::ProcessorId id;
    id.name = "Intel(R) Core(TM) i5";
    id.features[0] = true;   // FPU
    id.features[29] = true;  // MMXEX
    CpuTab t = BuildCpuTab(id, 2394);
    EXPECT_EQ("Intel(R) Core(TM) i5", t.name);
    EXPECT_EQ("2394 MHz", t.speed);
    EXPECT_EQ("Unknown", t.serial);
    EXPECT_EQ("Not Present", t.fdiv);
    EXPECT_STREQ("FPU", t.features[0].caption);
    EXPECT_STREQ("Floating Point Processor", t.features[0].description);
    EXPECT_EQ(0, t.features[0].image);
    EXPECT_STREQ("SERIAL", t.features[17].caption);
    EXPECT_EQ(1, t.features[17].image);
    EXPECT_STREQ("MMXEX", t.features[29].caption);
    EXPECT_EQ(0, t.features[29].image);
    id.serial = "0000-0633-0000-0000-0000-0000";
    id.fdivFlaw = true;
    t = BuildCpuTab(id, 0);
    EXPECT_EQ("0000-0633-0000-0000-0000-0000", t.serial);
    EXPECT_EQ("Present", t.fdiv);
    EXPECT_EQ("0 MHz", t.speed);
}

namespace {
class FakeFolders : public FolderSource {
public:
    std::map<std::string, std::string> registry;
    std::map<int, std::string> special;
    std::string temp = "C:\\TEMP\\";
    std::string RegistryValue(const char* v) override { return registry[v]; }
    std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
    std::string SystemDirectory() override { return "C:\\WINDOWS\\system32"; }
    std::string TempPath() override { return temp; }
    std::string SpecialFolder(int csidl) override {
        asked.push_back(csidl);
        return special[csidl];
    }
    std::vector<int> asked;
};
}  // namespace

TEST(FoldersTab, RowsInOrderWithNotAvailable) {
    FakeFolders f;
    f.registry["ProgramFilesDir"] = "C:\\Program Files";  // no CommonFilesDir
    f.special[0] = "C:\\users\\me\\Desktop";
    f.special[34] = "C:\\users\\me\\History";
    const std::vector<FolderRow> rows = BuildFolderRows(f);
    ASSERT_EQ(27u, rows.size());
    EXPECT_EQ("Common Files", rows[0].caption);
    EXPECT_EQ("N/A", rows[0].location);
    EXPECT_FALSE(CanExplore(rows[0].location));
    EXPECT_EQ("C:\\Program Files", rows[1].location);
    EXPECT_TRUE(CanExplore(rows[1].location));
    EXPECT_EQ("C:\\WINDOWS", rows[2].location);
    EXPECT_EQ("C:\\WINDOWS\\system32", rows[3].location);
    EXPECT_EQ("Windows Temp", rows[4].caption);
    EXPECT_EQ("C:\\TEMP", rows[4].location);  // without its trailing backslash
    EXPECT_EQ("C:\\users\\me\\Desktop", rows[5].location);
    EXPECT_EQ("N/A", rows[6].location);
    EXPECT_EQ("Templates", rows[23].caption);
    EXPECT_EQ("History", rows[26].caption);
    EXPECT_EQ("C:\\users\\me\\History", rows[26].location);
    const std::vector<int> ids = {0,  2,  5,  6,  7,  8,  9,  11, 16, 19, 20,
                                  22, 23, 24, 25, 26, 27, 31, 21, 32, 33, 34};
    EXPECT_EQ(ids, f.asked);
    f.temp = "";
    EXPECT_EQ("N/A", BuildFolderRows(f)[4].location);
}

TEST(Adapters, KBTextRoundsUp) {
    EXPECT_EQ("0", KBText(0));
    EXPECT_EQ("1", KBText(1));
    EXPECT_EQ("1", KBText(1024));
    EXPECT_EQ("2", KBText(1025));
    EXPECT_EQ("4194304", KBText(0xFFFFFFFFull));  // no 32-bit wrap to 0 near the top
    EXPECT_EQ("15728640", KBText(15ull << 30));
    EXPECT_EQ("127.0.0.1", DottedAddress(0x0100007F));
    EXPECT_EQ("192.168.1.20", DottedAddress(0x1401A8C0));
}

namespace {
const std::vector<InterfaceRow> kInterfaces = {
    {1, "lo", 1024, 1},
    {2, "eth0", 5000, 7000},
    {7, "wlan0", 0, 0},
};
}  // namespace

TEST(Adapters, RowsWithTheirAddresses) {
    AdapterRows a;
    // eth0 has two addresses: the later one wins. An address of an unknown interface is dropped.
    a.Rebuild(kInterfaces, {{1, 0x0100007F}, {2, 0x0A01A8C0}, {9, 0x01010101}, {2, 0x1401A8C0}});
    ASSERT_EQ(3u, a.Size());
    const auto& r = a.Rows();
    EXPECT_EQ("lo", r[0].description);
    EXPECT_EQ("127.0.0.1", r[0].address);
    EXPECT_EQ("192.168.1.20", r[1].address);
    EXPECT_EQ("", r[2].address);
    EXPECT_STREQ("1", r[0].received);
    EXPECT_STREQ("1", r[0].sent);
    EXPECT_STREQ("5", r[1].received);
    EXPECT_STREQ("7", r[1].sent);
    EXPECT_STREQ("0", r[2].received);
    EXPECT_EQ(7u, r[2].index);
    // A rebuild starts afresh.
    a.Rebuild({{3, "ppp0", 10, 10}}, {});
    ASSERT_EQ(1u, a.Size());
    EXPECT_EQ("ppp0", a.Rows()[0].description);
}

TEST(Adapters, MarksFromTheInterfaceChoice) {
    AdapterRows a;
    a.Rebuild(kInterfaces, {});
    auto marks = [&] {
        std::string s;
        for (const AdapterRow& r : a.Rows()) s += r.image == kRateMark ? 'x' : '.';
        return s;
    };
    a.Mark(3);  // "All Interfaces" is the entry after the last row
    EXPECT_EQ("xxx", marks());
    a.Mark(1);
    EXPECT_EQ(".x.", marks());
    a.Mark(-1);
    EXPECT_EQ("xxx", marks());
    a.Mark(0);
    EXPECT_EQ("x..", marks());
    a.Mark(99);
    EXPECT_EQ("xxx", marks());
}

TEST(Adapters, TrafficResetAndGrowth) {
    AdapterRows a;
    a.Rebuild(kInterfaces, {});
    // Unchanged counters change nothing shown.
    EXPECT_EQ(0, a.Counters(2, 5000, 7000));
    EXPECT_EQ(1, a.Counters(2, 5000 + 4096, 7000 + 1));
    EXPECT_STREQ("9", a.Rows()[1].received);
    EXPECT_STREQ("7", a.Rows()[1].sent);
    EXPECT_EQ(0, a.Counters(42, 1, 1));  // no such row

    a.ResetTotals();
    EXPECT_STREQ("0", a.Rows()[1].received);
    EXPECT_STREQ("0", a.Rows()[1].sent);
    EXPECT_EQ(9096u, a.Rows()[1].baseIn);
    EXPECT_EQ(7001u, a.Rows()[1].baseOut);
    // Growth from the counters read at the reset.
    EXPECT_EQ(1, a.Counters(2, 9096 + 1, 7001 + 2048));
    EXPECT_STREQ("1", a.Rows()[1].received);
    EXPECT_STREQ("2", a.Rows()[1].sent);
    EXPECT_STREQ("0", a.Rows()[0].received);  // every row was reset; only eth0 moved

    // Reset straight after a rebuild, before any tick: the counters read by the rebuild are
    // the baseline, so nothing has passed yet.
    a.Rebuild(kInterfaces, {});
    a.ResetTotals();
    a.Counters(2, 5000, 7000);
    EXPECT_STREQ("0", a.Rows()[1].received);
}

TEST(Adapters, TotalsPast4GBAndCounterWrap) {
    AdapterRows a;
    a.Rebuild({{5, "eth1", 0xFFFFFF00u, 0}}, {});
    a.ResetTotals();
    // The counter wraps: 0x100 bytes to the top, then 0x300 more.
    a.Counters(5, 0x200, 0);
    EXPECT_STREQ("1", a.Rows()[0].received);
    EXPECT_EQ(0x300u, a.Rows()[0].totalIn);
    // Five readings of 3 GB each: 15 GB in all, far past what 32 bits hold.
    uint32_t in = 0x200, out = 0;
    for (int i = 0; i < 5; ++i) a.Counters(5, in += 3u << 30, out += 3u << 30);
    EXPECT_EQ((15ull << 30) + 0x300, a.Rows()[0].totalIn);
    EXPECT_STREQ("15728641", a.Rows()[0].received);
    EXPECT_STREQ("15728640", a.Rows()[0].sent);
}

TEST(AddressWatcher, OnlineStateFlips) {
    EXPECT_FALSE(IsOnline(""));
    EXPECT_FALSE(IsOnline("127.0.0.1"));
    EXPECT_TRUE(IsOnline("10.0.0.5"));
    OnlineState s;
    EXPECT_FALSE(s.Update("10.0.0.5"));  // the first reading sets the state only
    EXPECT_TRUE(s.Online());
    EXPECT_FALSE(s.Update("10.0.0.6"));  // another address, still online
    EXPECT_TRUE(s.Update("127.0.0.1"));
    EXPECT_FALSE(s.Update(""));
    EXPECT_TRUE(s.Update("192.168.1.20"));

    EXPECT_EQ("", LocalAddress({}));
    EXPECT_EQ("127.0.0.1", LocalAddress({{1, 0x0100007F}, {2, 0}}));
    EXPECT_EQ("192.168.1.20", LocalAddress({{1, 0x0100007F}, {2, 0x1401A8C0}, {3, 0x0A01A8C0}}));
}

namespace {
// Records what the adapters list does to its view.
class RecordingView : public AdapterListView {
public:
    std::vector<std::string> rows;  // "caption address received sent image"
    int updates = 0, open = 0, trafficCalls = 0, imageCalls = 0;
    void BeginUpdate() override { ++open; }
    void EndUpdate() override {
        --open;
        ++updates;
    }
    void Clear() override { rows.clear(); }
    void AddRow(const AdapterRow& r) override { rows.push_back(Text(r)); }
    void TrafficChanged(std::size_t at, const AdapterRow& r) override {
        ++trafficCalls;
        rows.at(at) = Text(r);
    }
    void SetImage(std::size_t at, int image) override {
        ++imageCalls;
        std::string& s = rows.at(at);
        s = s.substr(0, s.rfind(' ') + 1) + std::to_string(image);
    }
    static std::string Text(const AdapterRow& r) {
        return r.description + " " + r.address + " " + r.received + " " + r.sent + " " +
               std::to_string(r.image);
    }
};

class FakeTables : public NetworkTables {
public:
    std::vector<InterfaceRow> interfaces = kInterfaces;
    std::vector<AddressRow> addresses = {{1, 0x0100007F}, {2, 0x1401A8C0}};
    bool failAddresses = false;
    std::vector<InterfaceRow> Interfaces() override { return interfaces; }
    std::vector<AddressRow> Addresses() override {
        if (failAddresses) throw std::runtime_error("Function GetIpAddrTable. Invalid parameter");
        return addresses;
    }
};
}  // namespace

TEST(AdapterList, RefreshMarkResetAndTraffic) {
    RecordingView view;
    FakeTables tables;
    AdapterList list(view, tables);
    list.RefreshAdapters(1);
    ASSERT_EQ(3u, view.rows.size());
    EXPECT_EQ("lo 127.0.0.1 1 1 -1", view.rows[0]);
    EXPECT_EQ("eth0 192.168.1.20 5 7 1", view.rows[1]);
    EXPECT_EQ("wlan0  0 0 -1", view.rows[2]);
    EXPECT_EQ(0, view.open);

    // The choice changes to "All Interfaces": only the two rows without the mark are touched.
    list.MarkRateAdapters(3);
    EXPECT_EQ(2, view.imageCalls);
    EXPECT_EQ("lo 127.0.0.1 1 1 1", view.rows[0]);
    list.MarkRateAdapters(3);
    EXPECT_EQ(2, view.imageCalls);

    // Ticks: only a row whose shown total changes is written.
    list.Counters(2, 5000, 7000);
    EXPECT_EQ(0, view.trafficCalls);
    list.Counters(2, 5000 + 2048, 7000);
    EXPECT_EQ(1, view.trafficCalls);
    EXPECT_EQ("eth0 192.168.1.20 7 7 1", view.rows[1]);

    list.ResetTotals();
    EXPECT_EQ("lo 127.0.0.1 0 0 1", view.rows[0]);
    EXPECT_EQ("eth0 192.168.1.20 0 0 1", view.rows[1]);
    list.Counters(2, 5000 + 2048 + 1, 7000 + 1025);
    EXPECT_EQ("eth0 192.168.1.20 1 2 1", view.rows[1]);

    // A change of online state rebuilds: the totals restart from the interfaces' own counters.
    tables.interfaces[1].inOctets = 100000;
    list.RefreshAdapters(3);
    EXPECT_EQ("eth0 192.168.1.20 98 7 1", view.rows[1]);

    // An address table that fails leaves the rows without addresses, marked, and reports.
    tables.failAddresses = true;
    EXPECT_THROW(list.RefreshAdapters(0), std::runtime_error);
    ASSERT_EQ(3u, view.rows.size());
    EXPECT_EQ("lo  1 1 1", view.rows[0]);
    EXPECT_EQ(0, view.open);
}
