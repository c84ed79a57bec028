// The single-instance table as every copy sees it in shared memory.
#include <gtest/gtest.h>

#include "monitor/app/instances.h"

#include <vector>

namespace app {
namespace {

TEST(InstanceKey, UpperCasedWithBackslashesReplaced) {
    EXPECT_EQ(InstanceKey("C:\\Program Files\\Corvane\\statwell.exe"),
              "C:_PROGRAM FILES_CORVANE_STATWELL.EXE");
}

TEST(InstanceTable, FirstAcceptedSecondRefusedAndPointedAtFirst) {
    InstanceTable t{};
    RegisterOutcome a = RegisterInstance(t, 100);
    EXPECT_TRUE(a.accepted);
    EXPECT_EQ(t.maxInstances, 1u);
    RegisterOutcome b = RegisterInstance(t, 200);
    EXPECT_FALSE(b.accepted);
    EXPECT_EQ(b.firstPid, 100u);
    EXPECT_EQ(b.previous, 1u);
    UnregisterInstance(t, 200);
    UnregisterInstance(t, 100);
    EXPECT_EQ(t.count, 0u);
    EXPECT_TRUE(RegisterInstance(t, 300).accepted) << "after the first quit a new copy runs";
}

TEST(InstanceTable, CorruptCountIsCutToCapacityBeforeUse) {
    InstanceTable t{};
    t.maxInstances = 1;
    t.count = 0xFFFFFFF0u;  // written by some other process
    EXPECT_FALSE(ValidateInstanceTable(t));
    EXPECT_EQ(t.count, kInstanceCapacity);
    t.count = 0x7FFFFFFF;
    RegisterOutcome r = RegisterInstance(t, 5);  // must not write past the table
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(t.count, kInstanceCapacity);
    t.count = 0x7FFFFFFF;
    UnregisterInstance(t, 5);
    EXPECT_LE(t.count, kInstanceCapacity);
}

TEST(InstanceTable, FullTableDoesNotOverflow) {
    InstanceTable t{};
    t.maxInstances = 1000;  // a foreign maximum
    for (uint32_t i = 0; i < kInstanceCapacity + 5; ++i)
        EXPECT_EQ(RegisterInstance(t, i + 1).accepted, i == 0);
    EXPECT_EQ(t.count, kInstanceCapacity);
    EXPECT_EQ(t.maxInstances, 1u);
}

// Shared memory that another process rewrites while we read it: after `flipAfter` loads the
// count and maximum words take forged values. Every load is counted per word.
class RacingMemory final : public InstanceMemory {
public:
    RacingMemory() : words(kTableWords, 0), loads(kTableWords, 0) {}
    uint32_t Load(uint32_t word) const override {
        EXPECT_LT(word, kTableWords) << "read past the table";
        if (word >= kTableWords) return 0;
        ++loads[word];
        const uint32_t value = words[word];
        if (++total == flipAfter) {
            words[kTableWordCount] = 0xFFFFFFFFu;
            words[kTableWordMax] = 100;
        }
        return value;
    }
    void Store(uint32_t word, uint32_t value) override {
        ASSERT_LT(word, kTableWords) << "write past the table";
        words[word] = value;
    }
    mutable std::vector<uint32_t> words;
    mutable std::vector<int> loads;
    mutable int total = 0;
    int flipAfter = -1;
};

TEST(SharedInstanceTable, EveryWordIsReadOnceAndTheCopyStaysWithinTheTable) {
    RacingMemory m;
    m.words[kTableWordMax] = 1;
    m.words[kTableWordCount] = 2;
    m.words[kTableWordPids] = 11;
    m.words[kTableWordPids + 1] = 22;
    m.flipAfter = 2;  // the count changes right after it was read
    const InstanceTable copy = CopyInstanceTable(m);
    EXPECT_EQ(copy.count, 2u) << "the count read first holds";
    EXPECT_EQ(copy.pids[0], 11u);
    EXPECT_EQ(copy.pids[1], 22u);
    for (uint32_t w = 0; w < kTableWords; ++w) EXPECT_LE(m.loads[w], 1) << "word " << w;
    EXPECT_EQ(m.loads[kTableWordPids + 2], 0) << "no PID beyond the count is read";

    // A count forged before the read is cut to the capacity; registering still fits.
    RacingMemory f;
    f.words[kTableWordMax] = 1;
    f.words[kTableWordCount] = 0x7FFFFFFF;
    const RegisterOutcome r = RegisterInstance(f, 5);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(f.words[kTableWordCount], kInstanceCapacity);
}

TEST(SharedInstanceTable, ForgedMaximumIsRepairedSoASecondCopyIsRefused) {
    RacingMemory m;
    EXPECT_TRUE(RegisterInstance(m, 100).accepted);
    EXPECT_EQ(m.words[kTableWordMax], 1u);
    m.words[kTableWordMax] = 5;  // another process lets more copies in
    const RegisterOutcome second = RegisterInstance(m, 200);
    EXPECT_FALSE(second.accepted);
    EXPECT_EQ(second.firstPid, 100u);
    EXPECT_EQ(m.words[kTableWordMax], 1u) << "the maximum is written back repaired";
    EXPECT_EQ(m.words[kTableWordCount], 1u) << "a refused copy leaves no entry";
    UnregisterInstance(m, 100);
    EXPECT_EQ(m.words[kTableWordCount], 0u);
    EXPECT_TRUE(RegisterInstance(m, 300).accepted);
}

}  // namespace
}  // namespace app
