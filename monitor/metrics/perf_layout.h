#pragma once
// The published layout of the system's performance data (HKEY_PERFORMANCE_DATA), as the
// 32-bit platform lays it out, spelled out with explicit padding so the same bytes parse
// identically on every compiler. Records are copied out of the buffer with memcpy (no
// aligned access into the byte buffer).
#include <cstddef>
#include <cstdint>

namespace metrics {
namespace perf {

#pragma pack(push, 1)
struct SystemTime {  // SYSTEMTIME
    uint16_t wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};

struct DataBlock {          // PERF_DATA_BLOCK
    uint16_t Signature[4];  // "PERF"
    uint32_t LittleEndian;
    uint32_t Version;
    uint32_t Revision;
    uint32_t TotalByteLength;
    uint32_t HeaderLength;
    uint32_t NumObjectTypes;
    int32_t DefaultObject;
    SystemTime SystemTime_;
    uint32_t pad_;
    int64_t PerfTime;
    int64_t PerfFreq;
    int64_t PerfTime100nSec;
    uint32_t SystemNameLength;
    uint32_t SystemNameOffset;
};

struct ObjectType {  // PERF_OBJECT_TYPE
    uint32_t TotalByteLength;
    uint32_t DefinitionLength;
    uint32_t HeaderLength;
    uint32_t ObjectNameTitleIndex;
    uint32_t ObjectNameTitle;
    uint32_t ObjectHelpTitleIndex;
    uint32_t ObjectHelpTitle;
    uint32_t DetailLevel;
    uint32_t NumCounters;
    int32_t DefaultCounter;
    int32_t NumInstances;
    uint32_t CodePage;
    int64_t PerfTime;
    int64_t PerfFreq;
};

struct CounterDefinition {  // PERF_COUNTER_DEFINITION
    uint32_t ByteLength;
    uint32_t CounterNameTitleIndex;
    uint32_t CounterNameTitle;
    uint32_t CounterHelpTitleIndex;
    uint32_t CounterHelpTitle;
    int32_t DefaultScale;
    uint32_t DetailLevel;
    uint32_t CounterType;
    uint32_t CounterSize;
    uint32_t CounterOffset;
};

struct InstanceDefinition {  // PERF_INSTANCE_DEFINITION
    uint32_t ByteLength;
    uint32_t ParentObjectTitleIndex;
    uint32_t ParentObjectInstance;
    int32_t UniqueID;
    uint32_t NameOffset;
    uint32_t NameLength;
};

struct CounterBlock {  // PERF_COUNTER_BLOCK
    uint32_t ByteLength;
};
#pragma pack(pop)

static_assert(sizeof(SystemTime) == 16, "SYSTEMTIME layout");
static_assert(offsetof(DataBlock, HeaderLength) == 24, "PERF_DATA_BLOCK layout");
static_assert(offsetof(DataBlock, SystemTime_) == 36, "PERF_DATA_BLOCK layout");
static_assert(offsetof(DataBlock, PerfTime) == 56, "PERF_DATA_BLOCK layout");
static_assert(sizeof(DataBlock) == 88, "PERF_DATA_BLOCK layout");
static_assert(sizeof(ObjectType) == 64, "PERF_OBJECT_TYPE layout");
static_assert(sizeof(CounterDefinition) == 40, "PERF_COUNTER_DEFINITION layout");
static_assert(sizeof(InstanceDefinition) == 24, "PERF_INSTANCE_DEFINITION layout");

// Title indexes of the system's performance registry.
constexpr uint32_t kProcessorObject = 238;
constexpr uint32_t kProcessorTimeCounter = 6;

// SYSTEMTIME -> FILETIME units (100 ns since 1 January 1601 UTC). False for a date the
// platform would refuse (month, day, hour, ... out of range; year before 1601 or after 30827).
bool SystemTimeToFileTimeUnits(const SystemTime& st, int64_t* out);

}  // namespace perf
}  // namespace metrics
