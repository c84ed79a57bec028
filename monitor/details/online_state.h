#pragma once
// The address watcher's decisions: which address is the machine's local address, whether
// that counts as online, and when the online state flips.
#include <string>
#include <vector>

#include "monitor/details/adapters.h"

namespace details {

// Online: an address that is neither empty nor the loopback address.
bool IsOnline(const std::string& address);

// The local IPv4 address: the first address of the table that is neither 0.0.0.0 nor on the
// loopback network, else "127.0.0.1" when the table has it, else empty.
std::string LocalAddress(const std::vector<AddressRow>& addresses);

// The online state as the watcher sees it, one reading a second. The first reading only sets
// the state (the list was built from the same machine a moment before); every later change of
// state reports a flip.
class OnlineState {
public:
    // Takes a reading; true when the online state flipped.
    bool Update(const std::string& address);
    bool Online() const { return online_; }
    bool Known() const { return known_; }

private:
    bool known_ = false;
    bool online_ = false;
};

}  // namespace details
