// An in-memory registry for the settings tests: keys by path, values by name; keys can be
// made to refuse opening.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>

#include "keyblocker/registry.h"

namespace kqtest {

class FakeRegistry : public kq::Registry {
public:
    using Values = std::map<std::string, kq::RegValue>;
    std::map<std::string, Values> keys;
    std::set<std::string> locked;  // paths that cannot be opened or created
    int writes = 0;

    std::unique_ptr<kq::RegKey> Open(const char* path, bool) override {
        if (locked.count(path) || !keys.count(path)) return nullptr;
        return std::make_unique<Key>(*this, keys[path]);
    }
    std::unique_ptr<kq::RegKey> Create(const char* path) override {
        if (locked.count(path)) return nullptr;
        return std::make_unique<Key>(*this, keys[path]);
    }

    const kq::RegValue* Find(const std::string& path, const std::string& name) const {
        auto k = keys.find(path);
        if (k == keys.end()) return nullptr;
        auto v = k->second.find(name);
        return v == k->second.end() ? nullptr : &v->second;
    }

private:
    class Key : public kq::RegKey {
    public:
        Key(FakeRegistry& owner, Values& values) : m_owner(owner), m_values(values) {}
        bool Query(const char* name, kq::RegValue& out) override {
            auto it = m_values.find(name);
            if (it == m_values.end()) return false;
            out = it->second;
            return true;
        }
        bool Set(const char* name, const kq::RegValue& value) override {
            ++m_owner.writes;
            m_values[name] = value;
            return true;
        }
        bool Delete(const char* name) override { return m_values.erase(name) > 0; }

    private:
        FakeRegistry& m_owner;
        Values& m_values;
    };
};

inline kq::RegValue Dword(uint32_t v) {
    return {kq::kRegDword, {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}};
}
inline kq::RegValue Binary64(int64_t t) {
    kq::RegValue r{kq::kRegBinary, {}};
    for (int i = 0; i < 8; ++i) r.data.push_back(uint8_t(uint64_t(t) >> (8 * i)));
    return r;
}
inline kq::RegValue Text(const std::string& s) {
    kq::RegValue r{kq::kRegSz, {s.begin(), s.end()}};
    r.data.push_back(0);
    return r;
}

}  // namespace kqtest
