#pragma once

// The usable hosts of an IPv4 network as the window's fields count them, for
// the window's own network and for each row of its subnet list alike, so the
// two can never disagree.

#include <algorithm>
#include <cstdint>

namespace quellan {

// One above the network and one below the broadcast address, as 32-bit
// numbers: up to 31 mask bits only the last octet moves; at 32 the range
// carries into the octets before it and wraps at the ends of the space.
constexpr std::uint32_t firstHostOf(std::uint32_t network) {
    return network + 1U;
}
constexpr std::uint32_t lastHostOf(std::uint32_t broadcast) {
    return broadcast - 1U;
}

// Network and broadcast address are not hosts; a network of one or two
// addresses has no hosts at all rather than minus one.
constexpr std::int64_t usableHostCount(std::int64_t addresses) {
    return std::max<std::int64_t>(addresses - 2, 0);
}

} // namespace quellan
