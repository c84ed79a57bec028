// The program's settings store: an INI file read and written one key at a time through the
// profile string functions. Nothing is cached; every write reaches the file at once.
#pragma once
#include <string>

#include "monitor/settings/profile_store.h"

namespace settings {

class IniProfileStore final : public ProfileStore {
public:
    explicit IniProfileStore(std::string path) : path_(std::move(path)) {}
    std::string Read(const char* section, const char* key, const char* fallback) override;
    void Write(const char* section, const char* key, const std::string& value) override;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// "Statwell.ini" in the folder of the running executable.
std::string SettingsPathOfThisProgram();

}  // namespace settings
