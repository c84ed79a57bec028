#pragma once
// The General tab of System Details, decided over plain data: the system lines, the running
// time, the memory figures and the gauges' layout.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/metrics/elapsed.h"
#include "monitor/metrics/memory_status.h"

namespace details {

// What GetVersionEx reports (with OSVERSIONINFOEX where the system has it).
struct OsVersion {
    enum Platform : uint32_t { Win32s = 0, Win9x = 1, WinNT = 2 };
    uint32_t platformId = 0;
    uint32_t major = 0, minor = 0, build = 0;
    std::string csd;          // szCSDVersion, as reported
    bool extended = false;    // productType and suiteMask are valid
    uint8_t productType = 0;  // 1 workstation, 2 domain controller, 3 server
    uint16_t suiteMask = 0;
};

// Suite flags and product types as the system defines them.
constexpr uint16_t kSuiteEnterprise = 0x0002, kSuiteDatacenter = 0x0080, kSuitePersonal = 0x0200;
constexpr uint8_t kNtWorkstation = 1;

// Leading and trailing blanks and control characters removed.
std::string Trimmed(const std::string& s);

// "Windows 95" ... "Windows XP", "Unknown OS"; empty for Windows NT 3.x, which has no name line.
std::string SystemName(const OsVersion& v);
// "Professional", "Home Edition", "Server", ... or empty. `productOptions` is the registry value
// ProductOptions\ProductType ("WinNT", "LanmanNT", "ServerNT"), asked for only on systems
// other than Windows 2000 and XP.
std::string Edition(const OsVersion& v, const std::string& productOptions);
// The lines of mmoSystem in order: name, edition, service text, "Build n".
std::vector<std::string> SystemLines(const OsVersion& v, const std::string& productOptions);

// Whole seconds of a millisecond tick count, rounded to nearest (ties to even).
uint64_t RoundedSeconds(uint64_t milliseconds);
// lblRunning: the elapsed-time text of the system's running time, returned in place (the
// tick that shows it allocates nothing).
struct RunningText {
    char text[metrics::kElapsedTextSize];
    const char* c_str() const { return text; }
};
RunningText RunningTimeText(uint64_t milliseconds);

// The live memory labels of the General tab and the commit charge of the status bar, written
// into fixed buffers (a tick allocates nothing).
struct MemoryTexts {
    char totalRAM[24] = "";  // lblTotalRAM, K
    char availRAM[24] = "";  // lblAvailRAM, K
    char ramMB[24] = "";     // lblRAM, "n MB" in use
    char pfTotal[24] = "";   // lblPFTotal, K
    char pfAvail[24] = "";   // lblPFAvail, K
    char swapMB[24] = "";    // lblSwap, "n MB" in use
    char commit[64] = "";    // "Commit Charge: cK / tK"
};
void FormatMemory(const metrics::MemoryStatus& m, MemoryTexts& out);

// pnlTotalsResize: every group as high as gbCPU, its black panel 25 less, the gauge 32 less
// than the panel, the value label 10 below the gauge.
struct GaugeLayout {
    int groupHeight, panelHeight, gaugeHeight, labelTop;
};
GaugeLayout LayoutGauges(int cpuGroupHeight);

}  // namespace details
