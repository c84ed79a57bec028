// The single-instance table in shared memory, as any other process may have written it:
// registering, notifying and leaving over it never read or write outside the table, and a
// table that lets a second copy in is refused.
#include <cstdint>
#include <cstring>

#include "monitor/app/instances.h"

namespace {
class Words final : public app::InstanceMemory {
public:
    uint32_t w[app::kTableWords] = {};
    uint32_t Load(uint32_t i) const override {
        if (i >= app::kTableWords) __builtin_trap();
        return w[i];
    }
    void Store(uint32_t i, uint32_t v) override {
        if (i >= app::kTableWords) __builtin_trap();
        w[i] = v;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Words m;
    std::memcpy(m.w, data, size < sizeof m.w ? size : sizeof m.w);
    const app::InstanceTable before = app::CopyInstanceTable(m);
    const app::RegisterOutcome r = app::RegisterInstance(m, 4242);
    if (r.accepted && before.count != 0) __builtin_trap();  // someone was there already
    const app::InstanceTable copy = app::CopyInstanceTable(m);
    if (copy.count > app::kInstanceCapacity || copy.maxInstances != 1) __builtin_trap();
    app::UnregisterInstance(m, 4242);
    return 0;
}
