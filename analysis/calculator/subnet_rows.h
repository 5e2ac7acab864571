#pragma once

// The rows of the window's subnet list: each subnet of an IPv4 network, its
// hosts by the usual rule (usableRange: RFC 3021 for /31 and /32, where the
// window's own fields follow rules of their own). Row N is subnetAt() of its
// number, so a list of millions keeps nothing per row.

#include "networks/ip_block.h"

#include <array>
#include <string>
#include <string_view>

namespace quellan {

enum class SubnetColumn { Network, FirstHost, LastHost, Broadcast, Hosts };

inline constexpr std::array<std::string_view, 5> kSubnetColumnCaptions{
    "Network", "First host", "Last host", "Broadcast", "Hosts"};

// What each column holds, for its header's tool-tip.
inline constexpr std::array<std::string_view, 5> kSubnetColumnTips{
    "The subnet in CIDR notation.",
    "The first address a host may take: the one after the network address; in a /31 the "
    "network address itself (RFC 3021), in a /32 its one address.",
    "The last address a host may take: the one before the broadcast address; in a /31 the "
    "broadcast address itself (RFC 3021), in a /32 its one address.",
    "The last address of the subnet.",
    "How many addresses hosts may take: all but the network and broadcast addresses; both "
    "in a /31 (RFC 3021), the one address of a /32."};

// One text of an IPv4 subnet: "192.168.1.64/26", "192.168.1.65",
// "192.168.1.126", "192.168.1.127", "62".
void appendSubnetCell(std::string& out, const Block& subnet, SubnetColumn column);

// All five texts of the subnet with `separator` between them and a line end
// after them, for copying and export.
void appendSubnetLine(std::string& out, const Block& subnet, char separator);

// The captions in the same form.
void appendSubnetHeader(std::string& out, char separator);

} // namespace quellan
