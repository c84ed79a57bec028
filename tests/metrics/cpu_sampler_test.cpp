// The CPU sampler over synthetic performance data, idle times and a fake 9x registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>

#include "monitor/metrics/cpu_sampler.h"
#include "monitor/metrics/errors.h"
#include "tests/metrics/perf_builder.h"

using namespace metrics;
using perftest::Build;
using perftest::Processor;
using perftest::Time;

namespace {

constexpr int64_t kSecond = 10000000;  // FILETIME units

// Answers each query with the next queued buffer; reports ERROR_MORE_DATA while the
// caller's buffer is smaller than `needed` (so the data may claim more room than it uses).
class FakePerf : public PerfDataQuery {
public:
    struct Reply {
        std::vector<uint8_t> data;
        uint32_t needed = 0;
        int32_t code = 0;
    };
    std::deque<Reply> replies;
    std::vector<uint32_t> offered;  // buffer sizes seen
    int queries = 0;

    void Push(std::vector<uint8_t> data, uint32_t needed = 0) {
        Reply r;
        r.needed = needed ? needed : static_cast<uint32_t>(data.size());
        r.data = std::move(data);
        replies.push_back(std::move(r));
    }

    int32_t Query(uint8_t* buffer, uint32_t* size) override {
        ++queries;
        offered.push_back(*size);
        if (replies.empty()) return 2;  // nothing more: the buffer keeps what it has
        Reply& r = replies.front();
        if (*size < r.needed) {
            *size = r.needed;
            return 234;
        }
        if (!r.data.empty()) std::memcpy(buffer, r.data.data(), r.data.size());
        *size = static_cast<uint32_t>(r.data.size());
        const int32_t code = r.code;
        replies.pop_front();
        return code;
    }
};

class FakeIdle : public IdleTimeSource {
public:
    std::vector<int64_t> idle;
    int64_t stamp = 0;
    int reads = 0;
    size_t Read(int64_t* out, size_t capacity, int64_t* s) override {
        ++reads;
        size_t n = idle.size() < capacity ? idle.size() : capacity;
        for (size_t i = 0; i < n; ++i) out[i] = idle[i];
        *s = stamp;
        return n;
    }
};

class Fake9x : public DynDataRegistry {
public:
    std::set<std::string> present{"PerfStats\\StartStat", "PerfStats\\StatData", "PerfStats\\StopStat"};
    std::map<uintptr_t, std::string> open;  // key -> subkey
    std::vector<std::string> log;
    uint32_t value = 0;
    uintptr_t next = 100;

    bool Open(const char* subkey, uint32_t access, uintptr_t* key) override {
        log.push_back(std::string("open ") + subkey + " " + std::to_string(access));
        if (!present.count(subkey)) return false;
        *key = next++;
        open[*key] = subkey;
        return true;
    }
    void ReadDword(uintptr_t key, const char* name, uint32_t* v) override {
        EXPECT_TRUE(open.count(key));
        EXPECT_STREQ("KERNEL\\CPUUsage", name);
        log.push_back("read " + open[key]);
        *v = value;
    }
    void Close(uintptr_t key) override {
        EXPECT_TRUE(open.count(key));
        log.push_back("close " + open[key]);
        open.erase(key);
    }
};

template <class F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(CpuSampler, ProcessorAndAggregateInstance) {
    FakePerf perf;
    // A single processor plus the aggregate "_Total" instance, as Windows 2000/XP list them.
    perf.Push(Build({Processor({1000 * kSecond, 1000 * kSecond})}, Time(0)));
    perf.Push(Build({Processor({1000 * kSecond + kSecond / 4, 1000 * kSecond + kSecond / 4})}, Time(1)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    EXPECT_EQ(2, s.ProcessorCount());  // takes the first sample
    EXPECT_EQ(1, perf.queries);
    EXPECT_EQ(2, s.ProcessorCount());  // no further sample
    EXPECT_EQ(1, perf.queries);
    s.SampleProcessors();
    EXPECT_DOUBLE_EQ(0.75, s.ProcessorLoad(0));
    EXPECT_DOUBLE_EQ(0.75, s.ProcessorLoad(1));  // the aggregate still answers
    EXPECT_DOUBLE_EQ(0.75, s.ProcessorLoad(0));  // reading does not sample
    EXPECT_EQ(kMsgIndexOutOfBounds, ErrorOf([&] { s.ProcessorLoad(2); }));
    EXPECT_EQ(kMsgIndexOutOfBounds, ErrorOf([&] { s.ProcessorLoad(-1); }));
    EXPECT_EQ(CpuSampler::Source::kPerfData, s.source());
}

TEST(CpuSampler, LoadArithmeticIsNotClamped) {
    FakePerf perf;
    perf.Push(Build({Processor({0, 0, 0})}, Time(0)));
    // Idle rose by the whole span, not at all, and by more than the span.
    perf.Push(Build({Processor({2 * kSecond, 0, 3 * kSecond})}, Time(2)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    s.SampleProcessors();
    s.SampleProcessors();
    EXPECT_DOUBLE_EQ(0.0, s.ProcessorLoad(0));
    EXPECT_DOUBLE_EQ(1.0, s.ProcessorLoad(1));
    EXPECT_DOUBLE_EQ(-0.5, s.ProcessorLoad(2));
}

TEST(CpuSampler, WildCounterValuesWrapInsteadOfOverflowing) {
    // Counter values from a damaged or foreign source: the 64-bit differences wrap as the
    // platform's own arithmetic does, and the sampler keeps running.
    FakePerf perf;
    perf.Push(Build({Processor({INT64_MIN, INT64_MAX})}, Time(0)));
    perf.Push(Build({Processor({INT64_MAX, INT64_MIN})}, Time(1)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    s.SampleProcessors();
    s.SampleProcessors();
    EXPECT_DOUBLE_EQ(1.0 + 1.0 / kSecond, s.ProcessorLoad(0));  // rose by -1
    EXPECT_DOUBLE_EQ(1.0 - 1.0 / kSecond, s.ProcessorLoad(1));  // rose by 1

    FakePerf none;
    none.Push(Build({}, Time(0)));
    FakeIdle idle;
    idle.idle = {INT64_MAX};
    idle.stamp = INT64_MAX;
    CpuSampler f(true, &none, &idle, nullptr);
    f.SampleProcessors();
    idle.idle = {INT64_MIN};
    idle.stamp = INT64_MIN;
    f.SampleProcessors();
    EXPECT_DOUBLE_EQ(0.0, f.ProcessorLoad(0));  // both rose by 1
}

TEST(CpuSampler, EqualSystemTimeGivesZero) {
    FakePerf perf;
    perf.Push(Build({Processor({0, 0})}, Time(5)));
    perf.Push(Build({Processor({kSecond / 2, 0})}, Time(5)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    s.SampleProcessors();
    s.SampleProcessors();
    EXPECT_EQ(0.0, s.ProcessorLoad(0));
    EXPECT_EQ(0.0, s.ProcessorLoad(1));
}

TEST(CpuSampler, BufferGrowsInStepsAndOnlyGrows) {
    FakePerf perf;
    // Needs 8192 + 3 * 4096 - 100 bytes: three ERROR_MORE_DATA rounds.
    const uint32_t big = 8192 + 3 * 4096 - 100;
    perf.Push(Build({Processor({0})}, Time(0)), big);
    perf.Push(Build({Processor({kSecond / 10})}, Time(1)));  // small again
    perf.Push(Build({Processor({kSecond / 10})}, Time(2)), big);
    CpuSampler s(true, &perf, nullptr, nullptr);
    s.SampleProcessors();
    EXPECT_EQ((std::vector<uint32_t>{8192, 12288, 16384, 20480}), perf.offered);
    EXPECT_EQ(20480u, s.bufferSize());
    EXPECT_EQ(20480u, s.bufferBytesHeld());  // no more memory than the size the query is told
    s.SampleProcessors();
    EXPECT_EQ(20480u, s.bufferSize());
    EXPECT_EQ(20480u, perf.offered.back());
    s.SampleProcessors();
    EXPECT_EQ(20480u, s.bufferSize());
    EXPECT_EQ(6u, perf.offered.size());  // no further round
    EXPECT_DOUBLE_EQ(1.0, s.ProcessorLoad(0));
}

// A source that always wants more (damaged or hostile): the query loop gives up at a bound,
// the sample fails and the memory goes back.
class EndlessPerf : public PerfDataQuery {
public:
    int queries = 0;
    uint32_t largest = 0;
    int32_t Query(uint8_t*, uint32_t* size) override {
        ++queries;
        largest = std::max(largest, *size);
        *size += 4096;
        return 234;
    }
};

TEST(CpuSampler, SourceThatNeverHasEnoughIsGivenUpAtTheBound) {
    EndlessPerf perf;
    CpuSampler s(true, &perf, nullptr, nullptr);
    try {
        s.SampleProcessors();
        FAIL() << "no sample without data";
    } catch (const Error& e) {
        EXPECT_STREQ(kMsgNoProcessorObject, e.what());
    }
    EXPECT_EQ(CpuSampler::kMaxBufferSize, perf.largest);
    EXPECT_LT(perf.queries, 40) << "linear steps to 64 KB, then doubling";
    EXPECT_EQ(CpuSampler::kInitialBufferSize, s.bufferSize());
    EXPECT_LE(s.bufferBytesHeld(), 2u * CpuSampler::kInitialBufferSize);
}

TEST(CpuSampler, FindsProcessorAmongOtherObjectsAndCounters) {
    FakePerf perf;
    perftest::Object other;
    other.titleIndex = 2;  // System
    other.instances = {{77}};
    perftest::Object cpu = Processor({0});
    cpu.counters = {142, 144, 148, 6};  // idle-time counter last
    perf.Push(Build({other, cpu}, Time(0)));
    cpu.instances = {{kSecond / 5}};
    perf.Push(Build({other, cpu}, Time(1)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    s.SampleProcessors();
    s.SampleProcessors();
    EXPECT_EQ(1, s.ProcessorCount());
    EXPECT_DOUBLE_EQ(0.8, s.ProcessorLoad(0));
}

TEST(CpuSampler, MissingObjectKeepsCountUnsetAndRetries) {
    FakePerf perf;
    perftest::Object other = Processor({1});
    other.titleIndex = 230;  // Process, not Processor
    perf.Push(Build({other}, Time(0)));
    perf.Push(Build({Processor({0, 0})}, Time(1)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    EXPECT_EQ(kMsgNoProcessorObject, ErrorOf([&] { s.SampleProcessors(); }));
    EXPECT_EQ(2, s.ProcessorCount());  // the next call tries again
}

TEST(CpuSampler, FailedQueryWithNothingUsable) {
    FakePerf perf;  // every query fails and leaves the zero-filled buffer
    CpuSampler s(true, &perf, nullptr, nullptr);
    EXPECT_EQ(kMsgNoProcessorObject, ErrorOf([&] { s.ProcessorCount(); }));
    EXPECT_EQ(kMsgNoProcessorObject, ErrorOf([&] { s.ProcessorLoad(0); }));
}

TEST(CpuSampler, ProcessorObjectWithoutInstancesFixesCountAtZero) {
    FakePerf perf;
    perf.Push(Build({Processor({})}, Time(0)));
    perf.Push(Build({Processor({0, 0})}, Time(1)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    EXPECT_EQ(0, s.ProcessorCount());
    EXPECT_EQ(kMsgIndexOutOfBounds, ErrorOf([&] { s.ProcessorLoad(0); }));
    s.SampleProcessors();  // later instances do not change the fixed count
    EXPECT_EQ(0, s.ProcessorCount());
    EXPECT_EQ(2, perf.queries);
    EXPECT_EQ(kMsgIndexOutOfBounds, ErrorOf([&] { s.ProcessorLoad(0); }));
}

TEST(CpuSampler, MissingCounterFixesCountAndKeepsValues) {
    FakePerf perf;
    perftest::Object noCounter = Processor({0, 0});
    noCounter.counters = {142, 144};
    perf.Push(Build({noCounter}, Time(0)));  // count fixed, then the counter is missing
    perf.Push(Build({Processor({0, 0})}, Time(1)));
    perf.Push(Build({Processor({kSecond / 2, kSecond})}, Time(2)));
    perf.Push(Build({noCounter}, Time(3)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    EXPECT_EQ(kMsgNoProcessorCounter, ErrorOf([&] { s.SampleProcessors(); }));
    EXPECT_EQ(2, s.ProcessorCount());
    s.SampleProcessors();
    s.SampleProcessors();
    EXPECT_DOUBLE_EQ(0.5, s.ProcessorLoad(0));
    EXPECT_EQ(kMsgNoProcessorCounter, ErrorOf([&] { s.SampleProcessors(); }));
    EXPECT_DOUBLE_EQ(0.5, s.ProcessorLoad(0));  // last values kept
    EXPECT_DOUBLE_EQ(0.0, s.ProcessorLoad(1));
}

TEST(CpuSampler, FewerInstancesThanTheFixedCountIsAMissingCounter) {
    FakePerf perf;
    perf.Push(Build({Processor({0, 0})}, Time(0)));
    perf.Push(Build({Processor({kSecond / 4, kSecond / 4})}, Time(1)));
    perf.Push(Build({Processor({kSecond})}, Time(2)));  // one instance went missing
    CpuSampler s(true, &perf, nullptr, nullptr);
    s.SampleProcessors();
    s.SampleProcessors();
    EXPECT_EQ(kMsgNoProcessorCounter, ErrorOf([&] { s.SampleProcessors(); }));
    EXPECT_DOUBLE_EQ(0.75, s.ProcessorLoad(0));  // unchanged
}

TEST(CpuSampler, TruncatedAnswersNeverReadPastTheData) {
    // Every prefix of a sound buffer, handed over as a successful query of that many bytes.
    const std::vector<uint8_t> full = Build({Processor({0, kSecond})}, Time(0));
    for (size_t n = 0; n < full.size(); ++n) {
        FakePerf perf;
        perf.Push(std::vector<uint8_t>(full.begin(), full.begin() + n));
        CpuSampler s(true, &perf, nullptr, nullptr);
        const std::string e = ErrorOf([&] { s.SampleProcessors(); });
        EXPECT_TRUE(e == kMsgNoProcessorObject || e == kMsgNoProcessorCounter) << n << ": " << e;
    }
}

TEST(CpuSampler, NoObjectsFallsBackToIdleTimesOnce) {
    FakePerf perf;
    perf.Push(Build({}, Time(0)));  // what Wine publishes
    FakeIdle idle;
    idle.idle = {0, 0};
    idle.stamp = 100 * kSecond;
    CpuSampler s(true, &perf, &idle, nullptr);
    EXPECT_EQ(2, s.ProcessorCount());
    EXPECT_EQ(CpuSampler::Source::kIdleTimes, s.source());
    idle.idle = {kSecond / 2, kSecond / 10};
    idle.stamp = 101 * kSecond;
    s.SampleProcessors();
    EXPECT_DOUBLE_EQ(0.5, s.ProcessorLoad(0));
    EXPECT_DOUBLE_EQ(0.9, s.ProcessorLoad(1));
    EXPECT_EQ(1, perf.queries);  // chosen once: no more performance-data queries
    EXPECT_EQ(2, idle.reads);
    s.SampleProcessors();  // same stamp
    EXPECT_EQ(0.0, s.ProcessorLoad(0));
    idle.idle.clear();  // the source fails
    EXPECT_EQ(kMsgNoProcessorObject, ErrorOf([&] { s.SampleProcessors(); }));
}

TEST(CpuSampler, NoObjectsWithoutFallbackIsAMissingObject) {
    FakePerf perf;
    perf.Push(Build({}, Time(0)));
    CpuSampler s(true, &perf, nullptr, nullptr);
    EXPECT_EQ(kMsgNoProcessorObject, ErrorOf([&] { s.SampleProcessors(); }));
}

TEST(CpuSampler, PerfDataStaysFirstOnceItHasAnswered) {
    FakePerf perf;
    perf.Push(Build({Processor({0})}, Time(0)));
    perf.Push(Build({}, Time(1)));
    FakeIdle idle;
    idle.idle = {0};
    CpuSampler s(true, &perf, &idle, nullptr);
    s.SampleProcessors();
    EXPECT_EQ(kMsgNoProcessorObject, ErrorOf([&] { s.SampleProcessors(); }));
    EXPECT_EQ(0, idle.reads);
    EXPECT_EQ(CpuSampler::Source::kPerfData, s.source());
}

TEST(CpuSampler9x, LoadCountAndLifecycle) {
    Fake9x reg;
    reg.value = 37;
    {
        CpuSampler s(false, nullptr, nullptr, &reg);
        EXPECT_EQ(1, s.ProcessorCount());
        EXPECT_TRUE(reg.log.empty());                // counting does not start the statistics
        EXPECT_DOUBLE_EQ(0.37, s.ProcessorLoad(0));  // starts and samples
        EXPECT_EQ(kMsgIndexOutOfBounds, ErrorOf([&] { s.ProcessorLoad(1); }));
        reg.value = 80;
        EXPECT_DOUBLE_EQ(0.37, s.ProcessorLoad(0));  // no sample in between
        s.SampleProcessors();
        EXPECT_DOUBLE_EQ(0.8, s.ProcessorLoad(0));
        EXPECT_EQ(1u, reg.open.size());  // only the data key stays open
        s.StopProcessorSampling();
        EXPECT_TRUE(reg.open.empty());
    }
    const std::vector<std::string> expected{
        "open PerfStats\\StartStat 983103", "read PerfStats\\StartStat",       "close PerfStats\\StartStat",
        "open PerfStats\\StatData 131097",  "read PerfStats\\StatData",        "read PerfStats\\StatData",
        "close PerfStats\\StatData",        "open PerfStats\\StopStat 983103", "read PerfStats\\StopStat",
        "close PerfStats\\StopStat"};
    EXPECT_EQ(expected, reg.log);
}

TEST(CpuSampler9x, KeysThatCannotBeOpened) {
    Fake9x reg;
    reg.present.erase("PerfStats\\StartStat");
    CpuSampler a(false, nullptr, nullptr, &reg);
    EXPECT_EQ(kMsgCannotStart9x, ErrorOf([&] { a.SampleProcessors(); }));

    Fake9x reg2;
    reg2.present.erase("PerfStats\\StatData");
    CpuSampler b(false, nullptr, nullptr, &reg2);
    EXPECT_EQ(kMsgCannotRead9x, ErrorOf([&] { b.ProcessorLoad(0); }));
    EXPECT_TRUE(reg2.open.empty());  // the start key was closed again
}

TEST(CpuSampler9x, DestructionStopsTheStatistics) {
    Fake9x reg;
    {
        CpuSampler s(false, nullptr, nullptr, &reg);
        s.SampleProcessors();
    }
    EXPECT_TRUE(reg.open.empty());
    EXPECT_EQ("close PerfStats\\StopStat", reg.log.back());
}
