#pragma once

// Which subnets the window's subnet list shows for the record: the classful
// network of the address in the boxes (the one the classful mask field
// names), split at the slider's length.

#include "calculator/window_state.h"
#include "networks/ip_block.h"

#include <cstdint>
#include <string>

namespace quellan {

struct SubnetList {
    // The classful network; its rows are subnetAt(network, length, row).
    Block network;
    std::int32_t length = 0;
    std::uint32_t rows = 0;
    // The row that holds the address; meaningless without rows.
    std::uint32_t addressRow = 0;
    // "Subnets of 192.168.1.0/24", or "Subnets" without a network.
    std::string title;
    // The line above the list: how many subnets, or why there is one or none.
    std::string note;
};

SubnetList subnetListOf(const WindowState& state);

} // namespace quellan
