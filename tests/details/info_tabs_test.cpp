// The General, CPU, Folders and Network tabs in a real window, over fake sources.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

#include "monitor/details/frmTask_info.h"
#include "monitor/ui/form.h"
#include "monitor/ui/pagecontrol.h"
#include "tests/support/e2e.h"

using namespace details;

namespace {
// The gadget's side: bars, rates, captions, the interface choice, and the tick's counter
// reading, which tells the adapters list the counters as the tick would.
class FakeLink : public ProgramLink {
public:
    int DownloadRate() const override { return 12; }
    int UploadRate() const override { return 3; }
    int32_t AdapterChoice() const override { return choice; }
    void ReadOctets() override {
        ++reads;
        if (tableFails) throw std::runtime_error("no interface table");
        for (const InterfaceRow& r : counters) tabs->AdapterCounters({r.index, r.inOctets, r.outOctets});
    }
    int32_t choice = 1;
    int reads = 0;
    bool tableFails = false;
    std::vector<InterfaceRow> counters;
    InfoTabs* tabs = nullptr;

    int CPU1() const override { return 42; }
    int RAM() const override { return 55; }
    int Swap() const override { return 7; }
    const char* DownloadCaption() const override { return "2.7"; }
    const char* UploadCaption() const override { return "0.5"; }
    bool Terminating() const override { return false; }
    void TrimWorkingSet() override {}
    void ProgramOptions() override {}
    void HelpContents() override {}
    void About() override {}
};

class FakeMemory : public metrics::MemoryStatusApi {
public:
    bool StatusEx(MEMORYSTATUSEX& s) override {
        s.dwMemoryLoad = 37;
        s.ullTotalPhys = 32ull << 30;
        s.ullAvailPhys = avail;
        s.ullTotalPageFile = 40ull << 30;
        s.ullAvailPageFile = 30ull << 30;
        return true;
    }
    void Status(MEMORYSTATUS&) override {}
    uint64_t avail = 20ull << 30;
};

class FakeClock : public Clock {
public:
    uint64_t Milliseconds() const override { return 50ull * 86400 * 1000; }
};

class FakeFolders : public FolderSource {
public:
    std::string RegistryValue(const char* v) override {
        return std::string(v) == "ProgramFilesDir" ? "C:\\Program Files" : "";
    }
    std::string WindowsDirectory() override { return "C:\\windows"; }
    std::string SystemDirectory() override { return "C:\\windows\\system32"; }
    std::string TempPath() override { return "C:\\temp\\"; }
    std::string SpecialFolder(int) override { return ""; }
};

class FakeOpener : public FolderOpener {
public:
    void Explore(const std::string& location) override { opened.push_back(location); }
    std::vector<std::string> opened;
};

class FakeTables : public NetworkTables {
public:
    std::vector<InterfaceRow> Interfaces() override {
        std::lock_guard<std::mutex> hold(lock);
        builtOn = GetCurrentThreadId();
        ++builds;
        return interfaces;
    }
    std::vector<AddressRow> Addresses() override {
        std::lock_guard<std::mutex> hold(lock);
        return addresses;
    }
    std::mutex lock;
    std::vector<InterfaceRow> interfaces = {{1, "lo", 1024, 1}, {2, "eth0", 5000, 7000}, {7, "wlan0", 0, 0}};
    std::vector<AddressRow> addresses = {{1, 0x0100007F}, {2, 0x0A01A8C0}, {2, 0x1401A8C0}};
    DWORD builtOn = 0;
    int builds = 0;
};

class FakeAddress {
public:
    void Set(const char* a) {
        std::lock_guard<std::mutex> hold(lock_);
        address_ = a;
    }
    std::string Read() {
        std::lock_guard<std::mutex> hold(lock_);
        ++reads_;
        return address_;
    }
    long Reads() {
        std::lock_guard<std::mutex> hold(lock_);
        return reads_;
    }

private:
    std::mutex lock_;
    std::string address_ = "192.168.1.20";
    long reads_ = 0;
};

int ImageOf(const ui::ListView& lv, int row) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(lv.Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

std::string Marks(const ui::ListView& lv) {
    std::string s;
    for (int i = 0; i < lv.Count(); ++i) s += ImageOf(lv, i) == kRateMark ? 'x' : '.';
    return s;
}

// With DETAILS_TABS_SHOTS set to a folder, a picture of each page goes there (to look at).
void SaveShot(HWND wnd, const std::string& path) {
    RECT r;
    GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((w * 3 + 3) / 4) * 4, size = stride * h;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    std::string data(reinterpret_cast<const char*>(&fh), sizeof fh);
    data.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    data.append(static_cast<const char*>(bits), size);
    e2e::WriteBytes(path, data);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

struct TestWindow : ui::Form {
    TestWindow() : ui::Form("TInfoTabsTest") {}
    ui::PageControl pages;
    ui::TabSheet tsGeneral, tsProcessor, tsFolders, TabSheet1;
};
}  // namespace

TEST(InfoTabs, EveryTabOverFakeSources) {
    FakeLink link;
    FakeMemory memory;
    FakeClock clock;
    FakeFolders folders;
    FakeOpener opener;
    FakeTables tables;
    FakeAddress address;
    metrics::ProcessorId cpu;
    cpu.name = "Test Processor 9000";
    cpu.features[0] = true;
    InfoSources src;
    src.memory = &memory;
    src.clock = &clock;
    src.folders = &folders;
    src.opener = &opener;
    src.tables = &tables;
    src.address = [&] { return address.Read(); };
    src.processor = &cpu;
    src.mhz = 2394;
    src.systemLines = {"Windows XP", "Professional", "Service Pack 3", "Build 2600"};

    TestWindow w;
    InfoTabs tabs(link, src);
    link.tabs = &tabs;
    tabs.IdIPWatch.WatchInterval = 20;
    w.CreateHandle(ui::FormStyle{WS_OVERLAPPEDWINDOW, 0, nullptr}, 430, 380, "Info tabs");
    w.pages.SetParent(&w);
    w.pages.SetAlign(ui::Align::Client);
    const char* captions[] = {"General", "CPU", "Folders", "Network"};
    ui::TabSheet* sheets[] = {&w.tsGeneral, &w.tsProcessor, &w.tsFolders, &w.TabSheet1};
    for (int i = 0; i < 4; ++i) {
        sheets[i]->SetCaption(captions[i]);
        w.pages.AddPage(*sheets[i]);
    }
    tabs.Create(w.tsGeneral, w.tsProcessor, w.tsFolders, w.TabSheet1);
    tabs.FormCreate(200);
    w.Show();
    tabs.FormShow();
    tabs.TimerEvent();
    e2e::Pump();

    // CPU: identification and the thirty features with their pictures.
    EXPECT_EQ("Test Processor 9000", tabs.lblName.Caption());
    EXPECT_EQ("2394 MHz", tabs.lblSpeed.Caption());
    EXPECT_EQ("Unknown", tabs.lblSerial.Caption());
    EXPECT_EQ("Not Present", tabs.lblFDiv.Caption());
    ASSERT_EQ(30, tabs.lvCPU.Count());
    EXPECT_EQ("FPU", tabs.lvCPU.Caption(0));
    EXPECT_EQ("Floating Point Processor", tabs.lvCPU.SubItem(0, 0));
    EXPECT_EQ(0, ImageOf(tabs.lvCPU, 0));
    EXPECT_EQ(1, ImageOf(tabs.lvCPU, 1));
    EXPECT_EQ("MMXEX", tabs.lvCPU.Caption(29));

    // Folders: "N/A" opens nothing; a real location opens with the shell.
    ASSERT_EQ(27, tabs.lvFolders.Count());
    EXPECT_EQ("N/A", tabs.lvFolders.SubItem(0, 0));
    EXPECT_EQ("C:\\temp", tabs.lvFolders.SubItem(4, 0));
    tabs.lvFolders.SetSelected(0);
    tabs.mniExplorer.Click();
    EXPECT_TRUE(opener.opened.empty());
    tabs.lvFolders.SetSelected(1);
    tabs.mniExplorer.Click();
    ASSERT_EQ(1u, opener.opened.size());
    EXPECT_EQ("C:\\Program Files", opener.opened[0]);

    // General: system lines, memory above 4 GB, running time past 49.7 days, gauges.
    EXPECT_EQ("Windows XP\r\nProfessional\r\nService Pack 3\r\nBuild 2600", tabs.mmoSystem.Text());
    EXPECT_EQ("33554432", tabs.lblTotalRAM.Text());
    EXPECT_EQ("20971520", tabs.lblAvailRAM.Text());
    EXPECT_EQ("12288 MB", tabs.lblRAM.Text());
    EXPECT_EQ("41943040", tabs.lblPFTotal.Text());
    EXPECT_EQ("10240 MB", tabs.lblSwap.Text());
    EXPECT_STREQ("Commit Charge: 10485760K / 41943040K", tabs.Memory().commit);
    EXPECT_EQ("1 month, 2 weeks, 5 days, 14 hours", tabs.lblRunning.Text());
    EXPECT_EQ("42%", tabs.lblCPU.Text());
    EXPECT_EQ(42, tabs.gCPU->Position());
    EXPECT_EQ(55, tabs.gRAM->Position());
    EXPECT_EQ(7, tabs.gSwap->Position());
    memory.avail = 8ull << 30;
    tabs.TimerEvent();
    EXPECT_EQ("24576 MB", tabs.lblRAM.Text());
    // The gauges' layout rule.
    EXPECT_EQ(tabs.gbCPU.Height(), tabs.gbRAM.Height());
    EXPECT_EQ(tabs.gbCPU.Height() - 25, tabs.pnlSwap.Height());
    EXPECT_EQ(tabs.pnlCPU.Height() - 32, tabs.gRAM.Height());
    EXPECT_EQ(tabs.gCPU.Height() + 10, tabs.lblSwap.Top());

    // Network: rows, the last address winning, marks for one interface and for all.
    EXPECT_EQ("2.7", tabs.lblDownload.Caption());
    ASSERT_EQ(3, tabs.lvAdapters.Count());
    EXPECT_EQ("eth0", tabs.lvAdapters.Caption(1));
    EXPECT_EQ("192.168.1.20", tabs.lvAdapters.SubItem(1, 0));
    EXPECT_EQ("5", tabs.lvAdapters.SubItem(1, 1));
    EXPECT_EQ("2", tabs.lvAdapters.SubItem(1, 3));  // hidden: the interface index
    EXPECT_EQ(".x.", Marks(tabs.lvAdapters));
    link.choice = -1;  // "All Interfaces", as the settings keep it
    tabs.MarkRateAdapters();
    EXPECT_EQ("xxx", Marks(tabs.lvAdapters));
    // Rows that lose the mark show the blank picture, not the index that makes the list ask
    // for a picture at every paint (Wine then draws their captions off the others' line).
    link.choice = 0;
    tabs.MarkRateAdapters();
    EXPECT_EQ("x..", Marks(tabs.lvAdapters));
    for (int row = 1; row < tabs.lvAdapters.Count(); ++row)
        EXPECT_EQ(0, ImageOf(tabs.lvAdapters, row)) << row;
    link.choice = -1;
    tabs.MarkRateAdapters();

    // The tick's traffic columns, Reset Totals, then growth from the counters read at the reset
    // (the 10 bytes moved since the last tick are before it).
    tabs.AdapterCounters({2, 5000 + 4096, 7000 + 1});
    EXPECT_EQ("9", tabs.lvAdapters.SubItem(1, 1));
    link.counters = {{2, "eth0", 5000 + 4096 + 10, 7000 + 1}};
    tabs.btnResetClick();
    EXPECT_EQ(1, link.reads);
    EXPECT_EQ("0", tabs.lvAdapters.SubItem(1, 1));
    EXPECT_EQ("0", tabs.lvAdapters.SubItem(1, 2));
    EXPECT_EQ("0", tabs.lvAdapters.SubItem(0, 1));
    tabs.AdapterCounters({2, 5000 + 4096 + 10 + 2048, 7000 + 1 + 1025});
    EXPECT_EQ("2", tabs.lvAdapters.SubItem(1, 1));
    EXPECT_EQ("2", tabs.lvAdapters.SubItem(1, 2));
    // Without a table the totals still restart (from the last tick's counters); the error shows.
    link.tableFails = true;
    EXPECT_THROW(tabs.btnResetClick(), std::runtime_error);
    EXPECT_EQ("0", tabs.lvAdapters.SubItem(1, 1));
    link.tableFails = false;
    tabs.AdapterCounters({2, 5000 + 4096 + 10 + 2048 + 1024, 7000 + 1 + 1025});
    EXPECT_EQ("1", tabs.lvAdapters.SubItem(1, 1));

    // "Reset Totals" under the mouse: a click resets, and so does a quick second click, which
    // Windows sends as a double click.
    w.pages.SetActivePageIndex(3);
    const ui::Rect b = tabs.btnReset.HostRect();
    const HWND page = w.TabSheet1.Handle();
    const LPARAM at = MAKELPARAM(b.left + b.width / 2, b.top + b.height / 2);
    uint32_t in = 5000 + 4096 + 10 + 2048;
    for (const UINT down : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        in += 4096;
        tabs.AdapterCounters({2, in, 7000 + 1 + 1025});
        ASSERT_NE("0", tabs.lvAdapters.SubItem(1, 1));
        link.counters = {{2, "eth0", in, 7000 + 1 + 1025}};
        const int reads = link.reads;
        SendMessageA(page, WM_MOUSEMOVE, 0, at);
        SendMessageA(page, down, MK_LBUTTON, at);
        SendMessageA(page, WM_LBUTTONUP, 0, at);
        EXPECT_EQ(reads + 1, link.reads) << (down == WM_LBUTTONDOWN ? "click" : "quick second click");
        EXPECT_EQ("0", tabs.lvAdapters.SubItem(1, 1));
    }

    // The graph: channel 0 the upload rate, channel 1 the download rate; the limit and the peak.
    int v = 0;
    tabs.ScopeNeedData(tabs.Scope.widget(), 0, v);
    EXPECT_EQ(3, v);
    tabs.ScopeNeedData(tabs.Scope.widget(), 1, v);
    EXPECT_EQ(12, v);
    EXPECT_EQ(200, tabs.Scope->MaxValue());
    EXPECT_EQ(160, tabs.VrScale->PeakLevel());

    // The address watcher: going offline rebuilds the rows on this thread, totals afresh.
    ASSERT_TRUE(e2e::PumpUntil([&] { return address.Reads() >= 2; }, 5000));
    {
        std::lock_guard<std::mutex> hold(tables.lock);
        tables.interfaces.push_back({9, "ppp0", 4096, 0});
    }
    const int builds = tables.builds;
    address.Set("127.0.0.1");
    ASSERT_TRUE(e2e::PumpUntil([&] { return tabs.lvAdapters.Count() == 4; }, 5000));
    EXPECT_EQ(builds + 1, tables.builds);
    EXPECT_EQ(GetCurrentThreadId(), tables.builtOn);
    EXPECT_EQ("5", tabs.lvAdapters.SubItem(1, 1));
    EXPECT_EQ("xxxx", Marks(tabs.lvAdapters));

    if (const char* shots = std::getenv("DETAILS_TABS_SHOTS")) {
        for (int i = 0; i < 4; ++i) {
            w.pages.SetActivePageIndex(i);
            e2e::BringToFront(w.Handle());
            for (int k = 0; k < 3; ++k) {
                tabs.Scope->Tick();
                e2e::Pump();
                Sleep(100);
            }
            SaveShot(w.Handle(), std::string(shots) + "\\tab" + std::to_string(i) + ".bmp");
        }
    }

    // The program ends: the watcher's thread is gone.
    const DWORD watcher = tabs.IdIPWatch.ThreadId();
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, watcher);
    tabs.FormDestroy();
    EXPECT_FALSE(tabs.IdIPWatch.Active());
    if (thread) {
        EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(thread, 0));
        CloseHandle(thread);
    }
}
