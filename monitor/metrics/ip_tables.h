#pragma once
// Interface and address tables: the decisions, over plain data. ip_functions.h binds them
// to the IP helper API.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace metrics {

// Download (received) and upload (sent) byte counters of the chosen interface(s). Raw
// 32-bit values; turning two readings into a rate is the caller's job.
struct Octets {
    uint32_t down = 0;
    uint32_t up = 0;
};

// The octet rule. `choice` is the "Adapter" setting: a 0-based row position; any value past
// the last row (taken unsigned, so -1 too) means all interfaces, summed modulo 2^32.
// `Row` is anything with dwInOctets and dwOutOctets (MIB_IFROW on Windows).
// An empty table selects nothing and leaves `octets` unchanged.
template <class Row>
void SelectOctets(int32_t choice, const Row* rows, uint32_t numRows, Octets& octets) {
    if (numRows == 0) return;
    const uint32_t a = static_cast<uint32_t>(choice);
    if (a > numRows - 1) {
        uint32_t down = 0, up = 0;
        for (uint32_t i = 0; i < numRows; ++i) {
            down += static_cast<uint32_t>(rows[i].dwInOctets);
            up += static_cast<uint32_t>(rows[i].dwOutOctets);
        }
        octets.down = down;
        octets.up = up;
    } else {
        octets.down = static_cast<uint32_t>(rows[a].dwInOctets);
        octets.up = static_cast<uint32_t>(rows[a].dwOutOctets);
    }
}

// The interface table block as GetIfTable fills it (MIB_IFTABLE: a row count, then rows of
// MIB_IFROW), read without trusting the count: only rows that lie wholly inside the block are
// ever looked at.
namespace iftable {
constexpr size_t kHeaderSize = 4;     // dwNumEntries
constexpr size_t kRowSize = 860;      // sizeof(MIB_IFROW)
constexpr size_t kIndexOffset = 512;  // dwIndex, after the 256-character name
constexpr size_t kInOctetsOffset = 552;
constexpr size_t kOutOctetsOffset = 576;
}  // namespace iftable

// Rows of a table block of `size` bytes whose header claims `numEntries`: the smaller of the
// claim and the rows that fit.
uint32_t InterfaceRowsInBlock(uint32_t numEntries, size_t size);

struct InterfaceRow {
    uint32_t index = 0;      // dwIndex
    uint32_t inOctets = 0;   // dwInOctets
    uint32_t outOctets = 0;  // dwOutOctets
};

// The counters of every row of an interface table block that lies inside it, in order, each
// handed to `sink`; returns how many there were. A null block or one too short for its header
// has none.
template <class Sink>
uint32_t ForEachInterfaceRow(const void* block, size_t size, Sink&& sink);

// Message of EIpHlpError for `code` (50, 87, 232) with `function` in place of %s; empty
// for any other code.
std::string IpHelperErrorMessage(const char* function, uint32_t code);

// Text of the system error raised for other codes: "Win32 Error.  Code: %d.\n%s", or
// "A Win32 API function failed" when `lastError` is 0.
std::string Win32ErrorText(uint32_t lastError, const std::string& systemMessage);

// Throws EIpHlpError for the three known codes, else EWin32Error built from `lastError`.
[[noreturn]] void RaiseIpHelperError(const char* function, uint32_t code, uint32_t lastError,
                                     const std::string& systemMessage);

// A table block as the IP helper fills it (calloc'ed, freed with free()).
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
using IpTableBlock = std::unique_ptr<void, FreeDeleter>;

// The platform side of one table reader (GetIfTable or GetIpAddrTable).
class IpTableApi {
public:
    virtual ~IpTableApi() = default;
    virtual uint32_t Call(void* buffer, uint32_t* size, bool sorted) = 0;
    virtual uint32_t LastError() = 0;
    virtual std::string SystemMessage(uint32_t code) = 0;
};

// Reads a table: asks for its size, allocates exactly that (zero-filled) and fills it.
// Returns the block (null when the first call already succeeded) and sets `size`; on
// failure frees the block and raises as RaiseIpHelperError does.
IpTableBlock ReadIpTable(const char* function, IpTableApi& api, bool sorted, uint32_t& size);

namespace detail {
uint32_t LoadU32(const void* block, size_t offset);
}

template <class Sink>
uint32_t ForEachInterfaceRow(const void* block, size_t size, Sink&& sink) {
    if (!block || size < iftable::kHeaderSize) return 0;
    const uint32_t rows = InterfaceRowsInBlock(detail::LoadU32(block, 0), size);
    for (uint32_t i = 0; i < rows; ++i) {
        const size_t at = iftable::kHeaderSize + static_cast<size_t>(i) * iftable::kRowSize;
        InterfaceRow r;
        r.index = detail::LoadU32(block, at + iftable::kIndexOffset);
        r.inOctets = detail::LoadU32(block, at + iftable::kInOctetsOffset);
        r.outOctets = detail::LoadU32(block, at + iftable::kOutOctetsOffset);
        sink(r);
    }
    return rows;
}

}  // namespace metrics
