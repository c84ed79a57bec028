// The single-instance table as every copy sees it in shared memory.
#include <gtest/gtest.h>

#include "monitor/app/instances.h"

namespace app {
namespace {

TEST(InstanceKey, UpperCasedWithBackslashesReplaced) {
    EXPECT_EQ(InstanceKey("C:\\Program Files\\Corvane\\statwell.exe"), "C:_PROGRAM FILES_CORVANE_STATWELL.EXE");
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
    for (uint32_t i = 0; i < kInstanceCapacity + 5; ++i) RegisterInstance(t, i + 1);
    EXPECT_EQ(t.count, kInstanceCapacity);
}

}  // namespace
}  // namespace app
