// System Details' facts from the running system and the address watcher, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>

#include "monitor/details/ip_watch.h"
#include "monitor/details/system_probe_win.h"
#include "monitor/metrics/memory_status_win.h"
#include "tests/support/e2e.h"

using namespace details;

namespace {
// Runs details_system_lines.exe with Wine's Version setting for it and returns its lines.
std::string SystemLinesAs(const char* version) {
    const std::string key = "Software\\Wine\\AppDefaults\\details_system_lines.exe";
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
        return "no key";
    RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(strlen(version) + 1));
    RegCloseKey(k);
    const std::string out = e2e::ExeFolder() + "\\lines.txt";
    DeleteFileA(out.c_str());
    std::string cmd = "cmd /c \"\"" + e2e::ExeFolder() + "\\details_system_lines.exe\" > \"" + out + "\"\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string text = "did not start";
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                       &pi)) {
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        text = e2e::ReadText(out);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    DeleteFileA(out.c_str());
    return text;
}
}  // namespace

TEST(SystemLines, UnderWineVersions) {
    EXPECT_EQ("Windows 2000\nProfessional\nService Pack 4\nBuild 2195\n", SystemLinesAs("win2k"));
    EXPECT_EQ("Windows XP\nProfessional\nService Pack 3\nBuild 2600\n", SystemLinesAs("winxp"));
}

TEST(Memory, FiguresAbove4GBThroughTheWideCall) {
    class Fake : public metrics::MemoryStatusApi {
    public:
        bool haveEx = true;
        bool StatusEx(MEMORYSTATUSEX& s) override {
            if (!haveEx) return false;
            s.dwMemoryLoad = 37;
            s.ullTotalPhys = 32ull << 30;
            s.ullAvailPhys = 20ull << 30;
            s.ullTotalPageFile = 40ull << 30;
            s.ullAvailPageFile = 30ull << 30;
            return true;
        }
        void Status(MEMORYSTATUS& s) override {
            s.dwMemoryLoad = 50;
            s.dwTotalPhys = 0x7FFFFFFF;  // what the 32-bit call caps at
            s.dwAvailPhys = 0x40000000;
            s.dwTotalPageFile = 0x7FFFFFFF;
            s.dwAvailPageFile = 0x7FFFFFFF;
        }
    } fake;
    metrics::MemoryStatus m = metrics::ReadMemoryStatus(fake);
    EXPECT_EQ(37u, m.memoryLoad);
    EXPECT_EQ(32ull << 30, m.totalPhys);
    EXPECT_EQ(20ull << 30, m.availPhys);
    EXPECT_EQ(40ull << 30, m.totalPageFile);
    EXPECT_EQ(30ull << 30, m.availPageFile);
    MemoryTexts t;
    FormatMemory(m, t);
    EXPECT_STREQ("33554432", t.totalRAM);
    EXPECT_STREQ("10240 MB", t.swapMB);
    // A system without the wide call: the 32-bit figures.
    fake.haveEx = false;
    m = metrics::ReadMemoryStatus(fake);
    EXPECT_EQ(50u, m.memoryLoad);
    EXPECT_EQ(0x7FFFFFFFull, m.totalPhys);
    // This system's own figures.
    m = metrics::ReadMemoryStatus();
    EXPECT_GT(m.totalPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);
    EXPECT_GT(m.totalPageFile, 0u);
}

TEST(SystemFacts, FoldersTicksAndTables) {
    SystemFolderSource source;
    const std::vector<FolderRow> rows = BuildFolderRows(source);
    ASSERT_EQ(27u, rows.size());
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(windows, rows[2].location);
    EXPECT_NE('\\', rows[4].location.back());
    int found = 0;
    for (const FolderRow& r : rows) found += r.location != "N/A";
    EXPECT_GE(found, 20) << "Wine knows most special folders";
    std::printf("%s: %s\n%s: %s\n", rows[0].caption.c_str(), rows[0].location.c_str(),
                rows[5].caption.c_str(), rows[5].location.c_str());

    const TickSource ticks;
    const uint64_t ms = ticks.Milliseconds();
    EXPECT_LE(static_cast<uint32_t>(ms) - GetTickCount() + 50u, 100u) << "the same clock";

    const std::vector<InterfaceRow> interfaces = ReadInterfaceRows();
    ASSERT_FALSE(interfaces.empty()) << "Wine lists the host's interfaces, lo at least";
    AdapterRows list;
    list.Rebuild(interfaces, ReadAddressRows());
    bool loopback = false;
    for (const AdapterRow& r : list.Rows()) {
        loopback |= r.address == "127.0.0.1";
        std::printf("%-20s %-15s %s %s\n", r.description.c_str(), r.address.c_str(), r.received, r.sent);
    }
    EXPECT_TRUE(loopback);
    // The computer picture: a file's first icon, none for a file without icons.
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    EXPECT_TRUE(FirstIconOf(std::string(dir) + "\\shell32.dll"));
    GetWindowsDirectoryA(dir, MAX_PATH);
    EXPECT_FALSE(FirstIconOf(std::string(dir) + "\\win.ini"));
    EXPECT_FALSE(FirstIconOf(""));
}

namespace {
class FakeAddress {
public:
    void Set(const std::string& a) {
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
    std::string address_;
    long reads_ = 0;
};
}  // namespace

TEST(AddressWatcher, ChangeArrivesOnTheUserInterfaceThreadAndTheThreadEnds) {
    FakeAddress fake;
    fake.Set("10.1.2.3");
    IdIPWatch watch([&] { return fake.Read(); });
    EXPECT_FALSE(watch.HistoryEnabled);
    EXPECT_STREQ("iphist.dat", watch.HistoryFilename);
    watch.WatchInterval = 20;
    int changes = 0;
    DWORD changedOn = 0;
    watch.OnStatusChanged = [&] {
        ++changes;
        changedOn = GetCurrentThreadId();
    };
    watch.SetActive(true);
    ASSERT_TRUE(watch.Active());
    const DWORD watcher = watch.ThreadId();
    EXPECT_NE(GetCurrentThreadId(), watcher);
    // The first reading sets the state; it is no change.
    ASSERT_TRUE(e2e::PumpUntil([&] { return fake.Reads() >= 3; }, 5000));
    e2e::Pump();
    EXPECT_EQ(0, changes);
    EXPECT_TRUE(watch.IsOnline());
    EXPECT_EQ("10.1.2.3", watch.CurrentIP());

    fake.Set("127.0.0.1");
    ASSERT_TRUE(e2e::PumpUntil([&] { return changes == 1; }, 5000));
    EXPECT_EQ(GetCurrentThreadId(), changedOn);
    EXPECT_FALSE(watch.IsOnline());
    // Another reading without a change of state: no event.
    const long seen = fake.Reads();
    ASSERT_TRUE(e2e::PumpUntil([&] { return fake.Reads() >= seen + 3; }, 5000));
    e2e::Pump();
    EXPECT_EQ(1, changes);

    // A change on its way when the watcher ends is dropped; the thread is gone.
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, watcher);
    ASSERT_NE(nullptr, thread);
    const long before = fake.Reads();
    fake.Set("192.168.7.7");
    ASSERT_TRUE(e2e::WaitUntil([&] { return watch.IsOnline() && fake.Reads() > before; }, 5000));
    watch.SetActive(false);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(thread, 0));
    CloseHandle(thread);
    EXPECT_FALSE(watch.Active());
    EXPECT_EQ(0u, watch.ThreadId());
    const long after = fake.Reads();
    e2e::Pump();
    EXPECT_EQ(1, changes);
    EXPECT_EQ(after, fake.Reads());

    // Active again: a fresh start, the next flip is reported as before.
    watch.SetActive(true);
    ASSERT_TRUE(e2e::PumpUntil([&] { return fake.Reads() >= after + 2; }, 5000));
    fake.Set("");
    ASSERT_TRUE(e2e::PumpUntil([&] { return changes == 2; }, 5000));
}

TEST(AddressWatcher, SystemAddressAndEndAtDestruction) {
    const std::string a = IdIPWatch::SystemLocalAddress();
    std::printf("local address: '%s'\n", a.c_str());
    EXPECT_TRUE(a.empty() || a.find('.') != std::string::npos);
    DWORD id = 0;
    {
        IdIPWatch watch;
        watch.SetActive(true);
        id = watch.ThreadId();
    }
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
    if (thread) {  // the id may already be gone altogether
        EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(thread, 0));
        CloseHandle(thread);
    }
}
