// The registry as kqel's settings record sees it: keys under the current user's hive,
// opened by path, each closed when its object goes away. Windows has the real one
// (registry_win.cpp); tests use a map.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace kq {

enum : uint32_t { kRegSz = 1, kRegBinary = 3, kRegDword = 4 };

struct RegValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

class RegKey {
public:
    virtual ~RegKey() = default;
    // False when the value is missing or cannot be read.
    virtual bool Query(const char* name, RegValue& out) = 0;
    virtual bool Set(const char* name, const RegValue& value) = 0;
    virtual bool Delete(const char* name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key below HKEY_CURRENT_USER; null when that fails.
    virtual std::unique_ptr<RegKey> Open(const char* path, bool write) = 0;
    // Creates the key if needed and opens it for reading and writing; null when that fails.
    virtual std::unique_ptr<RegKey> Create(const char* path) = 0;
};

}  // namespace kq
