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
    if (t.count <= kInstanceCapacity) return true;
    t.count = kInstanceCapacity;
    return false;
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

}  // namespace app
