// The registry seam over the Windows registry (HKEY_CURRENT_USER).
#pragma once
#include "keyblocker/registry.h"

namespace kq {

class WinRegistry : public Registry {
public:
    std::unique_ptr<RegKey> Open(const char* path, bool write) override;
    std::unique_ptr<RegKey> Create(const char* path) override;
};

}  // namespace kq
