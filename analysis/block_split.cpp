#include "block_split.h"

#include "number_text.h"

namespace quellan {

PrefixLength readSplitLength(std::string_view text, const Block& network) {
    text = trimBlanks(text);
    PrefixLength split =
        readPrefixLength(text.starts_with('/') ? text.substr(1) : text, network.family);
    if (split.reason.empty() && split.length < network.length)
        split.reason = "/" + std::to_string(split.length) + " is shorter than the network's /" +
                       std::to_string(network.length) + ".";
    return split;
}

bool forEachSubnet(const Block& network, std::int32_t length, const BlockVisitor& visit) {
    return forEachBlock(rangeOf(network), visit, length);
}

void appendSubnetCount(std::string& out, const Block& network, std::int32_t length) {
    appendPowerOfTwo(out, length - network.length);
}

} // namespace quellan
