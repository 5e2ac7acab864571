#pragma once

// A network cut into the subnets of one longer prefix length. There can be
// 2^128 of them, so they are handed out one at a time, never collected.

#include "addresses/address_text.h"
#include "networks/ip_block.h"

#include <string>
#include <string_view>

namespace quellan {

// "24" or "/24": at least the network's own length, at most 32 or 128. The
// reason is empty when `text` is such a length.
PrefixLength readSplitLength(std::string_view text, const Block& network);

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
