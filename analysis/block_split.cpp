#include "block_split.h"

#include "address_text.h"
#include "number_text.h"

#include <algorithm>

namespace quellan {

SplitLength readSplitLength(std::string_view text, const Block& network) {
    SplitLength split;
    text = trimBlanks(text);
    const std::string_view digits = text.starts_with('/') ? text.substr(1) : text;
    const std::int32_t width = familyBits(network.family);
    // Three digits at most: nothing longer is a length, and it cannot overflow.
    const bool number =
        !digits.empty() && digits.size() <= 3 && std::all_of(digits.begin(), digits.end(), isDigit);
    for (const char c : number ? digits : std::string_view{})
        split.length = split.length * 10 + (c - '0');
    if (!number || split.length > width) {
        split.reason = "/" + shownInReason(digits) + " is not a prefix length for " +
                       (network.family == Family::IPv4 ? "IPv4." : "IPv6.");
    } else if (split.length < network.length) {
        split.reason = "/" + std::to_string(split.length) + " is shorter than the network's /" +
                       std::to_string(network.length) + ".";
    }
    return split;
}

bool forEachSubnet(const Block& network, std::int32_t length, const BlockVisitor& visit) {
    return forEachBlock(rangeOf(network), visit, length);
}

namespace {

// An IPv6 /0 has 128 host bits, and a Uint128 cannot be shifted by all of its
// bits; it is its own one subnet, index 0.
bool shiftable(const Block& network, std::int32_t length) {
    return length > 0 || network.family == Family::IPv4;
}

} // namespace

Block subnetAt(const Block& network, std::int32_t length, Uint128 index) {
    const std::int32_t hostBits = familyBits(network.family) - length;
    const Uint128 offset = shiftable(network, length) ? index << hostBits : 0;
    return {network.family, network.first + offset, length};
}

Uint128 subnetIndexOf(const Block& network, std::int32_t length, Uint128 address) {
    const std::int32_t hostBits = familyBits(network.family) - length;
    return shiftable(network, length) ? (address - network.first) >> hostBits : 0;
}

void appendSubnetCount(std::string& out, const Block& network, std::int32_t length) {
    appendPowerOfTwo(out, length - network.length);
}

} // namespace quellan
