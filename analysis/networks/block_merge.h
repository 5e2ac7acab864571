#pragma once

// The union of many blocks and ranges as the fewest blocks: items are fed one
// at a time (a merge reads a million lines), kept in 8 bytes each for IPv4
// and 32 for IPv6, and sorted and joined only when the result is asked for.

#include "networks/ip_block.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace quellan {

// Called with each range in turn; returns false to stop.
using RangeVisitor = std::function<bool(const Range&)>;

class Merger {
public:
    void add(const Range& range);

    // How many items were added.
    std::size_t size() const { return ipv4_.size() + ipv6_.size(); }

    // The union of the items of `family` as ranges that neither overlap nor
    // touch, in address order. Returns false when `visit` stopped it.
    bool ranges(Family family, const RangeVisitor& visit);

    // The fewest blocks covering the union: IPv4 first, then IPv6, each in
    // address order.
    bool blocks(const BlockVisitor& visit);

private:
    struct Ipv6Range {
        Uint128 first;
        Uint128 last;
    };
    void sort();

    // First in the high half, last in the low: sorting the numbers sorts
    // the ranges by their first address.
    std::vector<std::uint64_t> ipv4_;
    std::vector<Ipv6Range> ipv6_;
    bool sorted_ = true;
};

} // namespace quellan
