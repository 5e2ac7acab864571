#include "addresses/reverse_dns.h"

#include "addresses/number_text.h"

namespace quellan {

void appendReverseDns(std::string& out, const IpAddress& address) {
    if (address.family == Family::IPv4) {
        const auto bits = static_cast<std::uint32_t>(address.bits);
        appendDottedDecimal(
            out, {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                  static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)});
        out.append(".in-addr.arpa.");
        return;
    }
    constexpr std::string_view kHex = "0123456789abcdef";
    constexpr std::size_t kNibbles = 32;
    const std::size_t start = out.size();
    out.resize(start + 2 * kNibbles);
    char* next = out.data() + start;
    Uint128 bits = address.bits;
    for (std::size_t i = 0; i < kNibbles; ++i) {
        *next++ = kHex[static_cast<std::size_t>(bits & 0xFU)];
        *next++ = '.';
        bits >>= 4;
    }
    out.append("ip6.arpa.");
}

} // namespace quellan
