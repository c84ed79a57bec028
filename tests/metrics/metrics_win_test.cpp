// The metric sources against the real platform (run under Wine).
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "monitor/metrics/cpu_sampler.h"
#include "monitor/metrics/cpu_usage.h"
#include "monitor/metrics/ip_functions.h"
#include "monitor/metrics/perf_layout.h"
#include "monitor/metrics/processor_info.h"
#include "monitor/metrics/toolhelp.h"

using namespace metrics;

// Counts every allocation of this test program, for the steady-state check.
static std::atomic<long> g_allocations{0};
void* operator new(size_t n) {
    ++g_allocations;
    if (void* p = HeapAlloc(GetProcessHeap(), 0, n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace {
double MeanLoad(int32_t count) {
    double sum = 0;
    for (int32_t i = 0; i < count; ++i) sum += metrics::ProcessorLoad(i);
    return sum / count;
}

// Samples around a `ms` window, optionally with one spinning thread per processor.
double MeasureWindow(int32_t count, bool busy, DWORD ms) {
    std::atomic<bool> stop{false};
    std::vector<std::thread> spinners;
    if (busy) {
        for (int32_t i = 0; i < count; ++i)
            spinners.emplace_back([&stop] {
                volatile uint64_t x = 0;
                while (!stop.load(std::memory_order_relaxed)) x = x + 1;
            });
    }
    SampleProcessors();
    Sleep(ms);
    SampleProcessors();
    stop = true;
    for (auto& t : spinners) t.join();
    return MeanLoad(count);
}
}  // namespace

TEST(CpuUsage, BusyThreadsRaiseTheLoad) {
    const int32_t count = ProcessorCount();
    ASSERT_GE(count, 1);
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    EXPECT_LE(count, static_cast<int32_t>(si.dwNumberOfProcessors) + 1);  // + an aggregate
    const double idle = MeasureWindow(count, false, 400);
    const double busy = MeasureWindow(count, true, 400);
    for (int32_t i = 0; i < count; ++i) {
        const double load = metrics::ProcessorLoad(i);
        EXPECT_GE(load, 0.0) << i;
        EXPECT_LE(load, 1.0) << i;
    }
    std::printf("processors %d, idle load %.3f, busy load %.3f\n", count, idle, busy);
    // With a spinner on every processor the machine is busy, whatever else runs on it.
    EXPECT_GT(busy, 0.8);
    EXPECT_GE(busy, idle - 0.02);
    if (idle < 0.7) {
        EXPECT_GT(busy, idle + 0.2);
    }
    EXPECT_THROW(metrics::ProcessorLoad(count), Error);
}

TEST(CpuUsage, SteadyStateSamplesDoNotAllocate) {
    ProcessorCount();
    SampleProcessors();  // whichever source this system has, it is chosen by now
    const long before = g_allocations;
    for (int i = 0; i < 5; ++i) {
        SampleProcessors();
        metrics::ProcessorLoad(0);
    }
    EXPECT_EQ(before, g_allocations.load());

    // The performance-data path, fed a Processor object through the same seam as the system's.
    class Canned : public PerfDataQuery {
    public:
        std::vector<uint8_t> data;
        int32_t Query(uint8_t* buffer, uint32_t* size) override {
            if (*size < data.size()) {
                *size = static_cast<uint32_t>(data.size());
                return ERROR_MORE_DATA;
            }
            std::memcpy(buffer, data.data(), data.size());
            *size = static_cast<uint32_t>(data.size());
            // The next answer is a little later.
            reinterpret_cast<perf::DataBlock*>(data.data())->SystemTime_.wSecond++;
            return ERROR_SUCCESS;
        }
    } canned;
    canned.data.assign(10000, 0);  // larger than the first buffer: grows once
    perf::DataBlock block{};
    block.HeaderLength = sizeof block;
    block.NumObjectTypes = 1;
    block.SystemTime_ = {2026, 12, 2, 8, 10, 0, 0, 0};
    perf::ObjectType object{};
    object.TotalByteLength =
        sizeof object + sizeof(perf::CounterDefinition) + sizeof(perf::InstanceDefinition) + 16;
    object.DefinitionLength = sizeof object + sizeof(perf::CounterDefinition);
    object.HeaderLength = sizeof object;
    object.ObjectNameTitleIndex = perf::kProcessorObject;
    object.NumCounters = 1;
    object.NumInstances = 1;
    perf::CounterDefinition counter{};
    counter.ByteLength = sizeof counter;
    counter.CounterNameTitleIndex = perf::kProcessorTimeCounter;
    counter.CounterOffset = 8;
    perf::InstanceDefinition instance{};
    instance.ByteLength = sizeof instance;
    const uint32_t blockLength = 16;
    uint8_t* at = canned.data.data();
    std::memcpy(at, &block, sizeof block);
    at += sizeof block;
    std::memcpy(at, &object, sizeof object);
    std::memcpy(at + sizeof object, &counter, sizeof counter);
    std::memcpy(at + object.DefinitionLength, &instance, sizeof instance);
    std::memcpy(at + object.DefinitionLength + sizeof instance, &blockLength, 4);

    CpuSampler sampler(true, &canned, nullptr, nullptr);
    sampler.SampleProcessors();
    sampler.SampleProcessors();
    const long start = g_allocations;
    for (int i = 0; i < 5; ++i) {
        sampler.SampleProcessors();
        EXPECT_DOUBLE_EQ(1.0, sampler.ProcessorLoad(0));  // idle never rises
    }
    EXPECT_EQ(start, g_allocations.load());
    EXPECT_EQ(CpuSampler::Source::kPerfData, sampler.source());
    EXPECT_EQ(12288u, sampler.bufferSize());
}

TEST(CpuUsage, WalkAgreesWithThePlatformTimeConversion) {
    const perf::SystemTime dates[] = {{1601, 1, 1, 1, 0, 0, 0, 0},
                                      {2000, 2, 2, 29, 23, 59, 59, 999},
                                      {2026, 12, 2, 8, 10, 11, 12, 13},
                                      {30827, 12, 0, 31, 23, 59, 59, 999}};
    for (const auto& d : dates) {
        SYSTEMTIME st;
        std::memcpy(&st, &d, sizeof st);
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
        int64_t mine = 0;
        ASSERT_TRUE(perf::SystemTimeToFileTimeUnits(d, &mine));
        EXPECT_EQ((static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime, mine);
    }
}

namespace {
struct Loopback {
    DWORD index = 0;
    Octets octets;
    bool found = false;
};

Loopback ReadLoopback() {
    Loopback lb;
    IfTablePtr table;
    uint32_t size = 0;
    GetInterfaceTable(table, size, true);
    if (!table) return lb;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IFROW& r = table->table[i];
        if (r.dwType == MIB_IF_TYPE_LOOPBACK) {
            lb.found = true;
            lb.index = r.dwIndex;
            // Through the octet rule, as the tick reads it.
            SelectOctets(static_cast<int32_t>(i), table->table, table->dwNumEntries, lb.octets);
            break;
        }
    }
    return lb;
}

// Sends `total` bytes from one loopback socket to another and reads them all.
bool SendOverLoopback(size_t total) {
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    int len = sizeof addr;
    if (bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        closesocket(listener);
        return false;
    }
    SOCKET sender = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    bool ok = connect(sender, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    SOCKET receiver = ok ? accept(listener, nullptr, nullptr) : INVALID_SOCKET;
    ok = ok && receiver != INVALID_SOCKET;
    size_t received = 0;
    std::thread reader([&] {
        std::vector<char> buf(65536);
        while (ok && received < total) {
            const int n = recv(receiver, buf.data(), static_cast<int>(buf.size()), 0);
            if (n <= 0) break;
            received += static_cast<size_t>(n);
        }
    });
    std::vector<char> chunk(65536, 'x');
    for (size_t sent = 0; ok && sent < total;) {
        const int n = send(sender, chunk.data(), static_cast<int>(chunk.size()), 0);
        if (n <= 0) break;
        sent += static_cast<size_t>(n);
    }
    reader.join();
    closesocket(sender);
    if (receiver != INVALID_SOCKET) closesocket(receiver);
    closesocket(listener);
    return received >= total;
}
}  // namespace

TEST(IpFunctions, LoopbackCountsWhatIsSentOverIt) {
    WSADATA wsa;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &wsa));
    const Loopback before = ReadLoopback();
    ASSERT_TRUE(before.found) << "no loopback row in the interface table";
    const size_t total = 1 << 20;
    ASSERT_TRUE(SendOverLoopback(total));
    // The system may publish its counters a little later; poll briefly.
    Loopback after;
    for (int i = 0; i < 50; ++i) {
        after = ReadLoopback();
        if (static_cast<uint32_t>(after.octets.down - before.octets.down) >= total &&
            static_cast<uint32_t>(after.octets.up - before.octets.up) >= total)
            break;
        Sleep(20);
    }
    WSACleanup();
    EXPECT_EQ(before.index, after.index);
    EXPECT_GE(static_cast<uint32_t>(after.octets.down - before.octets.down), total);
    EXPECT_GE(static_cast<uint32_t>(after.octets.up - before.octets.up), total);
}

TEST(IpFunctions, TablesAndTheTickReading) {
    IfTablePtr ifs;
    uint32_t ifSize = 0;
    GetInterfaceTable(ifs, ifSize, true);
    ASSERT_TRUE(ifs);
    ASSERT_GE(ifs->dwNumEntries, 1u);
    EXPECT_GE(ifSize, sizeof(DWORD) + ifs->dwNumEntries * sizeof(MIB_IFROW));
    for (DWORD i = 1; i < ifs->dwNumEntries; ++i)
        EXPECT_LT(ifs->table[i - 1].dwIndex, ifs->table[i].dwIndex);  // sorted

    IpAddrTablePtr addrs;
    uint32_t addrSize = 0;
    GetAddressTable(addrs, addrSize, true);
    ASSERT_TRUE(addrs);
    bool loopbackAddress = false;
    for (DWORD i = 0; i < addrs->dwNumEntries; ++i)
        if (addrs->table[i].dwAddr == htonl(INADDR_LOOPBACK)) {
            loopbackAddress = true;
            bool joined = false;  // the address row belongs to an interface row
            for (DWORD j = 0; j < ifs->dwNumEntries; ++j)
                joined = joined || ifs->table[j].dwIndex == addrs->table[i].dwIndex;
            EXPECT_TRUE(joined);
        }
    EXPECT_TRUE(loopbackAddress);

    // "All Interfaces" and a negative choice read sums; a row's own reading is never larger
    // than the sum by more than what arrives between the reads.
    Octets all, minus, first;
    ReadOctets(static_cast<int32_t>(ifs->dwNumEntries), all);
    ReadOctets(-1, minus);
    ReadOctets(0, first);
    EXPECT_GE(static_cast<uint32_t>(minus.down - all.down), 0u);
    EXPECT_FALSE(InterfaceDescription(ifs->table[0]).empty());
    MIB_IFROW row{};
    std::memcpy(row.bDescr, "eth0", 4);
    EXPECT_EQ("", InterfaceDescription(row));  // length 0: empty, whatever the bytes say
    row.dwDescrLen = 3;
    EXPECT_EQ("eth", InterfaceDescription(row));  // not terminated: exactly the length
    row.dwDescrLen = 0xFFFFFFFFu;
    EXPECT_EQ(sizeof row.bDescr, InterfaceDescription(row).size());  // never past the field
    try {
        RaiseIpHelperError("GetIfTable", ERROR_NO_DATA);
    } catch (const EIpHlpError& e) {
        EXPECT_STREQ("Function GetIfTable. No adapter information exists for the local computer.", e.what());
    }
    SetLastError(ERROR_ACCESS_DENIED);
    try {
        RaiseIpHelperError("GetIfTable", 1234);
    } catch (const EWin32Error& e) {
        EXPECT_EQ(0, std::strncmp("Win32 Error.  Code: 5.\n", e.what(), 23)) << e.what();
        EXPECT_GT(std::strlen(e.what()), 23u);  // the system's text follows
    }
}

TEST(Toolhelp, SnapshotListsThisProcessWithThreadsAndModules) {
    const DWORD self = GetCurrentProcessId();
    std::atomic<bool> stop{false};
    std::thread extra([&stop] {
        while (!stop) Sleep(5);
    });
    bool listed = false;
    DWORD threadsOfSelf = 0;
    ForEachProcess([&](const PROCESSENTRY32& p) {
        if (p.th32ProcessID != self) return true;
        listed = true;
        threadsOfSelf = p.cntThreads;
        EXPECT_NE(nullptr, std::strstr(p.szExeFile, "metrics_win_test"));
        return false;  // found: stop early
    });
    EXPECT_TRUE(listed);
    EXPECT_GE(threadsOfSelf, 2u);

    std::vector<DWORD> threads;
    ForEachThread(self, [&](const THREADENTRY32& t) {
        EXPECT_EQ(self, t.th32OwnerProcessID);
        threads.push_back(t.th32ThreadID);
    });
    bool main = false;
    for (DWORD id : threads) main = main || id == GetCurrentThreadId();
    EXPECT_TRUE(main);
    EXPECT_GE(threads.size(), 2u);
    stop = true;
    extra.join();

    bool exe = false, kernel = false;
    ForEachModule(self, [&](const MODULEENTRY32& m) {
        if (m.hModule == GetModuleHandleA(nullptr)) {
            exe = true;
            EXPECT_GT(m.modBaseSize, 0u);
            EXPECT_NE(nullptr, std::strstr(m.szExePath, "metrics_win_test"));
        }
        kernel = kernel || lstrcmpiA(m.szModule, "kernel32.dll") == 0;
    });
    EXPECT_TRUE(exe);
    EXPECT_TRUE(kernel);

    char own[MAX_PATH];
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    EXPECT_EQ(0, lstrcmpiA(own, ProcessFullPath(self).c_str()));
    EXPECT_EQ("[Idle]", ProcessFullPath(0xFFFFFFF0u));  // no such process

    int ended = 0;  // a module snapshot of a process that does not exist lists nothing
    ForEachModule(0xFFFFFFF0u, [&](const MODULEENTRY32&) { ++ended; });
    EXPECT_EQ(0, ended);
}

namespace {
// A system whose kernel lacks the snapshot functions and that has no PSAPI.dll.
class BareLoader : public ModuleLoader {
public:
    int lookups = 0, loads = 0;
    HMODULE GetHandle(const char* name) override { return GetModuleHandleA(name); }
    HMODULE Load(const char*) override {
        ++loads;
        return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(2));  // a failed 16-bit style load
    }
    FARPROC Lookup(HMODULE, const char*) override {
        ++lookups;
        return nullptr;
    }
};
}  // namespace

TEST(Toolhelp, MissingFunctionsListNothing) {
    BareLoader bare;
    SetModuleLoaderForTesting(&bare);
    int n = 0;
    ForEachProcess([&](const PROCESSENTRY32&) { ++n; });
    ForEachThread(GetCurrentProcessId(), [&](const THREADENTRY32&) { ++n; });
    ForEachModule(GetCurrentProcessId(), [&](const MODULEENTRY32&) { ++n; });
    EXPECT_EQ(0, n);
    EXPECT_EQ(nullptr, metrics::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    EXPECT_EQ(16, bare.lookups);  // bound once, not per call
    EXPECT_EQ("[Idle]", ProcessFullPath(GetCurrentProcessId()));
    EXPECT_EQ("[Idle]", ProcessFullPath(GetCurrentProcessId()));
    EXPECT_EQ(2, bare.loads);  // a failed load is tried again
    SetModuleLoaderForTesting(nullptr);
    EXPECT_TRUE(LoadToolHelpEntries());
    EXPECT_TRUE(LoadProcessStatusEntries());
}

TEST(ProcessorInfo, ThisProcessor) {
    const ProcessorId id = IdentifyProcessor();
    EXPECT_FALSE(id.vendor.empty());
    EXPECT_FALSE(id.name.empty());
    EXPECT_TRUE(id.features[0]);  // FPU
    EXPECT_TRUE(id.features[4]);  // TSC
    EXPECT_FALSE(id.fdivFlaw);
    std::printf("%s / %s / serial '%s'\n", id.vendor.c_str(), id.name.c_str(), id.serial.c_str());
    const uint32_t mhz = GetCPUSpeed();
    std::printf("speed %u MHz\n", mhz);
    EXPECT_GT(mhz, 100u);
    EXPECT_EQ(mhz, GetCPUSpeed());  // kept
}
