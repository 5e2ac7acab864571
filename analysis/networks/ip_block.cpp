#include "networks/ip_block.h"

#include <algorithm>
#include <bit>

namespace quellan {

namespace {

std::int32_t trailingZeros(Uint128 value) {
    const auto low = static_cast<std::uint64_t>(value);
    if (low != 0)
        return std::countr_zero(low);
    return 64 + std::countr_zero(static_cast<std::uint64_t>(value >> 64));
}

// Host bits of the largest block that starts at `first` and ends by `last`.
std::int32_t largestHostBits(Family family, Uint128 first, Uint128 last) {
    const std::int32_t width = familyBits(family);
    const std::int32_t aligned = std::min(trailingZeros(first), width);
    // The range holds span + 1 addresses, which for all of IPv6 is one more
    // than a Uint128 holds.
    const Uint128 span = last - first;
    const std::int32_t fitting = span == allOnes(family) ? width : bitWidth(span + 1) - 1;
    return std::min(aligned, fitting);
}

} // namespace

std::int32_t bitWidth(Uint128 value) {
    const auto high = static_cast<std::uint64_t>(value >> 64);
    if (high != 0)
        return 64 + static_cast<std::int32_t>(std::bit_width(high));
    return static_cast<std::int32_t>(std::bit_width(static_cast<std::uint64_t>(value)));
}

bool forEachBlock(const Range& range, const BlockVisitor& visit, std::int32_t shortest) {
    const std::int32_t width = familyBits(range.family);
    const std::int32_t mostHostBits = width - std::clamp(shortest, 0, width);
    Uint128 first = range.first;
    while (true) {
        const std::int32_t hostBits =
            std::min(largestHostBits(range.family, first, range.last), mostHostBits);
        const Block block{range.family, first, width - hostBits};
        if (!visit(block))
            return false;
        const Uint128 last = lastOf(block);
        // Checked before stepping on: past the last address of the space
        // the next one would wrap to the first.
        if (last >= range.last)
            return true;
        first = last + 1;
    }
}

} // namespace quellan
