#pragma once

// Blocks (a network and its prefix length) and ranges of addresses of either
// family, and the fewest blocks that cover a range: what splitting, host
// plans, merging and excluding all come down to, written once over Uint128
// for 32 and 128 bits.

#include "addresses/ip_address.h"

#include <cstdint>
#include <functional>

namespace quellan {

// `first` has no bits set past `length`.
struct Block {
    Family family = Family::IPv4;
    Uint128 first = 0;
    std::int32_t length = 0;
};

// Every address from `first` to `last`, both included; first <= last.
struct Range {
    Family family = Family::IPv4;
    Uint128 first = 0;
    Uint128 last = 0;
};

// Called with each block in turn; returns false to stop.
using BlockVisitor = std::function<bool(const Block&)>;

// The bits of a block below its prefix: all ones for a /0 of IPv6, whose
// 2^128 addresses no Uint128 counts.
constexpr Uint128 hostMask(Family family, std::int32_t length) {
    return allOnes(family) & ~prefixMask(family, length);
}

constexpr Uint128 lastOf(const Block& block) {
    return block.first | hostMask(block.family, block.length);
}

constexpr Range rangeOf(const Block& block) {
    return {block.family, block.first, lastOf(block)};
}

// The addresses of a block that hosts may take: in IPv4 all but the network
// and broadcast addresses, except that both ends of a /31 are hosts (a
// point-to-point link, RFC 3021) and a /32 is its one host; in IPv6 every
// address.
constexpr Range usableRange(const Block& block) {
    const Range whole = rangeOf(block);
    if (block.family == Family::IPv6 || block.length >= 31)
        return whole;
    return {block.family, whole.first + 1, whole.last - 1};
}

// The block of `length` that holds `address`.
constexpr Block blockAround(Family family, Uint128 address, std::int32_t length) {
    return {family, address & prefixMask(family, length), length};
}

// How many bits `value` takes: 0 for 0, 128 with the top bit set.
std::int32_t bitWidth(Uint128 value);

// The fewest blocks that cover `range` exactly, in address order, none
// shorter than `shortest`: with a network's own range and a longer
// `shortest`, that is its subnets of that length. Returns false when `visit`
// stopped it.
bool forEachBlock(const Range& range, const BlockVisitor& visit, std::int32_t shortest = 0);

} // namespace quellan
