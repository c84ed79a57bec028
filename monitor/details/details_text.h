// Texts of the System Details lists and status bars, decided without Windows.
#pragma once
#include <cstdint>
#include <string>

namespace details {

// A whole number with `separator` between groups of three digits ("4,218,880").
std::string FormatThousands(uint64_t value, const std::string& separator);
// Two characters from the low word of the executable-type word (below 32 shown as "_") and
// the system version from the high word: 0x04004550 is "PE 4.0".
std::string ExeTypeText(uint32_t exeType);
// The caption of a process row: the file name without its folder; the system's idle process
// ("[System Process]" in any case) is "System Idle Process".
std::string ProcessCaption(const char* exeFile);
// A module's load address as eight upper-case hexadecimal digits ("00400000").
std::string ModuleHandleText(uint32_t handle);
// Lower case of an ASCII text (module names).
std::string LowerCase(std::string s);

extern const char* const kIdleProcessCaption;  // "System Idle Process"
extern const char* const kIdlePath;            // "[Idle]"

// Which list of the Processes tab has the focus.
enum class ActiveList { Other, Processes, Modules };
// The count panel of the Processes tab: "Processes: 42, Threads: 500" with the process list
// active, "17 Modules, Size: 4,218,880" with the module list, otherwise empty.
std::string ProcessStatusText(ActiveList active, int processes, int threads, int modules,
                              uint64_t moduleBytes, const std::string& separator);

// Windows 2000 (5.0) gives only file names in the process snapshot; the full path is read
// from the process there.
bool SnapshotLacksFullPaths(unsigned major, unsigned minor);

// The main status bar: "CPU Usage: 37%", "Processes: 42" and "Commit Charge: 81234K / 2097152K"
// (the page file's total and available bytes in KB; more available than in all counts as none
// in use).
// Returned in place, so the tick's texts cost no allocation.
struct ShortText {
    char text[80];
    const char* c_str() const { return text; }
};
ShortText CpuUsageText(int percent);
ShortText ProcessCountText(int processes);
ShortText CommitChargeText(uint64_t totalPageFile, uint64_t availPageFile);

// End Process.
extern const char* const kEndProcessWarning;
extern const char* const kEndProcessCaption;  // "Warning"
extern const char* const kCantOpenProcess;    // "Can't open this process for terminate."
extern const char* const kTerminateTimeout;   // "Timeout."
constexpr uint32_t kTerminateWaitMs = 10000;

}  // namespace details
