// Walk of the performance data: every record is checked against the buffer (and against its
// enclosing object) before it is read, and every step must move forward, so a truncated or
// damaged buffer ends as a missing object or counter instead of a read out of bounds.
#include <cstring>

#include "monitor/metrics/cpu_sampler.h"
#include "monitor/metrics/perf_layout.h"

namespace metrics {
namespace perf {

namespace {
bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Days from 1 January 1601 to the given civil date.
int64_t DaysSince1601(int64_t y, int64_t m, int64_t d) {
    // Shift the year to start in March so the leap day is the last day of the year.
    y -= m <= 2;
    const int64_t era = y / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t daysFrom0000 = era * 146097 + doe;  // days since 1 March of year 0
    return daysFrom0000 - 584694;                     // 1 January 1601 is day 584694
}
}  // namespace

bool SystemTimeToFileTimeUnits(const SystemTime& st, int64_t* out) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12) return false;
    const int dim = kDays[st.wMonth - 1] + (st.wMonth == 2 && IsLeap(st.wYear) ? 1 : 0);
    if (st.wDay < 1 || st.wDay > dim || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 ||
        st.wMilliseconds > 999)
        return false;
    const int64_t days = DaysSince1601(st.wYear, st.wMonth, st.wDay);
    const int64_t ms =
        ((days * 24 + st.wHour) * 60 + st.wMinute) * 60000 + int64_t(st.wSecond) * 1000 + st.wMilliseconds;
    *out = ms * 10000;
    return true;
}

}  // namespace perf

namespace {
// A record of type T at `offset` lies within [0, limit).
template <class T>
bool Fits(size_t offset, size_t limit) {
    return offset <= limit && limit - offset >= sizeof(T);
}

template <class T>
T Load(const uint8_t* data, size_t offset) {
    T t;
    std::memcpy(&t, data + offset, sizeof(T));
    return t;
}
}  // namespace

PerfWalk WalkPerfData(const uint8_t* data, size_t size) {
    using namespace perf;
    PerfWalk w;
    w.status = PerfWalk::kMissingObject;
    if (data == nullptr || !Fits<DataBlock>(0, size)) return w;
    const DataBlock block = Load<DataBlock>(data, 0);
    if (!SystemTimeToFileTimeUnits(block.SystemTime_, &w.time)) return w;
    if (block.NumObjectTypes == 0) {
        w.status = PerfWalk::kNoObjects;
        return w;
    }

    // Find the Processor object.
    size_t obj = block.HeaderLength;
    ObjectType object{};
    bool found = false;
    for (uint32_t i = 0; i < block.NumObjectTypes; ++i) {
        if (!Fits<ObjectType>(obj, size)) return w;
        object = Load<ObjectType>(data, obj);
        if (object.ObjectNameTitleIndex == kProcessorObject) {
            found = true;
            break;
        }
        // A step must move forward and stay inside the buffer.
        if (object.TotalByteLength < sizeof(ObjectType) || object.TotalByteLength > size - obj) return w;
        obj += object.TotalByteLength;
    }
    if (!found) return w;
    // The object must hold its own header and definitions and lie inside the buffer. An object
    // without instances is sound (the count becomes 0); a negative count is not.
    if (object.TotalByteLength > size - obj || object.HeaderLength < sizeof(ObjectType) ||
        object.DefinitionLength < object.HeaderLength || object.DefinitionLength > object.TotalByteLength ||
        object.NumInstances < 0)
        return w;
    // Every instance needs at least its definition and a counter block.
    const size_t instanceArea = object.TotalByteLength - object.DefinitionLength;
    if (static_cast<size_t>(object.NumInstances) >
        instanceArea / (sizeof(InstanceDefinition) + sizeof(CounterBlock)))
        return w;
    w.objectOffset = obj;
    w.numInstances = object.NumInstances;

    // Find the idle-time counter among the definitions.
    w.status = PerfWalk::kMissingCounter;
    const size_t defEnd = obj + object.DefinitionLength;
    size_t def = obj + object.HeaderLength;
    for (uint32_t i = 0; i < object.NumCounters; ++i) {
        if (!Fits<CounterDefinition>(def, defEnd)) return w;
        const CounterDefinition cd = Load<CounterDefinition>(data, def);
        if (cd.CounterNameTitleIndex == kProcessorTimeCounter) {
            w.counterOffset = cd.CounterOffset;
            w.status = PerfWalk::kOk;
            return w;
        }
        if (cd.ByteLength < sizeof(CounterDefinition) || cd.ByteLength > defEnd - def) return w;
        def += cd.ByteLength;
    }
    return w;
}

bool ReadPerfInstances(const uint8_t* data, size_t size, const PerfWalk& walk, int32_t count, int64_t* out) {
    using namespace perf;
    if (walk.status != PerfWalk::kOk || count < 0 || !Fits<ObjectType>(walk.objectOffset, size)) return false;
    const ObjectType object = Load<ObjectType>(data, walk.objectOffset);
    if (object.TotalByteLength > size - walk.objectOffset) return false;
    const size_t end = walk.objectOffset + object.TotalByteLength;
    // Two passes: check every instance first, so that a damaged one changes nothing.
    for (int pass = 0; pass < 2; ++pass) {
        size_t inst = walk.objectOffset + object.DefinitionLength;
        for (int32_t i = 0; i < count; ++i) {
            if (!Fits<InstanceDefinition>(inst, end)) return false;
            const InstanceDefinition id = Load<InstanceDefinition>(data, inst);
            if (id.ByteLength < sizeof(InstanceDefinition) || id.ByteLength > end - inst) return false;
            const size_t blockAt = inst + id.ByteLength;
            if (!Fits<CounterBlock>(blockAt, end)) return false;
            const CounterBlock cb = Load<CounterBlock>(data, blockAt);
            if (cb.ByteLength < sizeof(CounterBlock) || cb.ByteLength > end - blockAt) return false;
            // The value lies inside its counter block.
            if (walk.counterOffset > cb.ByteLength || cb.ByteLength - walk.counterOffset < 8) return false;
            if (pass == 1) out[i] = Load<int64_t>(data, blockAt + walk.counterOffset);
            inst = blockAt + cb.ByteLength;
        }
    }
    return true;
}

}  // namespace metrics
