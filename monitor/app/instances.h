// The single-instance registry: a table of process IDs shared by every copy started from the
// same executable path. The table lives in shared memory that any process can write at any
// moment, so no reader trusts it: each one copies what it needs once (every word read once),
// validates its copy and works only on that.
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

// The shared table as 32-bit words: the maximum, the count, then the process IDs.
constexpr uint32_t kTableWordMax = 0;
constexpr uint32_t kTableWordCount = 1;
constexpr uint32_t kTableWordPids = 2;
constexpr uint32_t kTableWords = kTableWordPids + kInstanceCapacity;
static_assert(sizeof(InstanceTable) == kTableWords * 4, "the table is a run of 32-bit words");

// Word access to the shared memory (the program reads and writes the mapped view; tests feed
// tables that change under the reader).
class InstanceMemory {
public:
    virtual uint32_t Load(uint32_t word) const = 0;
    virtual void Store(uint32_t word, uint32_t value) = 0;

protected:
    ~InstanceMemory() = default;
};

// The registry's name for an executable path: upper-cased, every "\" replaced by "_".
std::string InstanceKey(const std::string& exePath);

// Makes a copy of the table safe to use: a count beyond the capacity is cut to it, and a
// maximum other than the 1 the first registrant writes (a fresh table's 0 aside) is set back
// to 1, so a forged table cannot let two copies run on one settings file.
// Returns false when something had to be mended.
bool ValidateInstanceTable(InstanceTable& t);

struct RegisterOutcome {
    bool accepted = false;  // fewer instances than the maximum were registered before
    uint32_t firstPid = 0;  // the first registered process (to activate when refused)
    uint32_t previous = 0;  // how many were registered before
};

// On a copy: registers `pid` (sets the maximum to 1 when still 0 and appends the PID when
// there is room).
RegisterOutcome RegisterInstance(InstanceTable& t, uint32_t pid);
// On a copy: removes `pid`.
void UnregisterInstance(InstanceTable& t, uint32_t pid);

// Copies the shared table once: the maximum, the count, then only the PIDs the count (cut to
// the capacity) covers; the copy is validated.
InstanceTable CopyInstanceTable(const InstanceMemory& m);
// Writes a copy back: the PIDs first, then the maximum and the count.
void StoreInstanceTable(InstanceMemory& m, const InstanceTable& t);

// On the shared table (its lock held when it can be had): copies, registers `pid` when the
// copy accepts it (a refused copy leaves no entry behind) and writes the copy back.
RegisterOutcome RegisterInstance(InstanceMemory& m, uint32_t pid);
void UnregisterInstance(InstanceMemory& m, uint32_t pid);

}  // namespace app
