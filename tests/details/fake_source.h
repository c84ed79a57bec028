// Snapshots that a test writes: processes, threads and modules, paths and types.
#pragma once
#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/details/process_tab.h"

namespace details {

inline ProcessEntry P(uint32_t pid, int threads, const char* exe, int priority = 8) {
    ProcessEntry p;
    p.pid = pid;
    p.threads = threads;
    p.priority = priority;
    std::strncpy(p.exeFile, exe, sizeof p.exeFile - 1);
    return p;
}
inline ModuleEntry M(const char* name, uint32_t handle, uint32_t size) {
    ModuleEntry m;
    std::strncpy(m.name, name, sizeof m.name - 1);
    std::snprintf(m.path, sizeof m.path, "C:\\WINDOWS\\%s", name);
    m.handle = handle;
    m.size = size;
    return m;
}

struct FakeSource : ProcessSource {
    std::vector<ProcessEntry> processes;
    std::vector<ThreadEntry> threads;
    std::map<uint32_t, std::vector<ModuleEntry>> modules;
    bool needsFull = false;
    std::map<uint32_t, std::string> fullPaths;
    int snapshots = 0, typeQueries = 0;
    bool fail = false;

    void Processes(std::vector<ProcessEntry>& out) override {
        ++snapshots;
        if (fail) throw std::runtime_error("snapshot");
        out = processes;
    }
    void Threads(std::vector<ThreadEntry>& out) override { out = threads; }
    void Modules(uint32_t pid, std::vector<ModuleEntry>& out) override { out = modules[pid]; }
    bool NeedsFullPaths() override { return needsFull; }
    std::string FullPath(uint32_t pid) override {
        auto it = fullPaths.find(pid);
        return it == fullPaths.end() ? "[Idle]" : it->second;
    }
    uint32_t ExeType(const std::string&) override {
        ++typeQueries;
        return 0x04004550;
    }
};

}  // namespace details
