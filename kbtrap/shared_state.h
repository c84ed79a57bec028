// kbtrap: the block of memory the arming process and the shell's process share.
// Any process of the user can open and write it, so the shell side checks it before use
// and keeps only a checked copy of what it needs.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kbtrap {

// Name of the file mapping (session-local).
constexpr const char* kSharedStateName = "Local\\kbtrap.9d1c52e4.state";
// Name of the mutex the arming thread owns for as long as the hook is armed. The filter's
// life is tied to it, not to anything the block says: the block can be rewritten by any
// process, but nobody else can own the mutex while the arming thread does, and it is
// abandoned (which ends the filter) when that thread or its process ends.
constexpr const char* kOwnerLockName = "Local\\kbtrap.9d1c52e4.owner";
constexpr std::uint32_t kSharedMagic = 0x5254424Bu;  // "KBTR"
constexpr std::uint32_t kSharedVersion = 2;

// Written once by SetHook in the arming process.
struct SharedHeader {
    std::uint32_t magic;
    std::uint32_t version;
    std::uint32_t size;        // sizeof(SharedState)
    std::uint32_t ownerPid;    // the arming process (checked, never trusted for the filter's life)
    std::uint32_t taskbarTid;  // thread of the taskbar window the thread hooks watch
};

// Written by the shell side while it works; read by tests and diagnostics only, never
// trusted by anybody.
struct ShellStatus {
    std::int32_t shellPid;      // process the filter runs in
    std::int32_t running;       // 1 while the low-level keyboard hook is installed
    std::int32_t mode;          // mode in force
    std::int32_t generation;    // +1 on every start, mode change and stop handled
    std::int32_t logoSeen;      // logo key events the filter looked at
    std::int32_t logoBlocked;   // logo key events it swallowed
    std::int32_t hookInstalls;  // times the filter has (re-)installed its keyboard hook
};

struct SharedState {
    SharedHeader header;
    ShellStatus status;
};

enum class HeaderCheck {
    kOk,
    kTooSmall,  // the mapped view is smaller than the block
    kBadMagic,  // not our block, or another version of it
    kBadSize,
    kNoOwner,      // owner process id missing
    kOwnerIsSelf,  // the shell cannot be its own controller
    kWrongThread,  // the block names another taskbar thread than the one we run on
};

// Copies the header out of a mapped view of viewBytes bytes and checks it against the
// process and thread the shell side runs on. *out is written only on kOk.
HeaderCheck CheckSharedHeader(const void* view, std::size_t viewBytes, std::uint32_t selfPid,
                              std::uint32_t selfTid, SharedHeader* out);

}  // namespace kbtrap
