// Processor identification from CPUID register values, the FDIV check and the speed rule.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "monitor/metrics/processor_id.h"

using namespace metrics;

namespace {
uint32_t Chars(const char* four) {
    uint32_t v;
    std::memcpy(&v, four, 4);
    return v;
}

class TableCpuid : public CpuidSource {
public:
    std::map<uint32_t, CpuidRegs> leaves;
    CpuidRegs Query(uint32_t leaf) override {
        auto it = leaves.find(leaf);
        return it == leaves.end() ? CpuidRegs{} : it->second;
    }
    void Vendor(const char* v12, uint32_t maxLeaf) {
        leaves[0] = {maxLeaf, Chars(v12), Chars(v12 + 8), Chars(v12 + 4)};
    }
    void Brand(const char* b48) {
        for (uint32_t i = 0; i < 3; ++i) {
            const char* p = b48 + 16 * i;
            leaves[0x80000002u + i] = {Chars(p), Chars(p + 4), Chars(p + 8), Chars(p + 12)};
        }
    }
};

int IndexOf(const char* caption) {
    for (int i = 0; i < kFeatureCount; ++i)
        if (std::strcmp(Feature(i).caption, caption) == 0) return i;
    return -1;
}
}  // namespace

TEST(ProcessorId, FeatureTableOrderAndBits) {
    ASSERT_EQ(0, IndexOf("FPU"));
    EXPECT_EQ(26, IndexOf("TM"));
    EXPECT_EQ(27, IndexOf("3DNOW"));
    EXPECT_EQ(29, IndexOf("MMXEX"));
    EXPECT_STREQ("Advanced Configuration and Power Management Interface",
                 Feature(IndexOf("ACPI")).description);
    // Each standard bit in turn turns on exactly its own row; reserved bits 10, 20, 28 none.
    const int standardBits[27] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 14,
                                  15, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 29};
    for (int i = 0; i < 27; ++i) {
        const auto f = DecodeFeatures(1u << standardBits[i], 0);
        for (int j = 0; j < kFeatureCount; ++j) EXPECT_EQ(i == j, f[j]) << i << " " << j;
    }
    for (int reserved : {10, 20, 28, 30, 31}) {
        const auto f = DecodeFeatures(1u << reserved, 0);
        for (bool b : f) EXPECT_FALSE(b);
    }
    auto ext = DecodeFeatures(0, 1u << 31);
    EXPECT_TRUE(ext[IndexOf("3DNOW")]);
    ext = DecodeFeatures(0, 1u << 30);
    EXPECT_TRUE(ext[IndexOf("3DNOWEX")]);
    ext = DecodeFeatures(0, 1u << 22);
    EXPECT_TRUE(ext[IndexOf("MMXEX")]);
    EXPECT_FALSE(ext[IndexOf("ACPI")]);  // bit 22 of the standard word is another flag
}

TEST(ProcessorId, ModernProcessorWithBrandString) {
    TableCpuid c;
    c.Vendor("AuthenticAMD", 0x10);
    c.leaves[1] = {0x00A20F12, 0, 0, 0x178BFBFF};  // family 0x19, no serial number
    c.leaves[0x80000000u] = {0x80000020u, 0, 0, 0};
    c.leaves[0x80000001u] = {0, 0, 0, 0x2FD3FBFF};
    c.Brand("AMD Ryzen 7 5800X 8-Core Processor             ");
    const ProcessorId p = DecodeProcessor(c);
    EXPECT_EQ("AuthenticAMD", p.vendor);
    EXPECT_EQ("AMD Ryzen 7 5800X 8-Core Processor", p.name);
    EXPECT_EQ(0x19u, p.family);
    EXPECT_EQ(0x21u, p.model);
    EXPECT_EQ(2u, p.stepping);
    EXPECT_EQ("", p.serial);
    EXPECT_TRUE(p.features[IndexOf("SIMD2")]);
    EXPECT_FALSE(p.features[IndexOf("SERIAL")]);
    EXPECT_TRUE(p.features[IndexOf("MMXEX")]);
    EXPECT_FALSE(p.features[IndexOf("3DNOW")]);
}

TEST(ProcessorId, PentiumIIIWithSerialNumber) {
    TableCpuid c;
    c.Vendor("GenuineIntel", 3);
    c.leaves[1] = {0x00000672, 0, 0, 0x0387FBFF};  // PSN set
    c.leaves[3] = {0, 0, 0x9ABCDEF0, 0x12345678};
    // No extended leaves at all: leaf 0x80000000 echoes the last standard leaf.
    c.leaves[0x80000000u] = {0x00000002u, 0, 0, 0};
    const ProcessorId p = DecodeProcessor(c);
    EXPECT_EQ("Intel Pentium III", p.name);
    EXPECT_EQ("0000-0672-1234-5678-9ABC-DEF0", p.serial);
    EXPECT_TRUE(p.features[IndexOf("SERIAL")]);
    EXPECT_FALSE(p.features[IndexOf("3DNOW")]);
}

TEST(ProcessorId, SerialSwitchedOffOrLeafMissing) {
    TableCpuid c;
    c.Vendor("GenuineIntel", 2);  // serial flag set, but leaf 3 not available
    c.leaves[1] = {0x00000672, 0, 0, 1u << 18};
    EXPECT_EQ("", DecodeProcessor(c).serial);
    c.Vendor("GenuineIntel", 3);
    c.leaves[1].edx = 0;  // switched off: the flag is cleared
    c.leaves[3] = {0, 0, 1, 1};
    EXPECT_EQ("", DecodeProcessor(c).serial);
}

TEST(ProcessorId, ClassicNamesAndUnknownVendor) {
    TableCpuid c;
    c.Vendor("AuthenticAMD", 1);
    c.leaves[1] = {0x00000580, 0, 0, 0};
    c.leaves[0x80000000u] = {0x80000001u, 0, 0, 0};
    c.leaves[0x80000001u] = {0, 0, 0, 0x80000000u};
    ProcessorId p = DecodeProcessor(c);
    EXPECT_EQ("AMD K6-2", p.name);
    EXPECT_TRUE(p.features[IndexOf("3DNOW")]);
    c.Vendor("Weird Vendor", 1);
    c.leaves[1] = {0x00000631, 0, 0, 0};
    EXPECT_EQ("Weird Vendor family 6 model 3", DecodeProcessor(c).name);
}

TEST(ProcessorId, FdivCheck) {
    EXPECT_FALSE(FdivFlawed(kFdivX / kFdivY));
    EXPECT_TRUE(FdivFlawed(1.333739068902037589));  // what a flawed Pentium returned
}

namespace {
// A clock whose tick moves every third look, with 1e6 counter units per look.
class FakeClock : public SpeedClock {
public:
    uint32_t ticks;
    uint64_t tsc = 5;
    uint32_t polls = 0;
    explicit FakeClock(uint32_t start) : ticks(start) {}
    uint32_t Ticks() override {
        ++polls;
        if (polls % 3 == 0) ++ticks;  // the tick moves every third look
        tsc += 1000000;
        return ticks;
    }
    uint64_t Tsc() override { return tsc; }
};
}  // namespace

TEST(ProcessorSpeed, RuleAndMeasurement) {
    EXPECT_EQ(2400u, SpeedFromTsc(1000, 1000 + 2400000000ull));
    EXPECT_EQ(3u, SpeedFromTsc(0, 2500000));  // rounds to nearest
    EXPECT_EQ(2u, SpeedFromTsc(0, 2499999));

    // 3 looks per tick, 1e6 units per look: 3 GHz, counted from the first tick edge to
    // t0 + 1000, that is over 999 ticks.
    FakeClock clock(1000);
    EXPECT_EQ(2997u, MeasureSpeed(clock));
    EXPECT_GE(clock.ticks, 2000u);
    // A tick count about to wrap still measures a whole second.
    FakeClock wrapping(0xFFFFFF00u);
    EXPECT_EQ(2997u, MeasureSpeed(wrapping));
    EXPECT_LT(wrapping.ticks, 0x400u);

    EXPECT_TRUE(SpeedFromRegistry(2, 4, 0));   // NT4
    EXPECT_TRUE(SpeedFromRegistry(2, 5, 0));   // 2000
    EXPECT_TRUE(SpeedFromRegistry(2, 5, 1));   // XP
    EXPECT_FALSE(SpeedFromRegistry(2, 5, 2));  // Server 2003
    EXPECT_FALSE(SpeedFromRegistry(2, 6, 1));
    EXPECT_FALSE(SpeedFromRegistry(1, 4, 10));  // 98
    EXPECT_FALSE(SpeedFromRegistry(2, 3, 51));  // NT 3.51
}
