// The CPU sampler bound to the system: performance data, the idle times of
// NtQuerySystemInformation, and the Windows 9x dynamic-data registry.
#include <windows.h>
#include <winperf.h>
#include <winternl.h>

#include <cstddef>
#include <memory>

#include "monitor/metrics/cpu_sampler.h"
#include "monitor/metrics/cpu_usage.h"
#include "monitor/metrics/errors.h"
#include "monitor/metrics/perf_layout.h"

// The byte layout the walk assumes is the platform's own.
static_assert(sizeof(PERF_DATA_BLOCK) == sizeof(metrics::perf::DataBlock), "PERF_DATA_BLOCK");
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == offsetof(metrics::perf::DataBlock, HeaderLength),
              "PERF_DATA_BLOCK");
static_assert(offsetof(PERF_DATA_BLOCK, NumObjectTypes) == offsetof(metrics::perf::DataBlock, NumObjectTypes),
              "PERF_DATA_BLOCK");
static_assert(offsetof(PERF_DATA_BLOCK, SystemTime) == offsetof(metrics::perf::DataBlock, SystemTime_),
              "PERF_DATA_BLOCK");
static_assert(sizeof(PERF_OBJECT_TYPE) == sizeof(metrics::perf::ObjectType), "PERF_OBJECT_TYPE");
static_assert(offsetof(PERF_OBJECT_TYPE, NumCounters) == offsetof(metrics::perf::ObjectType, NumCounters),
              "PERF_OBJECT_TYPE");
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == offsetof(metrics::perf::ObjectType, NumInstances),
              "PERF_OBJECT_TYPE");
static_assert(sizeof(PERF_COUNTER_DEFINITION) == sizeof(metrics::perf::CounterDefinition),
              "PERF_COUNTER_DEFINITION");
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterOffset) ==
                  offsetof(metrics::perf::CounterDefinition, CounterOffset),
              "PERF_COUNTER_DEFINITION");
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == sizeof(metrics::perf::InstanceDefinition),
              "PERF_INSTANCE_DEFINITION");

static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA");

namespace metrics {
namespace {

class RegistryPerfData : public PerfDataQuery {
public:
    int32_t Query(uint8_t* buffer, uint32_t* size) override {
        DWORD n = *size;
        const LONG rc = RegQueryValueExA(HKEY_PERFORMANCE_DATA, "238", nullptr, nullptr, buffer, &n);
        *size = n;
        used = true;
        return rc;
    }
    bool used = false;
};

class NtIdleTimes : public IdleTimeSource {
public:
    using QueryFn = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    NtIdleTimes() {
        if (HMODULE ntdll = GetModuleHandleA("ntdll.dll"))
            query_ = reinterpret_cast<QueryFn>(
                reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
    }
    size_t Read(int64_t* idle, size_t capacity, int64_t* stamp) override {
        if (!query_) return 0;
        ULONG got = 0;
        const LONG status = query_(SystemProcessorPerformanceInformation, info_, sizeof info_, &got);
        if (status != 0) return 0;
        size_t n = got / sizeof(info_[0]);
        if (n > capacity) n = capacity;
        FILETIME ft;
        GetSystemTimeAsFileTime(&ft);
        *stamp = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
        for (size_t i = 0; i < n; ++i) idle[i] = info_[i].IdleTime.QuadPart;
        return n;
    }

private:
    QueryFn query_ = nullptr;
    SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION info_[64];
};

class DynDataKeys : public DynDataRegistry {
public:
    bool Open(const char* subkey, uint32_t access, uintptr_t* key) override {
        HKEY h = nullptr;
        if (RegOpenKeyExA(HKEY_DYN_DATA, subkey, 0, access, &h) != ERROR_SUCCESS) return false;
        *key = reinterpret_cast<uintptr_t>(h);
        return true;
    }
    void ReadDword(uintptr_t key, const char* name, uint32_t* value) override {
        DWORD v = *value, size = sizeof v;
        if (RegQueryValueExA(reinterpret_cast<HKEY>(key), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&v),
                             &size) == ERROR_SUCCESS)
            *value = v;
    }
    void Close(uintptr_t key) override { RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

// One sampler per process, made at first use (so a failed version query surfaces as an
// error of the first call rather than at load time).
struct Module {
    RegistryPerfData perf;
    NtIdleTimes idle;
    DynDataKeys dyn;
    std::unique_ptr<CpuSampler> sampler;
};

Module& Storage() {
    static Module m;
    return m;
}

Module& TheModule() {
    Module& m = Storage();
    if (!m.sampler) {
        OSVERSIONINFOA vi{};
        vi.dwOSVersionInfoSize = sizeof vi;
        if (!GetVersionExA(&vi)) throw Error(kMsgNoVersion);
        const bool isNT = vi.dwPlatformId == VER_PLATFORM_WIN32_NT;
        m.sampler.reset(new CpuSampler(isNT, &m.perf, &m.idle, &m.dyn));
    }
    return m;
}
}  // namespace

int32_t ProcessorCount() { return TheModule().sampler->ProcessorCount(); }
void SampleProcessors() { TheModule().sampler->SampleProcessors(); }
double ProcessorLoad(int32_t index) { return TheModule().sampler->ProcessorLoad(index); }
void StopProcessorSampling() {
    Module& m = Storage();
    if (m.sampler) m.sampler->StopProcessorSampling();
    // Lets the system release what it holds for the performance data of this process.
    if (m.perf.used) {
        RegCloseKey(HKEY_PERFORMANCE_DATA);
        m.perf.used = false;
    }
}

}  // namespace metrics
