#include "monitor/metrics/processor_id.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace metrics {

namespace {
struct FeatureBit {
    FeatureInfo info;
    bool extended;
    int bit;
};

const FeatureBit kFeatures[kFeatureCount] = {
    {{"FPU", "Floating Point Processor"}, false, 0},
    {{"VME", "Virtual Mode Extension"}, false, 1},
    {{"DE", "Debugging Extension"}, false, 2},
    {{"PSE", "Page Size Extension"}, false, 3},
    {{"TSC", "Time Stamp Counter"}, false, 4},
    {{"MSR", "Model Specific Registers"}, false, 5},
    {{"PAE", "Physical Address Extension"}, false, 6},
    {{"MCE", "Machine Check Exception"}, false, 7},
    {{"CX8", "CMPXCHG8 Instruction"}, false, 8},
    {{"APIC", "On-chip APIC Hardware"}, false, 9},
    {{"SEP", "Fast System Call"}, false, 11},
    {{"MTRR", "Memory Type Range Registers"}, false, 12},
    {{"PGE", "Page Global Enable"}, false, 13},
    {{"MCA", "Machine Check Architecture"}, false, 14},
    {{"CMOV", "Conditional Move Instruction"}, false, 15},
    {{"PAT", "Page Attribute Table"}, false, 16},
    {{"PSE36", "36-bit Page Size Extension"}, false, 17},
    {{"SERIAL", "Processor Serial Number"}, false, 18},
    {{"CLFLUSH", "CLFLUSH Instruction"}, false, 19},
    {{"DTS", "Debug Trace Store"}, false, 21},
    {{"ACPI", "Advanced Configuration and Power Management Interface"}, false, 22},
    {{"MMX", "MMX Extensions"}, false, 23},
    {{"FXSR", "Floating Point Save and Restore"}, false, 24},
    {{"SIMD", "Streaming SIMD Extensions"}, false, 25},
    {{"SIMD2", "Streaming SIMD Extensions 2"}, false, 26},
    {{"SS", "Self-Snoop"}, false, 27},
    {{"TM", "Thermal Monitor Supported"}, false, 29},
    {{"3DNOW", "3DNow! Extensions"}, true, 31},
    {{"3DNOWEX", "Enhanced 3DNow! Extensions"}, true, 30},
    {{"MMXEX", "Enhanced MMX Extensions"}, true, 22},
};

constexpr int kSerialFeature = 17;  // position of SERIAL in kFeatures

void AppendRegs(std::string& s, const uint32_t* regs, int n) {
    for (int i = 0; i < n; ++i) {
        char c[4];
        std::memcpy(c, &regs[i], 4);  // little-endian: the bytes in text order
        for (char ch : c) s += ch;
    }
}

std::string Trim(const std::string& s) {
    size_t end = s.find('\0');
    if (end == std::string::npos) end = s.size();
    size_t b = 0;
    while (b < end && s[b] == ' ') ++b;
    while (end > b && s[end - 1] == ' ') --end;
    return s.substr(b, end - b);
}

// Names of processors that predate the brand string.
std::string ClassicName(const std::string& vendor, uint32_t family, uint32_t model) {
    if (vendor == "GenuineIntel") {
        switch (family) {
        case 4: return "Intel 486";
        case 5: return model == 4 || model == 8 ? "Intel Pentium MMX" : "Intel Pentium";
        case 6:
            switch (model) {
            case 1: return "Intel Pentium Pro";
            case 3:
            case 5: return "Intel Pentium II";
            case 6: return "Intel Celeron";
            case 7:
            case 8:
            case 10:
            case 11: return "Intel Pentium III";
            }
            return "Intel P6";
        case 15: return "Intel Pentium 4";
        }
    } else if (vendor == "AuthenticAMD") {
        switch (family) {
        case 4: return "AMD 486";
        case 5:
            if (model <= 3) return "AMD K5";
            if (model <= 7) return "AMD K6";
            if (model == 8) return "AMD K6-2";
            return "AMD K6-III";
        case 6: return "AMD Athlon";
        }
    } else if (vendor == "CyrixInstead") {
        return "Cyrix";
    } else if (vendor == "CentaurHauls") {
        return "Centaur";
    }
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s family %u model %u", vendor.empty() ? "Unknown" : vendor.c_str(),
                  family, model);
    return buf;
}
}  // namespace

const FeatureInfo& Feature(int i) { return kFeatures[i].info; }

std::array<bool, kFeatureCount> DecodeFeatures(uint32_t standardEdx, uint32_t extendedEdx) {
    std::array<bool, kFeatureCount> f{};
    for (int i = 0; i < kFeatureCount; ++i) {
        const uint32_t word = kFeatures[i].extended ? extendedEdx : standardEdx;
        f[i] = (word >> kFeatures[i].bit) & 1u;
    }
    return f;
}

ProcessorId DecodeProcessor(CpuidSource& cpuid) {
    ProcessorId p;
    const CpuidRegs l0 = cpuid.Query(0);
    const uint32_t vendorRegs[3] = {l0.ebx, l0.edx, l0.ecx};
    AppendRegs(p.vendor, vendorRegs, 3);
    p.vendor = Trim(p.vendor);
    const uint32_t maxLeaf = l0.eax;

    CpuidRegs l1;
    if (maxLeaf >= 1) {
        l1 = cpuid.Query(1);
        p.stepping = l1.eax & 0xF;
        p.model = (l1.eax >> 4) & 0xF;
        p.family = (l1.eax >> 8) & 0xF;
        if (p.family == 0xF) p.family += (l1.eax >> 20) & 0xFF;
        if (p.family == 0x6 || p.family >= 0xF) p.model |= ((l1.eax >> 16) & 0xF) << 4;
    }

    const CpuidRegs e0 = cpuid.Query(0x80000000u);
    const uint32_t maxExt = (e0.eax & 0x80000000u) ? e0.eax : 0;
    uint32_t extEdx = 0;
    if (maxExt >= 0x80000001u) extEdx = cpuid.Query(0x80000001u).edx;
    p.features = DecodeFeatures(l1.edx, extEdx);

    if (maxExt >= 0x80000004u) {
        std::string brand;
        for (uint32_t leaf = 0x80000002u; leaf <= 0x80000004u; ++leaf) {
            const CpuidRegs r = cpuid.Query(leaf);
            const uint32_t regs[4] = {r.eax, r.ebx, r.ecx, r.edx};
            AppendRegs(brand, regs, 4);
        }
        p.name = Trim(brand);
    }
    if (p.name.empty()) p.name = ClassicName(p.vendor, p.family, p.model);

    // The serial number: 96 bits, the signature on top of leaf 3's EDX:ECX. A processor that
    // has it switched off clears the feature flag.
    if (p.features[kSerialFeature] && maxLeaf >= 3) {
        const CpuidRegs l3 = cpuid.Query(3);
        char buf[40];
        std::snprintf(buf, sizeof buf, "%04X-%04X-%04X-%04X-%04X-%04X", l1.eax >> 16, l1.eax & 0xFFFF,
                      l3.edx >> 16, l3.edx & 0xFFFF, l3.ecx >> 16, l3.ecx & 0xFFFF);
        p.serial = buf;
    }
    return p;
}

bool FdivFlawed(double quotient) { return std::fabs(kFdivX - quotient * kFdivY) > 1.0; }

uint32_t SpeedFromTsc(uint64_t first, uint64_t second) {
    return static_cast<uint32_t>(std::llround(static_cast<double>(second - first) / 1000000.0));
}

uint32_t MeasureSpeed(SpeedClock& clock) {
    const uint32_t t0 = clock.Ticks();
    while (clock.Ticks() == t0) {}
    const uint64_t first = clock.Tsc();
    // Elapsed ticks in wrapping arithmetic, so a tick count that wraps mid-measurement
    // still waits the whole second.
    while (static_cast<uint32_t>(clock.Ticks() - t0) < 1000u) {}
    const uint64_t second = clock.Tsc();
    return SpeedFromTsc(first, second);
}

bool SpeedFromRegistry(uint32_t platformId, uint32_t major, uint32_t minor) {
    return platformId == 2 && (major == 4 || (major == 5 && minor <= 1));
}

}  // namespace metrics
