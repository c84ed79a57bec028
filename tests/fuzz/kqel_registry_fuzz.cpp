// kqel's registry values as anybody may have stored them: any type and any length of
// WhenToBlock, LastUpdate and the Run value. Loading never reads past a value, takes a mode
// only in 0..3 and a time only from 8 bytes; a save and a second load give the same record.
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "keyblocker/configuration.h"

namespace {

class Store : public kq::Registry {
public:
    std::map<std::string, std::map<std::string, kq::RegValue>> keys;
    std::unique_ptr<kq::RegKey> Open(const char* path, bool) override {
        if (!keys.count(path)) return nullptr;
        return std::make_unique<Key>(keys[path]);
    }
    std::unique_ptr<kq::RegKey> Create(const char* path) override {
        return std::make_unique<Key>(keys[path]);
    }

private:
    class Key : public kq::RegKey {
    public:
        explicit Key(std::map<std::string, kq::RegValue>& v) : m_values(v) {}
        bool Query(const char* name, kq::RegValue& out) override {
            auto it = m_values.find(name);
            if (it == m_values.end()) return false;
            out = it->second;
            return true;
        }
        bool Set(const char* name, const kq::RegValue& value) override {
            m_values[name] = value;
            return true;
        }
        bool Delete(const char* name) override { return m_values.erase(name) > 0; }

    private:
        std::map<std::string, kq::RegValue>& m_values;
    };
};

// Takes [type byte][length byte][bytes...] for one value; false when the input is used up.
bool NextValue(const uint8_t*& data, size_t& size, kq::RegValue& out) {
    if (size < 2) return false;
    out.type = data[0] % 8;
    size_t length = data[1] % 16;
    data += 2;
    size -= 2;
    if (length > size) length = size;
    out.data.assign(data, data + length);
    data += length;
    size -= length;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Store store;
    kq::RegValue v;
    const uint8_t present = size ? data[0] : 0;
    if (size) {
        ++data;
        --size;
    }
    if ((present & 1) && NextValue(data, size, v)) store.keys[kq::kSettingsKey][kq::kWhenToBlockValue] = v;
    if ((present & 2) && NextValue(data, size, v)) store.keys[kq::kSettingsKey][kq::kLastUpdateValue] = v;
    if ((present & 4) && NextValue(data, size, v)) store.keys[kq::kRunKey][kq::kRunValue] = v;
    if (present & 8) store.keys[kq::kRunKey];  // the Run key without the value

    const int64_t now = 1700000000;
    CConfiguration config(store, now, nullptr, "C:\\Program Files\\Keyquell\\kqel.exe");
    config.Load();
    if (config.m_nWhenToBlock < 0 || config.m_nWhenToBlock > 3) __builtin_trap();
    const auto* stored =
        store.keys.count(kq::kSettingsKey) && store.keys[kq::kSettingsKey].count(kq::kLastUpdateValue)
            ? &store.keys[kq::kSettingsKey][kq::kLastUpdateValue]
            : nullptr;
    const bool timeUsable = stored && stored->type == kq::kRegBinary && stored->data.size() == 8;
    if (!timeUsable && config.m_tLastUpdate != now - kq::kFirstRunAge) __builtin_trap();

    config.Save();
    CConfiguration again(store, now + 5, nullptr, "C:\\Program Files\\Keyquell\\kqel.exe");
    again.Load();
    if (again.m_nWhenToBlock != config.m_nWhenToBlock || again.m_bRunAtStartup != config.m_bRunAtStartup ||
        again.m_tLastUpdate != config.m_tLastUpdate)
        __builtin_trap();
    return 0;
}
