// kbtrap's shared block as any process of the user may have written it: the check reads
// only inside the view it is given, at any alignment, and passes only a block that names
// another process as owner and the thread the shell side runs on.
#include <cstdint>
#include <cstring>
#include <vector>

#include "kbtrap/shared_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte shifts the view off its alignment; the rest is the view.
    const size_t shift = data[0] % 8;
    std::vector<uint8_t> buffer(shift + size - 1);
    if (size > 1) std::memcpy(buffer.data() + shift, data + 1, size - 1);
    const uint32_t selfPid = 77, selfTid = 88;
    kbtrap::SharedHeader out;
    std::memset(&out, 0xA5, sizeof out);
    const kbtrap::HeaderCheck r =
        kbtrap::CheckSharedHeader(buffer.data() + shift, size - 1, selfPid, selfTid, &out);
    if (r == kbtrap::HeaderCheck::kOk) {
        if (size - 1 < sizeof(kbtrap::SharedState)) __builtin_trap();
        if (out.magic != kbtrap::kSharedMagic || out.version != kbtrap::kSharedVersion) __builtin_trap();
        if (out.ownerPid == 0 || out.ownerPid == selfPid || out.taskbarTid != selfTid) __builtin_trap();
    } else {
        // A refused block leaves the caller's copy as it was.
        kbtrap::SharedHeader untouched;
        std::memset(&untouched, 0xA5, sizeof untouched);
        if (std::memcmp(&out, &untouched, sizeof out) != 0) __builtin_trap();
    }
    return 0;
}
