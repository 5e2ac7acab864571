#pragma once

// What every planning answer must have, on inputs drawn from a source of
// numbers: a seeded generator in the property test, the fuzzer's bytes in
// the fuzz target. Items are drawn inside a window of 4096 addresses (the
// first, the last or any of the space), where what the answer covers is
// checked address by address rather than by arithmetic like the code's.
// Each check returns what it found broken, or nothing.

#include "networks/block_exclude.h"
#include "networks/block_split.h"
#include "networks/block_text.h"
#include "networks/host_plan.h"

#include <bitset>
#include <functional>
#include <string>
#include <vector>

namespace quellan::check {

using Draw = std::function<std::uint64_t()>;

inline constexpr std::int32_t kWindowBits = 12;
inline constexpr std::size_t kWindowSize = std::size_t{1} << kWindowBits;
using Marks = std::bitset<kWindowSize>;

struct Window {
    Family family;
    Uint128 base;
    Uint128 last() const { return base + (kWindowSize - 1); }
    std::int32_t width() const { return familyBits(family); }
    Uint128 address(const Draw& draw) const { return base + draw() % kWindowSize; }
};

inline Window drawWindow(const Draw& draw, Family family) {
    const Uint128 wide = (Uint128{draw()} << 64) | draw();
    const Uint128 bases[] = {0, allOnes(family) - (kWindowSize - 1),
                             wide & allOnes(family) & ~Uint128{kWindowSize - 1}};
    return {family, bases[draw() % 3]};
}

// A block of up to the whole window, or a range of a few hundred addresses.
inline Range drawRange(const Draw& draw, const Window& window) {
    if (draw() % 2 == 0) {
        const auto length = window.width() - static_cast<std::int32_t>(draw() % (kWindowBits + 1));
        return rangeOf(blockAround(window.family, window.address(draw), length));
    }
    const Uint128 first = window.address(draw);
    return {window.family, first, first + std::min(Uint128{draw() % 600}, window.last() - first)};
}

inline void mark(Marks& marks, const Window& window, const Range& range, bool value = true) {
    if (range.family != window.family || range.last < window.base || range.first > window.last())
        return;
    const auto from = static_cast<std::size_t>(std::max(range.first, window.base) - window.base);
    const auto to = static_cast<std::size_t>(std::min(range.last, window.last()) - window.base);
    for (std::size_t i = from; i <= to; ++i)
        marks[i] = value;
}

inline std::string cidr(const Block& block) {
    std::string text;
    appendCidr(text, block);
    return text;
}

// Two blocks that are the halves of one: the answer was not the fewest.
inline bool halvesOfOne(const Block& a, const Block& b) {
    return a.length == b.length && a.length > 0 && lastOf(a) + 1 == b.first &&
           (a.first & ~prefixMask(a.family, a.length - 1)) == 0;
}

// Aligned, in address order, apart, no two the halves of one, and covering
// exactly the marked addresses of the window.
inline std::string blocksBroken(const Window& window, const Marks& expected,
                                const std::vector<Block>& blocks) {
    Marks covered;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& block = blocks[i];
        if (block.family != window.family ||
            (block.first & hostMask(block.family, block.length)) != 0)
            return cidr(block) + " is no block of the window's family";
        if (i > 0 && block.first <= lastOf(blocks[i - 1]))
            return cidr(block) + " overlaps or comes before the block ahead of it";
        if (i > 0 && halvesOfOne(blocks[i - 1], block))
            return cidr(blocks[i - 1]) + " and " + cidr(block) + " make one block";
        if (block.first < window.base || lastOf(block) > window.last())
            return cidr(block) + " is outside the items";
        mark(covered, window, rangeOf(block));
    }
    return covered == expected ? "" : "the blocks cover other addresses than expected";
}

inline std::vector<Block> collected(const std::function<bool(const BlockVisitor&)>& produce) {
    std::vector<Block> blocks;
    produce([&blocks](const Block& block) {
        blocks.push_back(block);
        return true;
    });
    return blocks;
}

// Items of both families, interleaved: IPv4 blocks come first, then the
// union of each family exactly.
inline std::string mergeBroken(const Draw& draw) {
    const Window windows[] = {drawWindow(draw, Family::IPv4), drawWindow(draw, Family::IPv6)};
    Marks expected[2];
    Merger merger;
    for (std::uint64_t n = draw() % 12; n > 0; --n) {
        const std::size_t side = draw() % 2;
        const Range item = drawRange(draw, windows[side]);
        mark(expected[side], windows[side], item);
        merger.add(item);
    }
    const std::vector<Block> blocks =
        collected([&merger](const BlockVisitor& visit) { return merger.blocks(visit); });
    const auto ipv6 = std::find_if(blocks.begin(), blocks.end(),
                                   [](const Block& block) { return block.family == Family::IPv6; });
    const std::string broken = blocksBroken(windows[0], expected[0], {blocks.begin(), ipv6});
    return !broken.empty() ? "IPv4: " + broken
                           : blocksBroken(windows[1], expected[1], {ipv6, blocks.end()});
}

// The network without the items: what is left plus the items inside it is
// the network, and nothing left touches an item.
inline std::string excludeBroken(const Draw& draw) {
    const Window window = drawWindow(draw, draw() % 2 == 0 ? Family::IPv4 : Family::IPv6);
    const auto length = window.width() - static_cast<std::int32_t>(draw() % (kWindowBits + 1));
    const Block network = blockAround(window.family, window.address(draw), length);
    Marks expected;
    mark(expected, window, rangeOf(network));
    Exclusion exclusion(network);
    for (std::uint64_t n = draw() % 7; n > 0; --n) {
        // Now and then an item larger than the window, up to the whole space.
        const Range item = draw() % 8 != 0
                               ? drawRange(draw, window)
                               : rangeOf(blockAround(window.family, window.base,
                                                     static_cast<std::int32_t>(
                                                         draw() % (window.width() - kWindowBits))));
        mark(expected, window, item, false);
        if (!exclusion.add(item))
            return "an item of the network's family refused";
    }
    const std::string broken = blocksBroken(
        window, expected,
        collected([&exclusion](const BlockVisitor& visit) { return exclusion.blocks(visit); }));
    return broken.empty() ? "" : cidr(network) + " without the items: " + broken;
}

// A block anywhere into up to 64 subnets: their count, their lengths, and
// merged they give back the network; the range of each gives that block.
inline std::string splitBroken(const Draw& draw) {
    const Window window = drawWindow(draw, draw() % 2 == 0 ? Family::IPv4 : Family::IPv6);
    const Block network = blockAround(window.family, window.address(draw),
                                      static_cast<std::int32_t>(draw() % (window.width() + 1)));
    const std::int32_t length =
        std::min(window.width(), network.length + static_cast<std::int32_t>(draw() % 7));
    const std::string name = cidr(network) + " into /" + std::to_string(length) + ": ";
    const std::vector<Block> subnets =
        collected([&](const BlockVisitor& visit) { return forEachSubnet(network, length, visit); });
    std::string count;
    appendSubnetCount(count, network, length);
    if (subnets.size() != std::size_t{1} << (length - network.length) ||
        count != std::to_string(subnets.size()))
        return name + "count " + count + ", " + std::to_string(subnets.size()) + " subnets";
    Merger merger;
    Uint128 next = network.first;
    for (const Block& subnet : subnets) {
        if (subnet.length != length || subnet.first != next)
            return name + cidr(subnet) + " out of place";
        const std::vector<Block> again = collected(
            [&subnet](const BlockVisitor& visit) { return forEachBlock(rangeOf(subnet), visit); });
        if (again.size() != 1 || again[0].first != subnet.first || again[0].length != length)
            return name + "the range of " + cidr(subnet) + " is not that block";
        next = lastOf(subnet) + 1;
        merger.add(rangeOf(subnet));
    }
    const std::vector<Block> merged =
        collected([&merger](const BlockVisitor& visit) { return merger.blocks(visit); });
    if (merged.size() != 1 || merged[0].first != network.first ||
        merged[0].length != network.length)
        return name + "merged, the subnets are not the network";
    return "";
}

// Up to five counts in a network of up to 4096 addresses: either the blocks
// tile the network, each the smallest that holds its count, largest first,
// then free ones; or the reason gives the exact need.
inline std::string hostPlanBroken(const Draw& draw) {
    const Window window = drawWindow(draw, draw() % 2 == 0 ? Family::IPv4 : Family::IPv6);
    const auto hostBits = static_cast<std::int32_t>(draw() % (kWindowBits + 1));
    const Block network =
        blockAround(window.family, window.address(draw), window.width() - hostBits);
    const Uint128 reserved = window.family == Family::IPv4 ? 2 : 1;
    std::vector<Uint128> counts(draw() % 6);
    std::vector<Uint128> sizes;
    Uint128 need = 0;
    for (Uint128& count : counts) {
        count = 1 + draw() % (draw() % 2 == 0 ? 8 : kWindowSize);
        Uint128 size = 1;
        while (size < count + reserved)
            size *= 2;
        sizes.push_back(size);
        need += size;
    }
    // The counts as they must be placed: largest block first, equal ones as given.
    std::vector<Uint128> placed;
    for (Uint128 size = Uint128{2} << kWindowBits; size > 0; size /= 2)
        for (std::size_t i = 0; i < counts.size(); ++i)
            if (sizes[i] == size)
                placed.push_back(counts[i]);
    const HostPlan plan = planHosts(network, counts);
    const std::string name = cidr(network) + ": ";
    if (need > Uint128{1} << hostBits) {
        std::string reason = "These hosts need ";
        appendDecimal128(reason, need);
        reason += " addresses; " + cidr(network) + " has " + std::to_string(1 << hostBits) + ".";
        return plan.reason == reason ? "" : name + "refused with \"" + plan.reason + "\"";
    }
    Uint128 next = network.first;
    std::size_t hosted = 0;
    for (std::size_t i = 0; i < plan.blocks.size(); ++i) {
        const Block& block = plan.blocks[i].block;
        const Uint128 size = lastOf(block) - block.first + 1;
        if (block.first != next || (block.first & (size - 1)) != 0 ||
            lastOf(block) > lastOf(network))
            return name + cidr(block) + " does not follow on, aligned, inside the network";
        next = lastOf(block) + 1;
        if (!plan.blocks[i].hosts) {
            if (i > 0 && !plan.blocks[i - 1].hosts && halvesOfOne(plan.blocks[i - 1].block, block))
                return name + "free blocks that make one";
            continue;
        }
        const Uint128 count = *plan.blocks[i].hosts;
        if (hosted != i || hosted >= placed.size() || count != placed[hosted])
            return name + cidr(block) + " is out of the order largest first, as given";
        if (size < count + reserved || (size > 1 && size / 2 >= count + reserved))
            return name + cidr(block) + " is not the smallest block for its count";
        ++hosted;
    }
    if (next - 1 != lastOf(network) || hosted != counts.size())
        return name + "the blocks do not fill the network or serve every count";
    return "";
}

} // namespace quellan::check
