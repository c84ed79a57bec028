#include "monitor/app/instances.h"

#include <algorithm>
#include <cctype>

namespace app {

std::string InstanceKey(const std::string& exePath) {
    std::string key = exePath;
    for (char& ch : key) {
        if (ch == '\\')
            ch = '_';
        else
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
    return key;
}

bool ValidateInstanceTable(InstanceTable& t) {
    bool sound = true;
    if (t.count > kInstanceCapacity) {
        t.count = kInstanceCapacity;
        sound = false;
    }
    if (t.maxInstances > 1) {
        t.maxInstances = 1;
        sound = false;
    }
    return sound;
}

RegisterOutcome RegisterInstance(InstanceTable& t, uint32_t pid) {
    ValidateInstanceTable(t);
    RegisterOutcome r;
    if (t.maxInstances == 0) t.maxInstances = 1;
    r.previous = t.count;
    r.accepted = t.count < t.maxInstances;
    if (t.count > 0) r.firstPid = t.pids[0];
    if (t.count < kInstanceCapacity) t.pids[t.count++] = pid;
    return r;
}

void UnregisterInstance(InstanceTable& t, uint32_t pid) {
    ValidateInstanceTable(t);
    uint32_t* end = std::remove(t.pids, t.pids + t.count, pid);
    t.count = static_cast<uint32_t>(end - t.pids);
}

InstanceTable CopyInstanceTable(const InstanceMemory& m) {
    InstanceTable t{};
    t.maxInstances = m.Load(kTableWordMax);
    t.count = m.Load(kTableWordCount);
    ValidateInstanceTable(t);
    for (uint32_t i = 0; i < t.count; ++i) t.pids[i] = m.Load(kTableWordPids + i);
    return t;
}

void StoreInstanceTable(InstanceMemory& m, const InstanceTable& t) {
    const uint32_t n = std::min(t.count, kInstanceCapacity);
    for (uint32_t i = 0; i < n; ++i) m.Store(kTableWordPids + i, t.pids[i]);
    m.Store(kTableWordMax, t.maxInstances);
    m.Store(kTableWordCount, n);
}

RegisterOutcome RegisterInstance(InstanceMemory& m, uint32_t pid) {
    InstanceTable t = CopyInstanceTable(m);
    const RegisterOutcome r = RegisterInstance(t, pid);
    if (!r.accepted) UnregisterInstance(t, pid);
    StoreInstanceTable(m, t);
    return r;
}

void UnregisterInstance(InstanceMemory& m, uint32_t pid) {
    InstanceTable t = CopyInstanceTable(m);
    UnregisterInstance(t, pid);
    StoreInstanceTable(m, t);
}

}  // namespace app
