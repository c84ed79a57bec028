#include "monitor/settings/ini_store_win.h"

#include <windows.h>

#include <vector>

#include "monitor/settings/settings_file.h"

namespace settings {

std::string IniProfileStore::Read(const char* section, const char* key, const char* fallback) {
    std::vector<char> buf(256);
    for (;;) {
        const DWORD n = GetPrivateProfileStringA(section, key, fallback, buf.data(),
                                                 static_cast<DWORD>(buf.size()), path_.c_str());
        // A value that fills the buffer may have been cut short: read it again, larger.
        if (n + 1 < buf.size() || buf.size() >= 65536) return std::string(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

void IniProfileStore::Write(const char* section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str());
}

std::string SettingsPathOfThisProgram() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return SettingsPathFor(std::string());
        if (n < buf.size()) return SettingsPathFor(std::string(buf.data(), n));
        if (buf.size() >= 32768) return SettingsPathFor(std::string(buf.data(), n));
        buf.resize(buf.size() * 2);
    }
}

}  // namespace settings
