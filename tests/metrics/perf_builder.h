#pragma once
// Builds performance-data buffers in the platform's layout for the sampler's tests.
#include <cstdint>
#include <cstring>
#include <vector>

#include "monitor/metrics/perf_layout.h"

namespace perftest {

using namespace metrics::perf;

struct Instance {
    int64_t idle;  // value of the idle-time counter
};

struct Object {
    uint32_t titleIndex = kProcessorObject;
    std::vector<uint32_t> counters{2, kProcessorTimeCounter, 4};  // title indexes, 8 bytes each
    std::vector<Instance> instances;
};

inline SystemTime Time(uint16_t second, uint16_t ms = 0) {
    SystemTime t{2026, 12, 1, 8, 10, 0, second, ms};
    return t;
}

template <class T>
void Put(std::vector<uint8_t>& b, size_t at, const T& v) {
    if (b.size() < at + sizeof(T)) b.resize(at + sizeof(T));
    std::memcpy(b.data() + at, &v, sizeof(T));
}

// Counter values sit at CounterOffset = 8 + 8 * position after a 4-byte block length (plus
// padding), so the idle-time counter is not the first one.
inline std::vector<uint8_t> Build(const std::vector<Object>& objects, SystemTime when) {
    std::vector<uint8_t> b;
    const uint32_t headerLength = sizeof(DataBlock) + 8;  // system name after the header
    for (const Object& o : objects) {
        const size_t start = b.size() < headerLength ? headerLength : b.size();
        const uint32_t defLength =
            static_cast<uint32_t>(sizeof(ObjectType) + o.counters.size() * sizeof(CounterDefinition));
        size_t at = start + defLength;
        const uint32_t blockLength = static_cast<uint32_t>(8 + 8 * o.counters.size());
        for (size_t i = 0; i < o.instances.size(); ++i) {
            InstanceDefinition id{};
            id.ByteLength = sizeof(InstanceDefinition) + 8;  // name "0\0" in UTF-16 + padding
            id.NameOffset = sizeof(InstanceDefinition);
            id.NameLength = 4;
            Put(b, at, id);
            Put<uint32_t>(b, at + sizeof(InstanceDefinition), 0x30);
            at += id.ByteLength;
            CounterBlock cb{blockLength};
            Put(b, at, cb);
            for (size_t c = 0; c < o.counters.size(); ++c)
                Put<int64_t>(b, at + 8 + 8 * c,
                             o.counters[c] == kProcessorTimeCounter ? o.instances[i].idle : 12345);
            at += blockLength;
        }
        ObjectType ot{};
        ot.TotalByteLength = static_cast<uint32_t>(at - start);
        ot.DefinitionLength = defLength;
        ot.HeaderLength = sizeof(ObjectType);
        ot.ObjectNameTitleIndex = o.titleIndex;
        ot.NumCounters = static_cast<uint32_t>(o.counters.size());
        ot.NumInstances = static_cast<int32_t>(o.instances.size());
        Put(b, start, ot);
        for (size_t c = 0; c < o.counters.size(); ++c) {
            CounterDefinition cd{};
            cd.ByteLength = sizeof(CounterDefinition);
            cd.CounterNameTitleIndex = o.counters[c];
            cd.CounterSize = 8;
            cd.CounterOffset = static_cast<uint32_t>(8 + 8 * c);
            Put(b, start + sizeof(ObjectType) + c * sizeof(CounterDefinition), cd);
        }
        if (b.size() < at) b.resize(at);
    }
    if (b.size() < headerLength) b.resize(headerLength);
    DataBlock db{};
    db.Signature[0] = 'P';
    db.Signature[1] = 'E';
    db.Signature[2] = 'R';
    db.Signature[3] = 'F';
    db.LittleEndian = 1;
    db.Version = 1;
    db.Revision = 1;
    db.TotalByteLength = static_cast<uint32_t>(b.size());
    db.HeaderLength = headerLength;
    db.NumObjectTypes = static_cast<uint32_t>(objects.size());
    db.SystemTime_ = when;
    Put(b, 0, db);
    return b;
}

// A Processor object with the given idle values (one instance each).
inline Object Processor(std::vector<int64_t> idles) {
    Object o;
    for (int64_t v : idles) o.instances.push_back({v});
    return o;
}

}  // namespace perftest
