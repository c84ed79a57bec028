#include "monitor/details/folders.h"

namespace details {

const std::array<FolderSpec, kFolderCount>& FolderTable() {
    using F = FolderFrom;
    static const std::array<FolderSpec, kFolderCount> table = {{
        {"Common Files", F::Registry, "CommonFilesDir", 0},
        {"Program Files", F::Registry, "ProgramFilesDir", 0},
        {"Windows", F::Windows, nullptr, 0},
        {"Windows System", F::System, nullptr, 0},
        {"Windows Temp", F::Temp, nullptr, 0},
        {"Desktop", F::Special, nullptr, 0},
        {"Programs", F::Special, nullptr, 2},
        {"Personal", F::Special, nullptr, 5},
        {"Favorites", F::Special, nullptr, 6},
        {"Startup", F::Special, nullptr, 7},
        {"Recent", F::Special, nullptr, 8},
        {"SendTo", F::Special, nullptr, 9},
        {"Start Menu", F::Special, nullptr, 11},
        {"Desktop Directory", F::Special, nullptr, 16},
        {"NetHood", F::Special, nullptr, 19},
        {"Fonts", F::Special, nullptr, 20},
        {"Common Start Menu", F::Special, nullptr, 22},
        {"Common Programs", F::Special, nullptr, 23},
        {"Common Startup", F::Special, nullptr, 24},
        {"Common Desktop Directory", F::Special, nullptr, 25},
        {"Application Data", F::Special, nullptr, 26},
        {"PrintHood", F::Special, nullptr, 27},
        {"Common Favorites", F::Special, nullptr, 31},
        {"Templates", F::Special, nullptr, 21},
        {"Internet Cache", F::Special, nullptr, 32},
        {"Cookies", F::Special, nullptr, 33},
        {"History", F::Special, nullptr, 34},
    }};
    return table;
}

std::vector<FolderRow> BuildFolderRows(FolderSource& source) {
    std::vector<FolderRow> rows;
    rows.reserve(kFolderCount);
    for (const FolderSpec& f : FolderTable()) {
        std::string at;
        switch (f.from) {
        case FolderFrom::Registry: at = source.RegistryValue(f.value); break;
        case FolderFrom::Windows: at = source.WindowsDirectory(); break;
        case FolderFrom::System: at = source.SystemDirectory(); break;
        case FolderFrom::Temp:
            at = source.TempPath();
            if (!at.empty() && at.back() == '\\') at.pop_back();
            break;
        case FolderFrom::Special: at = source.SpecialFolder(f.csidl); break;
        }
        rows.push_back({f.caption, at.empty() ? kNotAvailable : at});
    }
    return rows;
}

}  // namespace details
