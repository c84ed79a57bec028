// Where the settings keys are kept: one key at a time, read and written at once.
//
// The program's store is the INI file beside the executable, reached through the profile
// string functions (profile_store_win.cpp). Tests use MemoryProfileStore, which keeps the
// same rules: names compared without regard to case, a new key appended at the end of its
// section, a new section appended at the end of the file, nothing ever deleted.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace settings {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The stored text of section/key, or fallback when the key is missing.
    virtual std::string Read(const char* section, const char* key, const char* fallback) = 0;
    // Stores value under section/key; a failed write is lost silently.
    virtual void Write(const char* section, const char* key, const std::string& value) = 0;
};

class MemoryProfileStore final : public ProfileStore {
public:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };

    std::string Read(const char* section, const char* key, const char* fallback) override;
    void Write(const char* section, const char* key, const std::string& value) override;

    const std::vector<Section>& Sections() const { return sections_; }
    // The file as the INI text format would hold it.
    std::string Text() const;
    // Fills the store from INI text (sections in brackets, name=value lines).
    void Parse(const std::string& text);
    int Writes() const { return writes_; }

private:
    Section* Find(const char* section);
    std::vector<Section> sections_;
    int writes_ = 0;
};

}  // namespace settings
