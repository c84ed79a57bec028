// The single-instance registry: a table of process IDs shared by every copy started from the
// same executable path. The table lives in shared memory that any process can write, so every
// use first checks it against its own capacity.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace app {

constexpr uint32_t kInstanceCapacity = 64;

struct InstanceTable {
    uint32_t maxInstances;
    uint32_t count;
    uint32_t pids[kInstanceCapacity];
};

// The registry's name for an executable path: upper-cased, every "\" replaced by "_".
std::string InstanceKey(const std::string& exePath);

// Makes a table read from shared memory safe to use: a count beyond the capacity is cut to it.
// Returns false when something had to be mended.
bool ValidateInstanceTable(InstanceTable& t);

struct RegisterOutcome {
    bool accepted = false;    // fewer instances than the maximum were registered before
    uint32_t firstPid = 0;    // the first registered process (to activate when refused)
    uint32_t previous = 0;    // how many were registered before
};

// Registers `pid` (the lock held): sets the maximum to 1 when still 0 and appends the PID
// when there is room.
RegisterOutcome RegisterInstance(InstanceTable& t, uint32_t pid);
// Removes `pid` (the lock held).
void UnregisterInstance(InstanceTable& t, uint32_t pid);

}  // namespace app
