#include "monitor/details/general_info.h"

#include <cctype>
#include <cstdio>

#include "monitor/metrics/elapsed.h"

namespace details {

namespace {
bool SameText(const std::string& a, const char* b) {
    // The registry holds "WinNT", older systems "WINNT": compared without case.
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

bool IsWindows95(const OsVersion& v) { return v.platformId == OsVersion::Win9x && v.minor < 10; }

template <typename T>
void Put(char (&buf)[24], T value) {
    std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(value));
}
}  // namespace

std::string Trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

std::string SystemName(const OsVersion& v) {
    if (v.platformId == OsVersion::Win9x) {
        const std::string sp = Trimmed(v.csd);
        if (v.minor < 10) return sp == "B" ? "Windows 95 OSR2" : "Windows 95";
        if (v.minor < 90) {
            if (v.build == 0x4005A) return "Windows Me";
            return sp == "A" ? "Windows 98SE" : "Windows 98";
        }
        if (v.minor == 90) return "Windows Me";
        return "Unknown OS";
    }
    if (v.platformId == OsVersion::WinNT) {
        if (v.major == 3) return std::string();
        if (v.major == 4) return "Windows NT4";
        if (v.major == 5 && v.minor == 0) return "Windows 2000";
        if (v.major == 5 && v.minor == 1) return "Windows XP";
    }
    return "Unknown OS";
}

std::string Edition(const OsVersion& v, const std::string& productOptions) {
    const bool nt5 = v.platformId == OsVersion::WinNT && v.major == 5;
    if (v.extended && nt5 && v.minor == 0) {
        if (v.productType == kNtWorkstation) return "Professional";
        if (v.suiteMask & kSuiteDatacenter) return "Datacenter Server";
        if (v.suiteMask & kSuiteEnterprise) return "Advanced Server";
        return "Server";
    }
    if (v.extended && nt5 && v.minor == 1) {
        if (v.productType == kNtWorkstation && (v.suiteMask & kSuitePersonal)) return "Home Edition";
        return "Professional";
    }
    if (SameText(productOptions, "WINNT")) return "Workstation";
    if (SameText(productOptions, "LANMANNT")) return "Server";
    if (SameText(productOptions, "SERVERNT")) return "Advanced Server";
    return std::string();
}

std::vector<std::string> SystemLines(const OsVersion& v, const std::string& productOptions) {
    std::vector<std::string> lines;
    std::string name = SystemName(v);
    if (!name.empty()) lines.push_back(std::move(name));
    std::string edition = Edition(v, productOptions);
    if (!edition.empty()) lines.push_back(std::move(edition));
    // Windows 95 reports its release letter there, which the name line has told already.
    std::string sp = Trimmed(v.csd);
    if (!sp.empty() && !IsWindows95(v)) lines.push_back(std::move(sp));
    lines.push_back("Build " + std::to_string(v.build & 0xFFFF));
    return lines;
}

uint64_t RoundedSeconds(uint64_t ms) {
    uint64_t s = ms / 1000;
    const uint64_t rest = ms % 1000;
    if (rest > 500 || (rest == 500 && (s & 1))) ++s;
    return s;
}

RunningText RunningTimeText(uint64_t ms) {
    metrics::ElapsedOptions o;
    o.wholeSeconds = true;
    o.shortUnits = false;
    o.showZeros = false;
    RunningText t;
    metrics::FormatElapsed(static_cast<double>(RoundedSeconds(ms)), o, t.text, sizeof t.text);
    return t;
}

void FormatMemory(const metrics::MemoryStatus& m, MemoryTexts& out) {
    // A reading with more available than in total (never seen, but possible while the system
    // resizes the page file) shows nothing in use rather than a wrapped figure.
    const uint64_t usedPhys = m.totalPhys > m.availPhys ? m.totalPhys - m.availPhys : 0;
    const uint64_t usedPage = m.totalPageFile > m.availPageFile ? m.totalPageFile - m.availPageFile : 0;
    Put(out.totalRAM, m.totalPhys / 1024);
    Put(out.availRAM, m.availPhys / 1024);
    std::snprintf(out.ramMB, sizeof out.ramMB, "%llu MB",
                  static_cast<unsigned long long>(usedPhys / 1048576));
    Put(out.pfTotal, m.totalPageFile / 1024);
    Put(out.pfAvail, m.availPageFile / 1024);
    std::snprintf(out.swapMB, sizeof out.swapMB, "%llu MB",
                  static_cast<unsigned long long>(usedPage / 1048576));
    std::snprintf(out.commit, sizeof out.commit, "Commit Charge: %lluK / %lluK",
                  static_cast<unsigned long long>(usedPage / 1024),
                  static_cast<unsigned long long>(m.totalPageFile / 1024));
}

GaugeLayout LayoutGauges(int cpuGroupHeight) {
    GaugeLayout g;
    g.groupHeight = cpuGroupHeight;
    g.panelHeight = cpuGroupHeight - 25;
    g.gaugeHeight = g.panelHeight - 32;
    g.labelTop = g.gaugeHeight + 10;
    return g;
}

}  // namespace details
