#pragma once

// The rows of the window's subnet list: each subnet of an IPv4 network with
// the texts the window's own fields would give for it. Row N is subnetAt()
// of its number, so a list of millions keeps nothing per row.

#include "networks/ip_block.h"

#include <array>
#include <string>
#include <string_view>

namespace quellan {

enum class SubnetColumn { Network, FirstHost, LastHost, Broadcast, Hosts };

inline constexpr std::array<std::string_view, 5> kSubnetColumnCaptions{
    "Network", "First host", "Last host", "Broadcast", "Hosts"};

// One text of an IPv4 subnet: "192.168.1.64/26", "192.168.1.65",
// "192.168.1.126", "192.168.1.127", "62".
void appendSubnetCell(std::string& out, const Block& subnet, SubnetColumn column);

// All five texts of the subnet with `separator` between them and a line end
// after them, for copying and export.
void appendSubnetLine(std::string& out, const Block& subnet, char separator);

// The captions in the same form.
void appendSubnetHeader(std::string& out, char separator);

} // namespace quellan
