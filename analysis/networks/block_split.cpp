#include "networks/block_split.h"

#include "addresses/number_text.h"

namespace quellan {

PrefixLength readSplitLength(std::string_view text, const Block& network) {
    text = trimBlanks(text);
    PrefixLength split =
        readPrefixLength(trimBlanks(text.starts_with('/') ? text.substr(1) : text), network.family);
    if (split.reason.empty() && split.length < network.length)
        split.reason = "/" + std::to_string(split.length) + " is shorter than the network's /" +
                       std::to_string(network.length) + ".";
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
