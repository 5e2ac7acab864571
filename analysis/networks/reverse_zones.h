#pragma once

// The reverse-DNS zones a network's addresses are delegated in. A zone ends
// at a label: an octet of IPv4, a hexadecimal digit of IPv6. A network whose
// length falls between labels is covered by the zones one label further on;
// an IPv4 network smaller than a /24 by the classless name of RFC 2317.

#include "networks/ip_block.h"

#include <string>
#include <vector>

namespace quellan {

// Fully qualified, final dot included, in address order: "in-addr.arpa." for
// 0.0.0.0/0, "92.193.in-addr.arpa." for 193.92.0.0/16, the four /24 zones of a
// /22, "0-63.150.92.193.in-addr.arpa." for 193.92.150.0/26, the PTR name for a
// single address. At most 128 zones (an IPv4 /1).
std::vector<std::string> reverseZones(const Block& network);

} // namespace quellan
