#include "monitor/details/adapters.h"

#include <cstdio>
#include <cstring>

namespace details {

uint64_t KBCount(uint64_t bytes) { return bytes / 1024 + (bytes % 1024 ? 1 : 0); }

void KBText(uint64_t bytes, char* out, std::size_t size) {
    if (size) std::snprintf(out, size, "%llu", static_cast<unsigned long long>(KBCount(bytes)));
}

std::string KBText(uint64_t bytes) {
    char buf[24];
    KBText(bytes, buf, sizeof buf);
    return buf;
}

std::string DottedAddress(uint32_t a) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", a & 0xFF, (a >> 8) & 0xFF, (a >> 16) & 0xFF, a >> 24);
    return buf;
}

void AdapterRows::Rebuild(const std::vector<InterfaceRow>& interfaces,
                          const std::vector<AddressRow>& addresses) {
    rows_.clear();
    rows_.reserve(interfaces.size());
    for (const InterfaceRow& i : interfaces) {
        AdapterRow r;
        r.description = i.description;
        r.index = i.index;
        // The counters just read are the starting point of the next reading, so a reset before
        // the next tick restarts from them and not from zero.
        r.lastIn = i.inOctets;
        r.lastOut = i.outOctets;
        r.totalIn = i.inOctets;
        r.totalOut = i.outOctets;
        KBText(r.totalIn, r.received, sizeof r.received);
        KBText(r.totalOut, r.sent, sizeof r.sent);
        rows_.push_back(std::move(r));
    }
    for (const AddressRow& a : addresses)
        for (AdapterRow& r : rows_)
            if (r.index == a.index) r.address = DottedAddress(a.addr);
}

bool AdapterRows::Take(AdapterRow& r, uint32_t in, uint32_t out) {
    r.totalIn += static_cast<uint32_t>(in - r.lastIn);  // the counter wraps at 2^32
    r.totalOut += static_cast<uint32_t>(out - r.lastOut);
    r.lastIn = in;
    r.lastOut = out;
    char received[sizeof r.received], sent[sizeof r.sent];
    KBText(r.totalIn, received, sizeof received);
    KBText(r.totalOut, sent, sizeof sent);
    if (!std::strcmp(received, r.received) && !std::strcmp(sent, r.sent)) return false;
    std::memcpy(r.received, received, sizeof received);
    std::memcpy(r.sent, sent, sizeof sent);
    return true;
}

void AdapterRows::ResetTotals() {
    for (AdapterRow& r : rows_) {
        r.baseIn = r.lastIn;
        r.baseOut = r.lastOut;
        r.totalIn = r.totalOut = 0;
        std::strcpy(r.received, "0");
        std::strcpy(r.sent, "0");
    }
}

void AdapterRows::Mark(int32_t choice) {
    const uint32_t at = static_cast<uint32_t>(choice);
    const bool all = at >= rows_.size();
    for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i].image = all || i == at ? kRateMark : kNoImage;
}

}  // namespace details
