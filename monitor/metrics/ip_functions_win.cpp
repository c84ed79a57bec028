#include "monitor/metrics/ip_functions.h"

#include <string>

namespace metrics {

static_assert(offsetof(MIB_IFTABLE, table) == iftable::kHeaderSize, "interface table layout");
static_assert(sizeof(MIB_IFROW) == iftable::kRowSize, "interface row layout");
static_assert(offsetof(MIB_IFROW, dwIndex) == iftable::kIndexOffset, "interface row layout");
static_assert(offsetof(MIB_IFROW, dwInOctets) == iftable::kInOctetsOffset, "interface row layout");
static_assert(offsetof(MIB_IFROW, dwOutOctets) == iftable::kOutOctetsOffset, "interface row layout");

namespace {
std::string SystemMessageText(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s;
    if (n && text) s.assign(text, n);
    if (text) LocalFree(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

class IfTableApi : public IpTableApi {
public:
    uint32_t Call(void* buffer, uint32_t* size, bool sorted) override {
        ULONG n = *size;
        const DWORD rc = GetIfTable(static_cast<PMIB_IFTABLE>(buffer), &n, sorted);
        *size = n;
        return rc;
    }
    uint32_t LastError() override { return GetLastError(); }
    std::string SystemMessage(uint32_t code) override { return SystemMessageText(code); }
};

class IpAddrTableApi : public IfTableApi {
public:
    uint32_t Call(void* buffer, uint32_t* size, bool sorted) override {
        ULONG n = *size;
        const DWORD rc = GetIpAddrTable(static_cast<PMIB_IPADDRTABLE>(buffer), &n, sorted);
        *size = n;
        return rc;
    }
};
}  // namespace

void GetInterfaceTable(IfTablePtr& table, uint32_t& size, bool sorted) {
    IfTableApi api;
    table.reset(static_cast<MIB_IFTABLE*>(ReadIpTable("GetIfTable", api, sorted, size).release()));
}

void GetAddressTable(IpAddrTablePtr& table, uint32_t& size, bool sorted) {
    IpAddrTableApi api;
    table.reset(static_cast<MIB_IPADDRTABLE*>(ReadIpTable("GetIpAddrTable", api, sorted, size).release()));
}

void RaiseIpHelperError(const char* function, uint32_t code) {
    const DWORD last = GetLastError();
    RaiseIpHelperError(function, code, last, last ? SystemMessageText(last) : std::string());
}

void ReadOctets(int32_t choice, Octets& octets) {
    IfTablePtr table;
    uint32_t size = 0;
    GetInterfaceTable(table, size, true);
    if (!table) return;
    // Only rows that lie inside the block count.
    const uint32_t rows = InterfaceRowsInBlock(table->dwNumEntries, size);
    SelectOctets(choice, table->table, rows, octets);
}

std::string InterfaceDescription(const MIB_IFROW& row) {
    const size_t n = row.dwDescrLen < sizeof row.bDescr ? row.dwDescrLen : sizeof row.bDescr;
    return std::string(reinterpret_cast<const char*>(row.bDescr), n);
}

}  // namespace metrics
