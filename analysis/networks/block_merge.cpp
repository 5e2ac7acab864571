#include "networks/block_merge.h"

#include <algorithm>

namespace quellan {

namespace {

// Joins the sorted items of one family, read by `rangeAt`, into ranges with
// a gap between each and the next.
template <typename Items, typename RangeAt>
bool forEachJoined(const Items& items, RangeAt rangeAt, const RangeVisitor& visit) {
    if (items.empty())
        return true;
    Range joined = rangeAt(items.front());
    for (const auto& item : items) {
        const Range next = rangeAt(item);
        // Past the last address of the space nothing can touch it, and one
        // more would wrap to the first.
        if (joined.last == allOnes(joined.family) || next.first <= joined.last + 1) {
            joined.last = std::max(joined.last, next.last);
            continue;
        }
        if (!visit(joined))
            return false;
        joined = next;
    }
    return visit(joined);
}

} // namespace

void Merger::add(const Range& range) {
    if (range.family == Family::IPv4)
        ipv4_.push_back((static_cast<std::uint64_t>(range.first) << 32) |
                        static_cast<std::uint32_t>(range.last));
    else
        ipv6_.push_back({range.first, range.last});
    sorted_ = false;
}

void Merger::sort() {
    if (sorted_)
        return;
    std::sort(ipv4_.begin(), ipv4_.end());
    std::sort(ipv6_.begin(), ipv6_.end(),
              [](const Ipv6Range& a, const Ipv6Range& b) { return a.first < b.first; });
    sorted_ = true;
}

bool Merger::ranges(Family family, const RangeVisitor& visit) {
    sort();
    if (family == Family::IPv4)
        return forEachJoined(
            ipv4_,
            [](std::uint64_t item) {
                return Range{Family::IPv4, item >> 32, static_cast<std::uint32_t>(item)};
            },
            visit);
    return forEachJoined(
        ipv6_,
        [](const Ipv6Range& item) {
            return Range{Family::IPv6, item.first, item.last};
        },
        visit);
}

bool Merger::blocks(const BlockVisitor& visit) {
    const RangeVisitor eachBlock = [&visit](const Range& range) {
        return forEachBlock(range, visit);
    };
    return ranges(Family::IPv4, eachBlock) && ranges(Family::IPv6, eachBlock);
}

} // namespace quellan
