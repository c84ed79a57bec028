#include "monitor/settings/profile_store.h"

#include <cctype>
#include <cstring>

namespace settings {
namespace {

bool SameName(const std::string& a, const char* b) {
    const std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

}  // namespace

MemoryProfileStore::Section* MemoryProfileStore::Find(const char* section) {
    for (auto& s : sections_)
        if (SameName(s.name, section)) return &s;
    return nullptr;
}

std::string MemoryProfileStore::Read(const char* section, const char* key, const char* fallback) {
    if (Section* s = Find(section)) {
        for (auto& kv : s->keys)
            if (SameName(kv.first, key)) return kv.second;
    }
    return fallback;
}

void MemoryProfileStore::Write(const char* section, const char* key, const std::string& value) {
    ++writes_;
    Section* s = Find(section);
    if (!s) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    for (auto& kv : s->keys) {
        if (SameName(kv.first, key)) {
            kv.second = value;
            return;
        }
    }
    s->keys.emplace_back(key, value);
}

std::string MemoryProfileStore::Text() const {
    std::string out;
    for (const auto& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const auto& kv : s.keys) out += kv.first + "=" + kv.second + "\r\n";
    }
    return out;
}

void MemoryProfileStore::Parse(const std::string& text) {
    std::string current;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
            if (!Find(current.c_str())) sections_.push_back(Section{current, {}});
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || current.empty()) continue;
        Write(current.c_str(), Trim(line.substr(0, eq)).c_str(), Trim(line.substr(eq + 1)));
        --writes_;
    }
}

}  // namespace settings
