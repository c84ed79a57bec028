#pragma once
// IPFunctions: the system's interface table and IPv4 address table through the IP helper
// API (Windows side). Tables are freed by their smart pointer.
//
//   metrics::IfTablePtr table; uint32_t size;
//   metrics::GetInterfaceTable(table, size, true);       // throws EIpHlpError / EWin32Error
//   if (table) for (DWORD i = 0; i < table->dwNumEntries; ++i) use(table->table[i]);
//
//   metrics::Octets o;  metrics::ReadOctets(adapterChoice, o);   // the tick's counters
#include <windows.h>
#include <iphlpapi.h>

#include <cstdint>
#include <memory>
#include <string>

#include "monitor/metrics/errors.h"
#include "monitor/metrics/ip_tables.h"

namespace metrics {

using IfTablePtr = std::unique_ptr<MIB_IFTABLE, FreeDeleter>;
using IpAddrTablePtr = std::unique_ptr<MIB_IPADDRTABLE, FreeDeleter>;

// GetIfTable: `table` is null when the first call already succeeded.
void GetInterfaceTable(IfTablePtr& table, uint32_t& size, bool sorted);
// GetIpAddrTable, likewise.
void GetAddressTable(IpAddrTablePtr& table, uint32_t& size, bool sorted);

// Raises the error for a failed IP helper call (reads GetLastError for the fallback text).
[[noreturn]] void RaiseIpHelperError(const char* function, uint32_t code);

// Reads the sorted interface table and applies SelectOctets; a missing table leaves
// `octets` unchanged. Throws like GetInterfaceTable.
void ReadOctets(int32_t choice, Octets& octets);

// The interface description: the first dwDescrLen bytes of bDescr (at most its size).
std::string InterfaceDescription(const MIB_IFROW& row);

}  // namespace metrics
