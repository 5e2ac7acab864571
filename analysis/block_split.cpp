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

void appendSubnetCount(std::string& out, const Block& network, std::int32_t length) {
    appendPowerOfTwo(out, length - network.length);
}

} // namespace quellan
