#pragma once
// The facts System Details gathers from the running system (Windows side): the version, the
// product options, the running time, the special folders and the network tables.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "monitor/details/adapters.h"
#include "monitor/details/adapters_list.h"
#include "monitor/details/folders.h"
#include "monitor/details/general_info.h"
#include "monitor/ui/handles.h"

namespace details {

// GetVersionEx, with the product type and suites where the system answers OSVERSIONINFOEX.
OsVersion ReadOsVersion();
// HKEY_LOCAL_MACHINE System\CurrentControlSet\Control\ProductOptions, "ProductType"; empty
// when it cannot be read.
std::string ReadProductOptions();
// The lines of mmoSystem for this system.
std::vector<std::string> ReadSystemLines();

// Milliseconds since the system started.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint64_t Milliseconds() const = 0;
};
// GetTickCount64 where the system has it (it does not wrap after 49.7 days), else GetTickCount.
class TickSource final : public Clock {
public:
    TickSource();
    uint64_t Milliseconds() const override;

private:
    using Fn = ULONGLONG(WINAPI*)();
    Fn tick64_ = nullptr;
};

// The locations of the special folders on this system.
class SystemFolderSource final : public FolderSource {
public:
    std::string RegistryValue(const char* value) override;
    std::string WindowsDirectory() override;
    std::string SystemDirectory() override;
    std::string TempPath() override;
    std::string SpecialFolder(int csidl) override;
};

// Opens a folder as "Open in Explorer" does; the shell's answer is ignored.
class FolderOpener {
public:
    virtual ~FolderOpener() = default;
    virtual void Explore(const std::string& location) = 0;
};
class ShellFolderOpener final : public FolderOpener {
public:
    void Explore(const std::string& location) override;
};

// The interface table (sorted by index) and the address table as the list needs them. An
// error of the table readers propagates.
std::vector<InterfaceRow> ReadInterfaceRows();
std::vector<AddressRow> ReadAddressRows();
class SystemNetworkTables final : public NetworkTables {
public:
    std::vector<InterfaceRow> Interfaces() override { return ReadInterfaceRows(); }
    std::vector<AddressRow> Addresses() override { return ReadAddressRows(); }
};

// The first icon of a file; empty when it has none or cannot be read.
ui::Icon FirstIconOf(const std::string& path);
// The first icon of explorer.exe in the Windows folder (the General tab's computer picture);
// empty when that file has none (Wine's has none).
ui::Icon ComputerIcon();

}  // namespace details
