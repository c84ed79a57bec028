// The settings file object: typed reads and writes of single keys over a ProfileStore.
//
// Reading rules: integers are decimal text with an optional sign; booleans are integers,
// non-zero meaning true; colours are integers holding 0x00BBGGRR as signed decimal. A missing
// key or a malformed value gives the caller's default. Nothing is range-checked here.
#pragma once
#include <cstdint>
#include <string>

#include "monitor/settings/profile_store.h"

namespace settings {

using Colour = std::uint32_t;  // 0x00BBGGRR

// Parses decimal text (leading blanks, an optional sign, digits, trailing blanks) into a
// 32-bit integer; false for anything else, including values out of the 32-bit range.
bool ParseInteger(const std::string& text, std::int32_t& value);
std::string FormatInteger(std::int32_t value);

// Opacity values are taken modulo 256 (300 gives 44, -1 gives 255).
std::uint8_t OpacityFromSetting(std::int32_t value);

enum class NetworkDisplay { Normal, Small, Big };
// "Normal" and "Big" select their modes; any other text (also "Small" or none) Small.
NetworkDisplay ParseNetworkDisplay(const std::string& text);
const char* NetworkDisplayName(NetworkDisplay mode);

// The settings file name beside the given executable path.
std::string SettingsPathFor(const std::string& executablePath);

class SettingsFile {
public:
    explicit SettingsFile(ProfileStore& store) : store_(&store) {}

    std::string ReadString(const char* section, const char* key, const std::string& def) const;
    std::int32_t ReadInteger(const char* section, const char* key, std::int32_t def) const;
    bool ReadBool(const char* section, const char* key, bool def) const;
    Colour ReadColour(const char* section, const char* key, Colour def) const;

    void WriteString(const char* section, const char* key, const std::string& value);
    void WriteInteger(const char* section, const char* key, std::int32_t value);
    void WriteBool(const char* section, const char* key, bool value);
    void WriteColour(const char* section, const char* key, Colour value);

    ProfileStore& Store() const { return *store_; }

private:
    ProfileStore* store_;
};

}  // namespace settings
