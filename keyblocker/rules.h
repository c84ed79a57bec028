// The small decisions of kqel, over plain data.
#pragma once
#include <cstdint>
#include <string>

namespace kq {

// An update check is offered once more than 29 whole days have passed since the last one
// (seconds since 1970; a last check in the future never makes one due).
bool IsUpdateDue(int64_t now, int64_t lastUpdate);

// The blocking mode is the radio button's place in its group (Never, games, full-screen,
// Always), not its control id. -1 / 0 for anything outside the group.
int ModeFromRadio(int controlId);
int RadioFromMode(int mode);

// Context-help number of a settings page control (0 for controls without help).
uint32_t HelpIdOf(int controlId);

// Windows version as GetVersionEx reports it.
struct OsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t platform = 0;  // 1: the 9x line, 2: the NT line
};
constexpr uint32_t kPlatform9x = 1;
constexpr uint32_t kPlatformNt = 2;
bool AtLeast(const OsVersion& v, uint32_t platform, uint32_t major, uint32_t minor);
bool Exactly(const OsVersion& v, uint32_t platform, uint32_t major, uint32_t minor);

// Tray icon resource: the 256-colour one where visual styles exist, else the 16-colour one.
int TrayIconId(const OsVersion& v);
// Whether the tray can show balloon tips.
bool HasBalloons(const OsVersion& v);

// What a tray notification asks for. lParam 0x8064 is a second copy's notice.
constexpr uint32_t kSecondCopyNotice = 0x8064;
enum class TrayAction { None, OpenConfiguration, ShowMenu, ShowBalloon };
TrayAction DecideTrayEvent(bool busy, uint32_t event, const OsVersion& v);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
// The property sheet's help button: under the tab control's left edge, level with OK.
Rect HelpButtonRect(const Rect& tabControl, const Rect& okButton);
// A window of the size of `window` centred on `workArea`; one larger than the work area
// keeps its top left corner inside it, so its caption stays reachable.
Rect CentreIn(const Rect& window, const Rect& workArea);

// "C:\Program Files\kqel.exe" -> "kqel": message box captions and help file names.
std::string ProgramTitle(const std::string& exePath);
// The folder of the program, without the trailing backslash.
std::string ProgramFolder(const std::string& exePath);

}  // namespace kq
