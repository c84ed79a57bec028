#include "monitor/details/system_probe_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include "monitor/metrics/ip_functions.h"
#include "monitor/ui/handles.h"

namespace details {

namespace {
struct RegKeyTraits {
    static void Free(HKEY k) { RegCloseKey(k); }
};
using RegKey = ui::Handle<HKEY, RegKeyTraits>;
struct PidlTraits {
    static void Free(LPITEMIDLIST p) { CoTaskMemFree(p); }
};
using Pidl = ui::Handle<LPITEMIDLIST, PidlTraits>;

std::string ReadRegistryString(HKEY root, const char* path, const char* value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::string();
    const RegKey key(opened);
    std::string out;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), value, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0 && size < 65536) {
        std::string buf(size + 1, '\0');
        DWORD got = size;
        if (RegQueryValueExA(key.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(&buf[0]), &got) ==
            ERROR_SUCCESS) {
            buf.resize(got < buf.size() ? got : buf.size());
            while (!buf.empty() && buf.back() == '\0') buf.pop_back();
            out = buf;
            if (type == REG_EXPAND_SZ && out.find('%') != std::string::npos) {
                char expanded[MAX_PATH * 2];
                const DWORD n = ExpandEnvironmentStringsA(out.c_str(), expanded, sizeof expanded);
                if (n > 0 && n <= sizeof expanded) out = expanded;
            }
        }
    }
    return out;
}

std::string FromBuffer(const char* buf, UINT n, UINT room) {
    return n > 0 && n < room ? std::string(buf, n) : std::string();
}
}  // namespace

OsVersion ReadOsVersion() {
    OsVersion v;
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
        v.extended = true;
        v.productType = ex.wProductType;
        v.suiteMask = ex.wSuiteMask;
    } else {
        // Systems before Windows 2000 (and NT4 before its Service Pack 6) know only the short form.
        ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) return v;
    }
    v.platformId = ex.dwPlatformId;
    v.major = ex.dwMajorVersion;
    v.minor = ex.dwMinorVersion;
    v.build = ex.dwBuildNumber;
    v.csd.assign(ex.szCSDVersion, strnlen(ex.szCSDVersion, sizeof ex.szCSDVersion));
    return v;
}

std::string ReadProductOptions() {
    return ReadRegistryString(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions",
                              "ProductType");
}

std::vector<std::string> ReadSystemLines() { return SystemLines(ReadOsVersion(), ReadProductOptions()); }

TickSource::TickSource() {
    if (HMODULE k = GetModuleHandleA("kernel32.dll"))
        tick64_ = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(k, "GetTickCount64")));
}

uint64_t TickSource::Milliseconds() const { return tick64_ ? tick64_() : GetTickCount(); }

std::string SystemFolderSource::RegistryValue(const char* value) {
    return ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", value);
}

std::string SystemFolderSource::WindowsDirectory() {
    char buf[MAX_PATH];
    return FromBuffer(buf, GetWindowsDirectoryA(buf, MAX_PATH), MAX_PATH);
}

std::string SystemFolderSource::SystemDirectory() {
    char buf[MAX_PATH];
    return FromBuffer(buf, GetSystemDirectoryA(buf, MAX_PATH), MAX_PATH);
}

std::string SystemFolderSource::TempPath() {
    char buf[MAX_PATH + 1];
    return FromBuffer(buf, GetTempPathA(sizeof buf, buf), sizeof buf);
}

std::string SystemFolderSource::SpecialFolder(int csidl) {
    LPITEMIDLIST got = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &got))) return std::string();
    const Pidl pidl(got);
    char buf[MAX_PATH] = "";
    if (!pidl || !SHGetPathFromIDListA(pidl.get(), buf)) return std::string();
    return buf;
}

void ShellFolderOpener::Explore(const std::string& location) {
    ShellExecuteA(nullptr, "explore", location.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::vector<InterfaceRow> ReadInterfaceRows() {
    std::vector<InterfaceRow> rows;
    metrics::IfTablePtr table;
    uint32_t size = 0;
    metrics::GetInterfaceTable(table, size, true);
    if (!table || size < offsetof(MIB_IFTABLE, table)) return rows;
    const uint32_t room = (size - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW);
    const uint32_t n = table->dwNumEntries < room ? table->dwNumEntries : room;
    rows.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        const MIB_IFROW& r = table->table[i];
        rows.push_back({r.dwIndex, metrics::InterfaceDescription(r), r.dwInOctets, r.dwOutOctets});
    }
    return rows;
}

std::vector<AddressRow> ReadAddressRows() {
    std::vector<AddressRow> rows;
    metrics::IpAddrTablePtr table;
    uint32_t size = 0;
    metrics::GetAddressTable(table, size, true);
    if (!table || size < offsetof(MIB_IPADDRTABLE, table)) return rows;
    const uint32_t room = (size - offsetof(MIB_IPADDRTABLE, table)) / sizeof(MIB_IPADDRROW);
    const uint32_t n = table->dwNumEntries < room ? table->dwNumEntries : room;
    rows.reserve(n);
    for (uint32_t i = 0; i < n; ++i) rows.push_back({table->table[i].dwIndex, table->table[i].dwAddr});
    return rows;
}

namespace {
HICON FirstIcon(const std::string& path, UINT index) {
    HICON icon = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), index);
    // ExtractIcon answers 1 for a file that is not an executable or icon file.
    return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

std::string InFolder(UINT(WINAPI* folder)(LPSTR, UINT), const char* file) {
    char dir[MAX_PATH];
    const UINT n = folder(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::string();
    std::string path(dir, n);
    if (path.back() != '\\') path += '\\';
    return path + file;
}
}  // namespace

ui::Icon FirstIconOf(const std::string& path) { return ui::Icon(path.empty() ? nullptr : FirstIcon(path, 0)); }

ui::Icon ComputerIcon() { return FirstIconOf(InFolder(GetWindowsDirectoryA, "explorer.exe")); }

}  // namespace details
