#pragma once
// The CPU sampler's logic over plain data. The Windows side (cpu_usage.h) owns one
// CpuSampler fed by the real sources; tests feed synthetic ones.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace metrics {

// RegQueryValueExA(HKEY_PERFORMANCE_DATA, "238", ...): fills `buffer` (capacity *size) and
// returns the platform's result code; on success *size is the number of bytes written.
class PerfDataQuery {
public:
    virtual ~PerfDataQuery() = default;
    virtual int32_t Query(uint8_t* buffer, uint32_t* size) = 0;
};

// Idle time per processor without performance data (NtQuerySystemInformation with
// SystemProcessorPerformanceInformation on the NT family; Wine publishes performance data
// without a Processor object). Writes up to `capacity` idle times (100-ns units) and the
// time stamp (FILETIME units); returns the number of processors, or 0 on failure.
class IdleTimeSource {
public:
    virtual ~IdleTimeSource() = default;
    virtual size_t Read(int64_t* idle, size_t capacity, int64_t* stamp) = 0;
};

// The Windows 9x dynamic-data registry (HKEY_DYN_DATA). Keys are opaque non-zero values.
class DynDataRegistry {
public:
    virtual ~DynDataRegistry() = default;
    virtual bool Open(const char* subkey, uint32_t access, uintptr_t* key) = 0;
    virtual void ReadDword(uintptr_t key, const char* name, uint32_t* value) = 0;  // result ignored
    virtual void Close(uintptr_t key) = 0;
};

// Result of walking one performance-data buffer.
struct PerfWalk {
    enum Status { kOk, kNoObjects, kMissingObject, kMissingCounter } status = kMissingObject;
    int32_t numInstances = 0;    // of the Processor object
    size_t objectOffset = 0;     // of the Processor object in the buffer
    uint32_t counterOffset = 0;  // CounterOffset of the idle-time counter
    int64_t time = 0;            // SystemTime in FILETIME units
};

// Finds the Processor object and its idle-time counter; bounds-checked against `size`.
// kNoObjects: a sound header that lists no object at all.
PerfWalk WalkPerfData(const uint8_t* data, size_t size);

// Reads `count` idle-time values of the walked object into `out`; false (nothing written)
// when any of the instances or values lies outside the object or the buffer.
bool ReadPerfInstances(const uint8_t* data, size_t size, const PerfWalk& walk, int32_t count, int64_t* out);

class CpuSampler {
public:
    static constexpr uint32_t kInitialBufferSize = 8192;
    static constexpr uint32_t kBufferStep = 4096;
    // Past this size the buffer doubles instead (real Processor data never gets near it), and
    // a query still asking for more at kMaxBufferSize is given up: the sample fails and the
    // buffer goes back to its first size.
    static constexpr uint32_t kLinearGrowthLimit = 64 * 1024;
    static constexpr uint32_t kMaxBufferSize = 16 * 1024 * 1024;

    // NT family: `perf` first; `fallback` (may be null) when the performance data holds no
    // objects at the first sample. Windows 9x: `dyn`.
    CpuSampler(bool isNT, PerfDataQuery* perf, IdleTimeSource* fallback, DynDataRegistry* dyn);
    ~CpuSampler();
    CpuSampler(const CpuSampler&) = delete;
    CpuSampler& operator=(const CpuSampler&) = delete;

    int32_t ProcessorCount();
    void SampleProcessors();
    double ProcessorLoad(int32_t index);
    void StopProcessorSampling();

    // For tests and diagnostics.
    enum class Source { kUndecided, kPerfData, kIdleTimes, kDynData };
    Source source() const { return source_; }
    uint32_t bufferSize() const { return static_cast<uint32_t>(buffer_.size()); }
    size_t bufferBytesHeld() const { return buffer_.capacity(); }

private:
    void SampleNT();
    void SamplePerfData();
    void SampleIdleTimes();
    void Sample9x();
    void FixCount(int32_t count);

    bool isNT_;
    PerfDataQuery* perf_;
    IdleTimeSource* fallback_;
    DynDataRegistry* dyn_;
    Source source_;
    std::vector<uint8_t> buffer_;
    int32_t count_ = -1;
    std::vector<int64_t> current_, previous_;
    std::vector<int64_t> idle_;  // scratch of the idle-time source
    int64_t currentTime_ = 0, previousTime_ = 0;
    bool started9x_ = false;
    uintptr_t dataKey9x_ = 0;
    uint32_t load9x_ = 0;
};

// The exact texts of the sampler's errors.
extern const char* const kMsgNoVersion;
extern const char* const kMsgNoProcessorObject;
extern const char* const kMsgNoProcessorCounter;
extern const char* const kMsgCannotStart9x;
extern const char* const kMsgCannotRead9x;
extern const char* const kMsgIndexOutOfBounds;

}  // namespace metrics
