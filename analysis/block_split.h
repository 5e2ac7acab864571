#pragma once

// A network cut into the subnets of one longer prefix length. There can be
// 2^128 of them, so they are handed out one at a time, never collected.

#include "ip_block.h"

#include <string>
#include <string_view>

namespace quellan {

struct SplitLength {
    std::int32_t length = 0;
    // Why the text is no length to split `network` into; empty when it is.
    std::string reason;
};

// "24" or "/24": at least the network's own length, at most 32 or 128.
SplitLength readSplitLength(std::string_view text, const Block& network);

// The subnets of `length` in address order, until `visit` returns false (and
// then false). `length` is one readSplitLength accepts.
bool forEachSubnet(const Block& network, std::int32_t length, const BlockVisitor& visit);

// Subnet `index` of them, counted from 0 in address order, found without
// walking the ones before it; `index` is below their count.
Block subnetAt(const Block& network, std::int32_t length, Uint128 index);

// The index of the subnet of `length` that holds `address`, an address of
// `network`.
Uint128 subnetIndexOf(const Block& network, std::int32_t length, Uint128 address);

// How many there are, 2^(length - network.length), in decimal.
void appendSubnetCount(std::string& out, const Block& network, std::int32_t length);

} // namespace quellan
