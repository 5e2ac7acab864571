#pragma once

// IPv6 addresses as text: read in any form RFC 4291 allows, with an optional
// zone ("%eth0") and prefix length ("/64"), and written the one way RFC 5952
// recommends, or expanded to all 32 digits.

#include "addresses/ip_address.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quellan {

struct ParsedIpv6 {
    IpAddress address{Family::IPv6, 0};
    // 128 when the text gives none.
    std::int32_t prefixLength = 128;
    // What stood between '%' and the end or the '/', as written; it takes
    // no part in any result but the address itself.
    std::string zone;
    // Why the text is refused; empty when all of it was read.
    std::string reason;
};

// IPv4 text never holds a ':', so a text that does is meant as IPv6.
constexpr bool looksLikeIpv6(std::string_view text) {
    return text.find(':') != std::string_view::npos;
}

// "2001:db8::1", "::ffff:192.0.2.1/96", "fe80::1%eth0/64", upper or lower
// case, with blanks, tabs and line ends around it. Never throws and reads
// nothing outside `text`, whatever it holds.
ParsedIpv6 parseIpv6(std::string_view text);

// RFC 5952: lower case, no leading zeros, the first longest run of two or
// more zero groups as "::", and the last 32 bits dotted only for an
// IPv4-mapped address (::ffff:0:0/96).
void appendIpv6(std::string& out, Uint128 bits);

// Eight groups of four lower-case digits: "2001:0db8:0000:...:0001".
void appendExpandedIpv6(std::string& out, Uint128 bits);

} // namespace quellan
