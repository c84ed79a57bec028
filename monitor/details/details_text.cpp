#include "monitor/details/details_text.h"

#include <cstdio>
#include <cstring>

namespace details {

const char* const kIdleProcessCaption = "System Idle Process";
const char* const kIdlePath = "[Idle]";
const char* const kEndProcessWarning =
    "WARNING: Terminating a process can cause undesired\n\r"
    "results including loss of data and system instability.  Are\n\r"
    "you sure you want to terminate the process?";
const char* const kEndProcessCaption = "Warning";
const char* const kCantOpenProcess = "Can't open this process for terminate.";
const char* const kTerminateTimeout = "Timeout.";

std::string FormatThousands(uint64_t value, const std::string& separator) {
    char digits[24];
    const int n = std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(value));
    std::string out;
    out.reserve(n + (n / 3) * separator.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

std::string ExeTypeText(uint32_t exeType) {
    char a = static_cast<char>(exeType & 0xFF), b = static_cast<char>((exeType >> 8) & 0xFF);
    if (static_cast<unsigned char>(a) < 32) a = '_';
    if (static_cast<unsigned char>(b) < 32) b = '_';
    char text[16];
    std::snprintf(text, sizeof text, "%c%c %u.%u", a, b, (exeType >> 24) & 0xFF, (exeType >> 16) & 0xFF);
    return text;
}

std::string LowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string ProcessCaption(const char* exeFile) {
    const char* name = exeFile;
    for (const char* p = exeFile; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    std::string caption(name);
    if (LowerCase(caption) == "[system process]") return kIdleProcessCaption;
    return caption;
}

std::string ModuleHandleText(uint32_t handle) {
    char text[12];
    std::snprintf(text, sizeof text, "%.8X", handle);
    return text;
}

std::string ProcessStatusText(ActiveList active, int processes, int threads, int modules,
                              uint64_t moduleBytes, const std::string& separator) {
    char text[96];
    switch (active) {
    case ActiveList::Processes:
        std::snprintf(text, sizeof text, "Processes: %d, Threads: %d", processes, threads);
        return text;
    case ActiveList::Modules:
        std::snprintf(text, sizeof text, "%d Modules, Size: ", modules);
        return text + FormatThousands(moduleBytes, separator);
    default: return std::string();
    }
}

ShortText CpuUsageText(int percent) {
    ShortText t;
    std::snprintf(t.text, sizeof t.text, "CPU Usage: %d%%", percent);
    return t;
}

ShortText ProcessCountText(int processes) {
    ShortText t;
    std::snprintf(t.text, sizeof t.text, "Processes: %d", processes);
    return t;
}

ShortText CommitChargeText(uint64_t total, uint64_t avail) {
    const uint64_t used = avail > total ? 0 : total - avail;
    ShortText t;
    std::snprintf(t.text, sizeof t.text, "Commit Charge: %lluK / %lluK",
                  static_cast<unsigned long long>(used / 1024),
                  static_cast<unsigned long long>(total / 1024));
    return t;
}

bool SnapshotLacksFullPaths(unsigned major, unsigned minor) { return major == 5 && minor == 0; }

}  // namespace details
