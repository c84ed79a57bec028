#pragma once
// Reads the memory status. GlobalMemoryStatus caps its figures at 4 GB (2 GB for a program
// that is not large-address aware), so GlobalMemoryStatusEx is used wherever it exists; only
// systems without it (Windows 95, 98, Me, NT4) fall back to the 32-bit call.
#include <windows.h>

#include "monitor/metrics/memory_status.h"

namespace metrics {

// The two system calls, so a test can feed readings.
class MemoryStatusApi {
public:
    virtual ~MemoryStatusApi() = default;
    // false when the system has no GlobalMemoryStatusEx (or it fails).
    virtual bool StatusEx(MEMORYSTATUSEX& status) = 0;
    virtual void Status(MEMORYSTATUS& status) = 0;
};

// The running system's calls (GlobalMemoryStatusEx looked up once, in kernel32).
MemoryStatusApi& SystemMemoryStatusApi();

MemoryStatus ReadMemoryStatus(MemoryStatusApi& api = SystemMemoryStatusApi());

}  // namespace metrics
