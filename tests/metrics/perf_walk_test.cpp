// The performance-data walk on damaged buffers (exact-size heap copies, so the sanitizers
// see any read past the end) and the time-stamp conversion.
#include <gtest/gtest.h>

#include <cstddef>
#include <random>

#include "monitor/metrics/cpu_sampler.h"
#include "tests/metrics/perf_builder.h"

using namespace metrics;
using perftest::Build;
using perftest::Processor;
using perftest::Time;

namespace {
// Walks and, when the walk succeeds, reads the instances; returns the walk's status.
PerfWalk::Status WalkAndRead(const std::vector<uint8_t>& bytes, int32_t count) {
    std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() ? bytes.size() : 1]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    const PerfWalk w = WalkPerfData(exact.get(), bytes.size());
    if (w.status == PerfWalk::kOk) {
        std::vector<int64_t> out(static_cast<size_t>(count));
        ReadPerfInstances(exact.get(), bytes.size(), w, count, out.data());
    }
    return w.status;
}

template <class T>
void Poke(std::vector<uint8_t>& b, size_t at, T v) {
    std::memcpy(b.data() + at, &v, sizeof v);
}
}  // namespace

TEST(PerfWalk, SoundBufferYieldsObjectCounterAndValues) {
    const auto b = Build({Processor({111, 222, 333})}, Time(7, 250));
    const PerfWalk w = WalkPerfData(b.data(), b.size());
    ASSERT_EQ(PerfWalk::kOk, w.status);
    EXPECT_EQ(3, w.numInstances);
    int64_t v[3] = {};
    ASSERT_TRUE(ReadPerfInstances(b.data(), b.size(), w, 3, v));
    EXPECT_EQ(111, v[0]);
    EXPECT_EQ(222, v[1]);
    EXPECT_EQ(333, v[2]);
    int64_t t0 = 0;
    ASSERT_TRUE(perf::SystemTimeToFileTimeUnits(Time(0), &t0));
    EXPECT_EQ(t0 + 72500000, w.time);
    // More instances than the object holds: nothing is written.
    int64_t four[4] = {-1, -1, -1, -1};
    EXPECT_FALSE(ReadPerfInstances(b.data(), b.size(), w, 4, four));
    EXPECT_EQ(-1, four[0]);
}

TEST(PerfWalk, DamagedHeaderFields) {
    const auto good = Build({Processor({1, 2})}, Time(0));
    const size_t obj = sizeof(perf::DataBlock) + 8;
    const size_t def = obj + sizeof(perf::ObjectType);
    struct Case {
        size_t at;
        uint32_t value;
        PerfWalk::Status expect;
    };
    const Case cases[] = {
        {offsetof(perf::DataBlock, HeaderLength), 0xFFFFFFF0u, PerfWalk::kMissingObject},
        {offsetof(perf::DataBlock, NumObjectTypes), 0xFFFFFFFFu, PerfWalk::kOk},
        {offsetof(perf::DataBlock, SystemTime_) + 2, 13, PerfWalk::kMissingObject},  // month 13
        {obj + offsetof(perf::ObjectType, TotalByteLength), 0xFFFFFFFFu, PerfWalk::kMissingObject},
        {obj + offsetof(perf::ObjectType, TotalByteLength), 8, PerfWalk::kMissingObject},
        {obj + offsetof(perf::ObjectType, DefinitionLength), 0xFFFFFF00u, PerfWalk::kMissingObject},
        {obj + offsetof(perf::ObjectType, HeaderLength), 0x7FFFFFFFu, PerfWalk::kMissingObject},
        {obj + offsetof(perf::ObjectType, NumInstances), 0x7FFFFFFFu, PerfWalk::kMissingObject},
        {obj + offsetof(perf::ObjectType, NumInstances), 0xFFFFFFFFu, PerfWalk::kMissingObject},
        {obj + offsetof(perf::ObjectType, NumInstances), 0, PerfWalk::kOk},  // none: count 0
        {obj + offsetof(perf::ObjectType, NumCounters), 0xFFFFFFFFu, PerfWalk::kOk},
        {obj + offsetof(perf::ObjectType, NumCounters), 1, PerfWalk::kMissingCounter},
        {def + offsetof(perf::CounterDefinition, ByteLength), 0, PerfWalk::kMissingCounter},
        {def + offsetof(perf::CounterDefinition, ByteLength), 0xFFFFFFF8u, PerfWalk::kMissingCounter},
    };
    for (const Case& c : cases) {
        auto b = good;
        Poke(b, c.at, c.value);
        EXPECT_EQ(c.expect, WalkAndRead(b, 2)) << "offset " << c.at << " value " << c.value;
    }
    // A wild counter offset is found by the walk but its value cannot be read.
    auto b = good;
    Poke<uint32_t>(b,
                   def + sizeof(perf::CounterDefinition) + offsetof(perf::CounterDefinition, CounterOffset),
                   0xFFFFFFFCu);
    const PerfWalk w = WalkPerfData(b.data(), b.size());
    ASSERT_EQ(PerfWalk::kOk, w.status);
    int64_t v[2];
    EXPECT_FALSE(ReadPerfInstances(b.data(), b.size(), w, 2, v));
}

TEST(PerfWalk, RandomDamageStaysInBounds) {
    perftest::Object other = Processor({5, 6});
    other.titleIndex = 2;
    const auto good = Build({other, Processor({1, 2, 3})}, Time(0));
    std::mt19937 rng(12345);
    const uint32_t specials[] = {0, 1, 4, 8, 24, 40, 64, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
    for (int round = 0; round < 4000; ++round) {
        auto b = good;
        const int hits = 1 + round % 4;
        for (int h = 0; h < hits; ++h) {
            const size_t at = (rng() % (b.size() / 4)) * 4;
            const uint32_t v = round % 2 ? specials[rng() % 10] : static_cast<uint32_t>(rng());
            Poke(b, at, v);
        }
        if (round % 3 == 0) b.resize(rng() % b.size());
        WalkAndRead(b, 3);
    }
}

TEST(PerfWalk, SystemTimeConversion) {
    int64_t t = -1;
    ASSERT_TRUE(perf::SystemTimeToFileTimeUnits({1601, 1, 1, 1, 0, 0, 0, 0}, &t));
    EXPECT_EQ(0, t);
    ASSERT_TRUE(perf::SystemTimeToFileTimeUnits({1970, 1, 4, 1, 0, 0, 0, 0}, &t));
    EXPECT_EQ(116444736000000000LL, t);
    ASSERT_TRUE(perf::SystemTimeToFileTimeUnits({2000, 3, 3, 1, 0, 0, 0, 0}, &t));
    int64_t feb29 = 0;
    ASSERT_TRUE(perf::SystemTimeToFileTimeUnits({2000, 2, 2, 29, 23, 59, 59, 999}, &feb29));
    EXPECT_EQ(10000, t - feb29);  // one millisecond apart across the leap day
    EXPECT_FALSE(perf::SystemTimeToFileTimeUnits({2001, 2, 0, 29, 0, 0, 0, 0}, &t));
    EXPECT_FALSE(perf::SystemTimeToFileTimeUnits({1900, 2, 0, 29, 0, 0, 0, 0}, &t));
    EXPECT_FALSE(perf::SystemTimeToFileTimeUnits({1600, 12, 0, 31, 0, 0, 0, 0}, &t));
    EXPECT_FALSE(perf::SystemTimeToFileTimeUnits({2026, 1, 0, 1, 24, 0, 0, 0}, &t));
    EXPECT_FALSE(perf::SystemTimeToFileTimeUnits({2026, 1, 0, 1, 0, 0, 0, 1000}, &t));
    EXPECT_FALSE(perf::SystemTimeToFileTimeUnits({2026, 0, 0, 1, 0, 0, 0, 0}, &t));
}
