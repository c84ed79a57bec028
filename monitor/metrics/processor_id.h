#pragma once
// Processor identification decoded from CPUID register values (pure; processor_info.h runs
// the instruction).
#include <array>
#include <cstdint>
#include <string>

namespace metrics {

struct CpuidRegs {
    uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

// Answers CPUID for a leaf (the real instruction, or a table in tests).
class CpuidSource {
public:
    virtual ~CpuidSource() = default;
    virtual CpuidRegs Query(uint32_t leaf) = 0;
};

// The thirty features of the CPU tab, in display order: 27 from the standard feature word
// (leaf 1 EDX), then 3DNOW, 3DNOWEX and MMXEX from the extended one (leaf 0x80000001 EDX).
constexpr int kFeatureCount = 30;
struct FeatureInfo {
    const char* caption;
    const char* description;
};
const FeatureInfo& Feature(int i);  // 0 <= i < kFeatureCount

struct ProcessorId {
    std::string vendor;  // "GenuineIntel", "AuthenticAMD", ...
    std::string name;    // brand string, or a name from vendor/family/model
    std::string serial;  // "XXXX-XXXX-XXXX-XXXX-XXXX-XXXX", empty when absent or switched off
    uint32_t family = 0, model = 0, stepping = 0;
    std::array<bool, kFeatureCount> features{};
    bool fdivFlaw = false;  // filled by IdentifyProcessor (a real division)
};

// Decodes everything but the FDIV flaw.
ProcessorId DecodeProcessor(CpuidSource& cpuid);

// Feature flags from the two feature words.
std::array<bool, kFeatureCount> DecodeFeatures(uint32_t standardEdx, uint32_t extendedEdx);

// The FDIV check: x - (x / y) * y for x = 4195835, y = 3145727 is 0 on a sound FPU and 256
// on a flawed one. `quotient` is what the FPU computed for x / y.
constexpr double kFdivX = 4195835.0, kFdivY = 3145727.0;
bool FdivFlawed(double quotient);

// Clock speed from the time-stamp counter over one second: round((second - first) / 1e6).
uint32_t SpeedFromTsc(uint64_t first, uint64_t second);

// The clock for a speed measurement (GetTickCount and the time-stamp counter).
class SpeedClock {
public:
    virtual ~SpeedClock() = default;
    virtual uint32_t Ticks() = 0;
    virtual uint64_t Tsc() = 0;
};
// Waits for a tick edge, reads the counter, busy-waits one second (wrap-safe), reads again.
uint32_t MeasureSpeed(SpeedClock& clock);

// True where the registry value "~MHz" gives the speed (Windows NT4, 2000, XP).
bool SpeedFromRegistry(uint32_t platformId, uint32_t major, uint32_t minor);

}  // namespace metrics
