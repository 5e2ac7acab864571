#pragma once

// An address of either family as one unsigned number, so that what is worked
// out from an address and a prefix length (network, last address, counts,
// and later splitting and merging blocks) is written once for 32 and 128 bits.

#include <cstdint>
#include <string>

namespace quellan {

// GCC's and Clang's 128-bit integer; __extension__ keeps -Wpedantic quiet
// about a type the standard does not have.
__extension__ using Uint128 = unsigned __int128;

enum class Family { IPv4, IPv6 };

struct IpAddress {
    Family family = Family::IPv4;
    // An IPv4 address in the low 32 bits, the rest zero.
    Uint128 bits = 0;
};

constexpr std::int32_t familyBits(Family family) {
    return family == Family::IPv4 ? 32 : 128;
}

constexpr Uint128 allOnes(Family family) {
    return family == Family::IPv4 ? Uint128{0xFFFFFFFFU} : ~Uint128{0};
}

// The network mask of a prefix length; lengths outside the family's range
// count as its nearest end.
constexpr Uint128 prefixMask(Family family, std::int32_t length) {
    if (length <= 0)
        return 0;
    if (length >= familyBits(family))
        return allOnes(family);
    return allOnes(family) & ~(allOnes(family) >> length);
}

// Plain decimal digits of any 128-bit value.
void appendDecimal128(std::string& out, Uint128 value);

// 2^n in decimal for n from 0 to 128 (2^128 itself does not fit in a Uint128),
// the count of addresses in a block; n outside that range counts as its
// nearest end.
void appendPowerOfTwo(std::string& out, std::int32_t n);

} // namespace quellan
