#include "networks/host_plan.h"

#include "addresses/address_text.h"
#include "addresses/number_text.h"
#include "networks/block_text.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace quellan {

namespace {

constexpr std::string_view kNoHosts = "A count of hosts is at least 1.";

// The host bits of the smallest block for `hosts`: up to 129, for a count
// whose addresses with the reserved ones pass 2^128.
std::int32_t hostBits(Family family, Uint128 hosts, Uint128 reservedIpv4) {
    const Uint128 reserved = family == Family::IPv4 ? reservedIpv4 : 1;
    if (hosts > ~Uint128{0} - (reserved - 1))
        return 129;
    // 2^bits must reach hosts + reserved, so pass hosts + reserved - 1.
    return bitWidth(hosts + reserved - 1);
}

// A count of addresses up to a few times 2^128: high * 2^128 + low.
struct AddressTotal {
    std::uint64_t high = 0;
    Uint128 low = 0;

    void addPowerOfTwo(std::int32_t bits) {
        if (bits >= 128) {
            high += std::uint64_t{1} << (bits - 128);
            return;
        }
        const Uint128 before = low;
        low += Uint128{1} << bits;
        if (low < before)
            ++high;
    }

    // Compared with 2^bits, for bits up to 128.
    bool atMostPowerOfTwo(std::int32_t bits) const {
        return bits == 128 ? high == 0 || isPowerOfTwo(bits)
                           : high == 0 && low <= Uint128{1} << bits;
    }
    bool isPowerOfTwo(std::int32_t bits) const {
        return bits == 128 ? high == 1 && low == 0 : high == 0 && low == Uint128{1} << bits;
    }
};

void appendTotal(std::string& out, const AddressTotal& total) {
    if (total.high == 0) {
        appendDecimal128(out, total.low);
        return;
    }
    // Six 32-bit digits, most significant first, divided by 10^9 in turn.
    std::array<std::uint64_t, 6> limbs{total.high >> 32, total.high & 0xFFFFFFFFU};
    for (std::size_t i = 0; i < 4; ++i)
        limbs[2 + i] = static_cast<std::uint64_t>(total.low >> (96 - 32 * i)) & 0xFFFFFFFFU;
    constexpr std::uint64_t kBillion = 1'000'000'000;
    std::string digits; // last digit first
    while (std::any_of(limbs.begin(), limbs.end(), [](std::uint64_t limb) { return limb != 0; })) {
        std::uint64_t rest = 0;
        for (std::uint64_t& limb : limbs) {
            const std::uint64_t value = (rest << 32) | limb;
            limb = value / kBillion;
            rest = value % kBillion;
        }
        for (int i = 0; i < 9; ++i, rest /= 10)
            digits.push_back(static_cast<char>('0' + rest % 10));
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    out.append(digits.rbegin(), digits.rend());
}

} // namespace

HostCount readHostCount(std::string_view text) {
    HostCount parsed;
    text = trimBlanks(text);
    const bool digits = allDigits(text);
    for (const char c : digits ? text : std::string_view{}) {
        const auto digit = static_cast<Uint128>(c - '0');
        if (parsed.count > (~Uint128{0} - digit) / 10) {
            parsed.reason = shownInReason(text) + " hosts are more than any network holds.";
            return parsed;
        }
        parsed.count = parsed.count * 10 + digit;
    }
    if (!digits)
        parsed.reason = shownInReason(text) + " is not a count of hosts.";
    else if (parsed.count == 0)
        parsed.reason = kNoHosts;
    return parsed;
}

HostPlan planHosts(const Block& network, std::span<const Uint128> counts, Uint128 reserved) {
    HostPlan plan;
    const Family family = network.family;
    const std::int32_t width = familyBits(family);
    const std::int32_t networkBits = width - network.length;

    std::vector<std::int32_t> bits(counts.size());
    AddressTotal total;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        bits[i] = hostBits(family, counts[i], reserved);
        total.addPowerOfTwo(bits[i]);
    }
    if (!total.atMostPowerOfTwo(networkBits)) {
        plan.reason = "These hosts need ";
        appendTotal(plan.reason, total);
        plan.reason += " addresses; ";
        appendCidr(plan.reason, network);
        plan.reason += " has ";
        appendPowerOfTwo(plan.reason, networkBits);
        plan.reason += ".";
        return plan;
    }

    // Largest first: each block then starts where the one before ended, on
    // a boundary of its own size, with no gap.
    std::vector<std::size_t> order(counts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&bits](std::size_t a, std::size_t b) { return bits[a] > bits[b]; });
    Uint128 next = network.first;
    for (const std::size_t i : order) {
        plan.blocks.push_back({{family, next, width - bits[i]}, counts[i]});
        next = lastOf(plan.blocks.back().block) + 1;
    }
    // Filled to the last address, `next` has stepped past it (and past the
    // last of the space, to 0, for ::/0).
    if (!total.isPowerOfTwo(networkBits)) {
        forEachBlock({family, next, lastOf(network)}, [&plan](const Block& block) {
            plan.blocks.push_back({block, std::nullopt});
            return true;
        });
    }
    return plan;
}

void appendHostBlockLine(std::string& out, const HostBlock& entry) {
    appendCidr(out, entry.block);
    out.push_back(' ');
    if (entry.hosts)
        appendDecimal128(out, *entry.hosts);
    else
        out.append("free");
}

} // namespace quellan
