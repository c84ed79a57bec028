#include "monitor/metrics/ip_tables.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "monitor/metrics/errors.h"

namespace metrics {

namespace {
constexpr uint32_t kNotSupported = 50;
constexpr uint32_t kInvalidParameter = 87;
constexpr uint32_t kInsufficientBuffer = 122;
constexpr uint32_t kNoData = 232;

std::string Substitute(const char* pattern, const char* function) {
    std::string s(pattern);
    const size_t at = s.find("%s");
    if (at != std::string::npos) s.replace(at, 2, function ? function : "");
    return s;
}
}  // namespace

uint32_t InterfaceRowsInBlock(uint32_t numEntries, size_t size) {
    const size_t room = size >= iftable::kHeaderSize ? (size - iftable::kHeaderSize) / iftable::kRowSize : 0;
    return numEntries < room ? numEntries : static_cast<uint32_t>(room);
}

namespace detail {
uint32_t LoadU32(const void* block, size_t offset) {
    uint32_t v;
    std::memcpy(&v, static_cast<const uint8_t*>(block) + offset, sizeof v);
    return v;
}
}  // namespace detail

std::string IpHelperErrorMessage(const char* function, uint32_t code) {
    switch (code) {
    case kNotSupported: return Substitute("Function %s is not supported by the operating system.", function);
    case kInvalidParameter: return Substitute("Function %s. Invalid parameter", function);
    case kNoData:
        return Substitute("Function %s. No adapter information exists for the local computer.", function);
    default: return std::string();
    }
}

std::string Win32ErrorText(uint32_t lastError, const std::string& systemMessage) {
    if (lastError == 0) return "A Win32 API function failed";
    char head[64];
    std::snprintf(head, sizeof head, "Win32 Error.  Code: %d.\n", static_cast<int>(lastError));
    return head + systemMessage;
}

void RaiseIpHelperError(const char* function, uint32_t code, uint32_t lastError,
                        const std::string& systemMessage) {
    const std::string message = IpHelperErrorMessage(function, code);
    if (!message.empty()) throw EIpHlpError(message);
    throw EWin32Error(lastError, Win32ErrorText(lastError, systemMessage));
}

IpTableBlock ReadIpTable(const char* function, IpTableApi& api, bool sorted, uint32_t& size) {
    IpTableBlock block;
    size = 0;
    uint32_t code = api.Call(nullptr, &size, sorted);
    if (code == kInsufficientBuffer) {
        block.reset(std::calloc(size ? size : 1, 1));
        if (!block) throw std::bad_alloc();
        code = api.Call(block.get(), &size, sorted);
    }
    if (code != 0) {
        // The last error is taken before anything else runs (freeing the block may touch it).
        const uint32_t last = api.LastError();
        const std::string text = last ? api.SystemMessage(last) : std::string();
        block.reset();  // freed on the failure path as well
        RaiseIpHelperError(function, code, last, text);
    }
    return block;
}

}  // namespace metrics
