#pragma once

// Subnets for groups of hosts inside one network: each count gets the
// smallest block that holds it besides the addresses a subnet keeps for
// itself (network and broadcast in IPv4, the subnet-router anycast address in
// IPv6), largest blocks first at the lowest free address, and what is left
// over becomes the fewest free blocks.

#include "networks/ip_block.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quellan {

struct HostCount {
    Uint128 count = 0;
    // Why the text is no count of hosts; empty when it is one.
    std::string reason;
};

// A whole number from 1 to 2^128 - 1, blanks around it allowed.
HostCount readHostCount(std::string_view text);

struct HostBlock {
    Block block;
    // The count the block was chosen for; empty for a block left free.
    std::optional<Uint128> hosts;
};

struct HostPlan {
    // In address order, covering the network exactly.
    std::vector<HostBlock> blocks;
    // Why the counts do not fit, with how many addresses they need and the
    // network has; empty when they do.
    std::string reason;
};

// `reserved` is what each IPv4 block keeps besides its hosts: a cloud
// provider keeps more than network and broadcast.
HostPlan planHosts(const Block& network, std::span<const Uint128> counts, Uint128 reserved = 2);

// "192.168.1.0/25 100", or "192.168.1.228/30 free"; no line end.
void appendHostBlockLine(std::string& out, const HostBlock& entry);

} // namespace quellan
