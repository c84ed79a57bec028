#include "monitor/metrics/processor_info.h"

#include <windows.h>
#include <cpuid.h>
#include <x86intrin.h>

namespace metrics {

namespace {
class CpuidInstruction : public CpuidSource {
public:
    CpuidRegs Query(uint32_t leaf) override {
        CpuidRegs r;
        __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
        return r;
    }
};

class SystemSpeedClock : public SpeedClock {
public:
    uint32_t Ticks() override { return GetTickCount(); }
    uint64_t Tsc() override { return __rdtsc(); }
};

bool RegistryMHz(uint32_t* mhz) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    DWORD value = 0, size = sizeof value, type = 0;
    const LONG rc = RegQueryValueExA(key, "~MHz", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || value == 0) return false;
    *mhz = value;
    return true;
}
}  // namespace

ProcessorId IdentifyProcessor() {
    CpuidInstruction cpuid;
    ProcessorId id = DecodeProcessor(cpuid);
    // The division itself must happen at run time on the FPU, not in the compiler.
    volatile double x = kFdivX, y = kFdivY;
    volatile double q = x / y;
    id.fdivFlaw = FdivFlawed(q);
    return id;
}

uint32_t GetCPUSpeed(bool forceMeasure) {
    static uint32_t known = 0;
    if (known && !forceMeasure) return known;
    uint32_t mhz = 0;
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    const bool registry = !forceMeasure && GetVersionExA(&vi) &&
                          SpeedFromRegistry(vi.dwPlatformId, vi.dwMajorVersion, vi.dwMinorVersion);
    if (!registry || !RegistryMHz(&mhz)) {
        SystemSpeedClock clock;
        mhz = MeasureSpeed(clock);
    }
    known = mhz;
    return mhz;
}

}  // namespace metrics
