#include "monitor/settings/settings_file.h"

#include <limits>

namespace settings {

bool ParseInteger(const std::string& text, std::int32_t& value) {
    std::size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == n) return false;
    std::int64_t v = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > std::int64_t{1} << 31) return false;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max() || v < std::numeric_limits<std::int32_t>::min())
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

std::string FormatInteger(std::int32_t value) { return std::to_string(value); }

std::uint8_t OpacityFromSetting(std::int32_t value) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu);
}

NetworkDisplay ParseNetworkDisplay(const std::string& text) {
    if (text == "Normal") return NetworkDisplay::Normal;
    if (text == "Big") return NetworkDisplay::Big;
    return NetworkDisplay::Small;
}

const char* NetworkDisplayName(NetworkDisplay mode) {
    switch (mode) {
    case NetworkDisplay::Normal: return "Normal";
    case NetworkDisplay::Big: return "Big";
    case NetworkDisplay::Small: break;
    }
    return "Small";
}

std::string SettingsPathFor(const std::string& executablePath) {
    const std::size_t slash = executablePath.find_last_of("\\/");
    const std::string folder =
        slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
    return folder + "Statwell.ini";
}

std::string SettingsFile::ReadString(const char* section, const char* key, const std::string& def) const {
    return store_->Read(section, key, def.c_str());
}

std::int32_t SettingsFile::ReadInteger(const char* section, const char* key, std::int32_t def) const {
    std::int32_t v;
    return ParseInteger(store_->Read(section, key, ""), v) ? v : def;
}

bool SettingsFile::ReadBool(const char* section, const char* key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

Colour SettingsFile::ReadColour(const char* section, const char* key, Colour def) const {
    return static_cast<Colour>(ReadInteger(section, key, static_cast<std::int32_t>(def)));
}

void SettingsFile::WriteString(const char* section, const char* key, const std::string& value) {
    store_->Write(section, key, value);
}

void SettingsFile::WriteInteger(const char* section, const char* key, std::int32_t value) {
    store_->Write(section, key, FormatInteger(value));
}

void SettingsFile::WriteBool(const char* section, const char* key, bool value) {
    store_->Write(section, key, value ? "1" : "0");
}

void SettingsFile::WriteColour(const char* section, const char* key, Colour value) {
    WriteInteger(section, key, static_cast<std::int32_t>(value));
}

}  // namespace settings
