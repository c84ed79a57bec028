#include "kbtrap/shared_state.h"

#include <cstring>

namespace kbtrap {

HeaderCheck CheckSharedHeader(const void* view, std::size_t viewBytes, std::uint32_t selfPid,
                              std::uint32_t selfTid, SharedHeader* out) {
    if (!view || viewBytes < sizeof(SharedState)) return HeaderCheck::kTooSmall;
    SharedHeader h;
    std::memcpy(&h, view, sizeof h);  // one copy: later writes by others do not matter
    if (h.magic != kSharedMagic || h.version != kSharedVersion) return HeaderCheck::kBadMagic;
    if (h.size != sizeof(SharedState)) return HeaderCheck::kBadSize;
    if (h.ownerPid == 0) return HeaderCheck::kNoOwner;
    if (h.ownerPid == selfPid) return HeaderCheck::kOwnerIsSelf;
    if (h.taskbarTid != selfTid) return HeaderCheck::kWrongThread;
    if (out) *out = h;
    return HeaderCheck::kOk;
}

}  // namespace kbtrap
