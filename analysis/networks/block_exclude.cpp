#include "networks/block_exclude.h"

#include <algorithm>

namespace quellan {

bool Exclusion::add(const Range& item) {
    if (item.family != network_.family)
        return false;
    const Range network = rangeOf(network_);
    if (item.last >= network.first && item.first <= network.last)
        items_.add(
            {item.family, std::max(item.first, network.first), std::min(item.last, network.last)});
    return true;
}

bool Exclusion::blocks(const BlockVisitor& visit) {
    const Range network = rangeOf(network_);
    Uint128 next = network.first; // the first address not yet accounted for
    bool done = false;
    const bool finished = items_.ranges(network.family, [&](const Range& item) {
        if (item.first > next && !forEachBlock({network.family, next, item.first - 1}, visit))
            return false;
        // The network's last address may be the last of the space.
        done = item.last == network.last;
        next = item.last + 1;
        return !done;
    });
    if (!finished && !done)
        return false;
    return done || forEachBlock({network.family, next, network.last}, visit);
}

} // namespace quellan
