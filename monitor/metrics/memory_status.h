#pragma once
// Memory and page-file figures in 64 bits (GlobalMemoryStatusEx where the system has it).
#include <cstdint>

namespace metrics {

struct MemoryStatus {
    uint32_t memoryLoad = 0;  // percent
    uint64_t totalPhys = 0, availPhys = 0;
    uint64_t totalPageFile = 0, availPageFile = 0;
};

}  // namespace metrics
