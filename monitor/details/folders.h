#pragma once
// The Folders tab of System Details: the 27 special folders in order, "N/A" for a location
// that cannot be read, and what "Open in Explorer" may open.
#include <array>
#include <string>
#include <vector>

namespace details {

enum class FolderFrom { Registry, Windows, System, Temp, Special };

struct FolderSpec {
    const char* caption;
    FolderFrom from;
    const char* value;  // Registry: the value under Software\Microsoft\Windows\CurrentVersion
    int csidl;          // Special: the shell's folder id
};
constexpr int kFolderCount = 27;
const std::array<FolderSpec, kFolderCount>& FolderTable();

// Where the locations come from; every answer is empty when it cannot be read.
class FolderSource {
public:
    virtual ~FolderSource() = default;
    virtual std::string RegistryValue(const char* value) = 0;
    virtual std::string WindowsDirectory() = 0;
    virtual std::string SystemDirectory() = 0;
    virtual std::string TempPath() = 0;
    virtual std::string SpecialFolder(int csidl) = 0;
};

constexpr const char* kNotAvailable = "N/A";

struct FolderRow {
    std::string caption, location;
};
std::vector<FolderRow> BuildFolderRows(FolderSource& source);

// "Open in Explorer" opens a row only when it has a location.
inline bool CanExplore(const std::string& location) { return !location.empty() && location != kNotAvailable; }

}  // namespace details
