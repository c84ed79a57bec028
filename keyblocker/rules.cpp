#include "keyblocker/rules.h"

namespace kq {
namespace {
// The radio buttons in the order they stand in the dialog.
constexpr int kRadioOrder[4] = {1004, 1002, 1003, 1001};
}  // namespace

bool IsUpdateDue(int64_t now, int64_t lastUpdate) {
    // A last check in the future gives a negative day count: never due.
    if (lastUpdate > now) return false;
    // The stored time is any 8 bytes: the difference is taken without signed overflow.
    const uint64_t elapsed = static_cast<uint64_t>(now) - static_cast<uint64_t>(lastUpdate);
    return elapsed / 86400 > 29;
}

int ModeFromRadio(int controlId) {
    for (int i = 0; i < 4; ++i)
        if (kRadioOrder[i] == controlId) return i;
    return -1;
}

int RadioFromMode(int mode) { return mode >= 0 && mode < 4 ? kRadioOrder[mode] : 0; }

uint32_t HelpIdOf(int controlId) {
    return controlId >= 1000 && controlId <= 1004 ? 0x80660000u + static_cast<uint32_t>(controlId) : 0;
}

bool AtLeast(const OsVersion& v, uint32_t platform, uint32_t major, uint32_t minor) {
    return v.platform == platform && (v.major > major || (v.major == major && v.minor >= minor));
}

bool Exactly(const OsVersion& v, uint32_t platform, uint32_t major, uint32_t minor) {
    return v.platform == platform && v.major == major && v.minor == minor;
}

int TrayIconId(const OsVersion& v) {
    return AtLeast(v, kPlatformNt, 5, 1) || Exactly(v, kPlatform9x, 4, 90) ? 140 : 138;
}

bool HasBalloons(const OsVersion& v) {
    return AtLeast(v, kPlatformNt, 5, 0) || Exactly(v, kPlatform9x, 4, 90);
}

TrayAction DecideTrayEvent(bool busy, uint32_t event, const OsVersion& v) {
    if (busy) return TrayAction::None;
    switch (event) {
    case 0x203:  // WM_LBUTTONDBLCLK
        return TrayAction::OpenConfiguration;
    case 0x204:  // WM_RBUTTONDOWN
        return TrayAction::ShowMenu;
    case kSecondCopyNotice: return HasBalloons(v) ? TrayAction::ShowBalloon : TrayAction::OpenConfiguration;
    default: return TrayAction::None;
    }
}

Rect CentreIn(const Rect& window, const Rect& workArea) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int left = workArea.left + ((workArea.right - workArea.left) - width) / 2;
    int top = workArea.top + ((workArea.bottom - workArea.top) - height) / 2;
    if (left < workArea.left) left = workArea.left;
    if (top < workArea.top) top = workArea.top;
    return Rect{left, top, left + width, top + height};
}

Rect HelpButtonRect(const Rect& tabControl, const Rect& okButton) {
    return Rect{tabControl.left, okButton.top, tabControl.left + 33, okButton.top + 25};
}

std::string ProgramTitle(const std::string& exePath) {
    const auto slash = exePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot != 0) name.resize(dot);
    return name;
}

std::string ProgramFolder(const std::string& exePath) {
    const auto slash = exePath.find_last_of('\\');
    return slash == std::string::npos ? std::string() : exePath.substr(0, slash);
}

}  // namespace kq
