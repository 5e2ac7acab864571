#pragma once

// A network's subnets as the leaves of its binary tree, as the planner draws
// it: beside each subnet a bar for each block that holds it and other
// subnets too, from the network itself down to the subnet's parent, each
// bar spanning the rows of its block's subnets. The subnets in the rows
// either side are all a row needs to know where its part of a bar begins
// and ends, so nothing is kept per row.

#include "networks/ip_block.h"

#include <cstdint>

namespace quellan {

struct TreeBar {
    // The subnet is the block's first, or its last.
    bool first = false;
    bool last = false;
    bool operator==(const TreeBar&) const = default;
};

// Where the bar for the block of `length` that holds `subnet` begins and
// ends, told from the subnets before and after it in address order (null
// at the edges of the network).
TreeBar treeBar(const Block& subnet, const Block* before, const Block* after, std::int32_t length);

} // namespace quellan
