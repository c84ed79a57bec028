#include "keyblocker/registry_win.h"

#include <windows.h>

namespace kq {
namespace {

class WinRegKey : public RegKey {
public:
    explicit WinRegKey(HKEY key) : m_key(key) {}
    ~WinRegKey() override { RegCloseKey(m_key); }
    WinRegKey(const WinRegKey&) = delete;
    WinRegKey& operator=(const WinRegKey&) = delete;

    bool Query(const char* name, RegValue& out) override {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
        out.type = type;
        out.data.assign(size, 0);
        if (size == 0) return true;
        if (RegQueryValueExA(m_key, name, nullptr, &type, out.data.data(), &size) != ERROR_SUCCESS)
            return false;
        out.type = type;
        out.data.resize(size);
        return true;
    }

    bool Set(const char* name, const RegValue& value) override {
        return RegSetValueExA(m_key, name, 0, value.type, value.data.data(),
                              static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
    }

    bool Delete(const char* name) override { return RegDeleteValueA(m_key, name) == ERROR_SUCCESS; }

private:
    HKEY m_key;
};

}  // namespace

std::unique_ptr<RegKey> WinRegistry::Open(const char* path, bool write) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, write ? KEY_WRITE | KEY_READ : KEY_READ, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WinRegKey>(key);
}

std::unique_ptr<RegKey> WinRegistry::Create(const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WinRegKey>(key);
}

}  // namespace kq
