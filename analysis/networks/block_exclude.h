#pragma once

// A network without some items, as the fewest blocks. The parts of items
// outside the network do not count; an item of the other family is refused.

#include "networks/block_merge.h"

#include <string_view>

namespace quellan {

inline constexpr std::string_view kNotTheNetworksFamily = "It is not of the network's family.";

class Exclusion {
public:
    explicit Exclusion(const Block& network)
        : network_(network) {}

    // False, and nothing taken, when `item` is of the other family.
    bool add(const Range& item);

    // What is left of the network, in address order. Returns false when
    // `visit` stopped it.
    bool blocks(const BlockVisitor& visit);

private:
    Block network_;
    // The items cut to the network.
    Merger items_;
};

} // namespace quellan
