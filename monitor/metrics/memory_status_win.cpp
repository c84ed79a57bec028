#include "monitor/metrics/memory_status_win.h"

namespace metrics {

namespace {
class SystemApi final : public MemoryStatusApi {
public:
    SystemApi() {
        if (HMODULE k = GetModuleHandleA("kernel32.dll"))
            ex_ = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(k, "GlobalMemoryStatusEx")));
    }
    bool StatusEx(MEMORYSTATUSEX& s) override {
        if (!ex_) return false;
        s.dwLength = sizeof s;
        return ex_(&s) != FALSE;
    }
    void Status(MEMORYSTATUS& s) override {
        s.dwLength = sizeof s;
        GlobalMemoryStatus(&s);
    }

private:
    using Fn = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
    Fn ex_ = nullptr;
};
}  // namespace

MemoryStatusApi& SystemMemoryStatusApi() {
    static SystemApi api;  // kernel32 never goes away; the lookup is done once
    return api;
}

MemoryStatus ReadMemoryStatus(MemoryStatusApi& api) {
    MemoryStatus m;
    MEMORYSTATUSEX ex{};
    ex.dwLength = sizeof ex;
    if (api.StatusEx(ex)) {
        m.memoryLoad = ex.dwMemoryLoad;
        m.totalPhys = ex.ullTotalPhys;
        m.availPhys = ex.ullAvailPhys;
        m.totalPageFile = ex.ullTotalPageFile;
        m.availPageFile = ex.ullAvailPageFile;
        return m;
    }
    MEMORYSTATUS s{};
    api.Status(s);
    m.memoryLoad = s.dwMemoryLoad;
    m.totalPhys = s.dwTotalPhys;
    m.availPhys = s.dwAvailPhys;
    m.totalPageFile = s.dwTotalPageFile;
    m.availPageFile = s.dwAvailPageFile;
    return m;
}

}  // namespace metrics
