#pragma once

// The name a reverse DNS (PTR) look-up of an address asks for, the same
// field in the results of both families.

#include "addresses/ip_address.h"

#include <string>
#include <string_view>

namespace quellan {

inline constexpr std::string_view kReverseDnsCaption = "Reverse DNS";
inline constexpr std::string_view kReverseDnsKey = "reverseDns";

// "10.1.168.192.in-addr.arpa." for 192.168.1.10 (RFC 1035), and for IPv6 the
// 32 hexadecimal digits last first, each followed by a dot, then "ip6.arpa."
// (RFC 3596). Fully qualified: the final dot is part of the name.
void appendReverseDns(std::string& out, const IpAddress& address);

} // namespace quellan
