// The single-instance check over the real shared table and lock.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "monitor/app/single_instance.h"

namespace app {
namespace {

const char kPath[] = "C:\\instance-test\\statwell.exe";

// Another holder of the table's lock that does not let go (a hung or hostile process).
class HeldLock {
public:
    HeldLock() : lock_(CreateMutexA(nullptr, FALSE, (InstanceKey(kPath) + "_LOCK").c_str())) {
        taken_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        holder_ = std::thread([this] {
            WaitForSingleObject(lock_, INFINITE);
            SetEvent(taken_);
            WaitForSingleObject(release_, INFINITE);
            ReleaseMutex(lock_);
        });
        WaitForSingleObject(taken_, 5000);
    }
    ~HeldLock() {
        SetEvent(release_);
        holder_.join();
        CloseHandle(lock_);
        CloseHandle(taken_);
        CloseHandle(release_);
    }

private:
    HANDLE lock_;
    HANDLE taken_ = nullptr, release_ = nullptr;
    std::thread holder_;
};

TEST(SingleInstance, AHeldLockDelaysStartAndQuitByAFractionOfASecond) {
    HeldLock held;
    const DWORD start = GetTickCount();
    {
        SingleInstance first(kPath);
        EXPECT_TRUE(first.Accepted()) << "registered on its validated copy";
        SingleInstance second(kPath);
        EXPECT_FALSE(second.Accepted()) << "the table still refuses a second copy";
    }
    // Registering, notifying and leaving each wait for the lock once: before, 5 s a wait.
    EXPECT_LT(GetTickCount() - start, 3000u);
}

TEST(SingleInstance, ForgedTableStillLetsOneCopyRunAndRefusesTheNext) {
    const std::string key = InstanceKey(kPath);
    const HANDLE map = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          sizeof(InstanceTable), (key + "_TABLE").c_str());
    ASSERT_NE(map, nullptr);
    auto* t =
        static_cast<volatile uint32_t*>(MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(InstanceTable)));
    ASSERT_NE(t, nullptr);
    t[kTableWordMax] = 50;            // "any number of copies"
    t[kTableWordCount] = 0xFFFFFFF0;  // and a count far past the table
    {
        SingleInstance first(kPath);
        EXPECT_FALSE(first.Accepted()) << "the forged entries count as registered copies";
        EXPECT_EQ(t[kTableWordMax], 1u) << "the maximum is repaired";
        EXPECT_LE(t[kTableWordCount], kInstanceCapacity);
    }
    t[kTableWordCount] = 0;
    t[kTableWordMax] = 7;
    {
        SingleInstance first(kPath);
        EXPECT_TRUE(first.Accepted());
        SingleInstance second(kPath);
        EXPECT_FALSE(second.Accepted()) << "a forged maximum lets no second copy run";
    }
    UnmapViewOfFile(const_cast<uint32_t*>(t));
    CloseHandle(map);
}

}  // namespace
}  // namespace app
