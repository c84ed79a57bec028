// kqel's settings record: blocking mode, start with Windows, the taskbar window that hears
// the hook messages and the time of the last completed update check.
#pragma once
#include <cstdint>
#include <string>

#include "keyblocker/registry.h"

struct HWND__;  // the window handle type of <windows.h>, without including it

namespace kq {

constexpr const char* kSettingsKey = "Software\\Velmora\\KQeL";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "Keyquell";
constexpr const char* kWhenToBlockValue = "WhenToBlock";
constexpr const char* kLastUpdateValue = "LastUpdate";

// A first run finds its last update check this far back, so a check is due at once.
constexpr int64_t kFirstRunAge = 31 * 86400;

}  // namespace kq

class CConfiguration {
public:
    // now: seconds since 1970 UTC; taskbar: the shell's taskbar window (null when there is
    // none); exePath: the program's own full path, written as the Run value.
    CConfiguration(kq::Registry& registry, int64_t now, HWND__* taskbar, std::string exePath);

    // Reads the stored values over the current ones; anything missing or malformed is
    // left as it was.
    void Load();
    // Writes every value; failures are silent.
    void Save() const;

    int32_t m_nWhenToBlock = 1;  // 0 never, 1 full-screen games, 2 any full-screen window, 3 always
    bool m_bRunAtStartup = true;
    HWND__* m_hTaskbarWnd = nullptr;
    int64_t m_tLastUpdate = 0;

private:
    kq::Registry& m_registry;
    std::string m_strExePath;
};
