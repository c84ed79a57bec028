#include "monitor/details/online_state.h"

namespace details {

bool IsOnline(const std::string& a) { return !a.empty() && a != "127.0.0.1"; }

std::string LocalAddress(const std::vector<AddressRow>& addresses) {
    bool loopback = false;
    for (const AddressRow& r : addresses) {
        if (r.addr == 0) continue;
        if ((r.addr & 0xFF) == 127) {
            loopback = true;
            continue;
        }
        return DottedAddress(r.addr);
    }
    return loopback ? "127.0.0.1" : std::string();
}

bool OnlineState::Update(const std::string& address) {
    const bool now = IsOnline(address);
    const bool flipped = known_ && now != online_;
    known_ = true;
    online_ = now;
    return flipped;
}

}  // namespace details
