#include "networks/operand_text.h"

#include "addresses/address_text.h"
#include "addresses/ipv6_text.h"
#include "addresses/number_text.h"

#include <algorithm>

namespace quellan {

namespace {

// One address without a length. Returns the reason it is none, or empty.
std::string readAddress(std::string_view text, IpAddress& address) {
    if (!looksLikeIpv6(text)) {
        const auto quad = readDottedQuad(text);
        const auto value = quad ? quad->address() : std::nullopt;
        if (!value)
            return std::string(kNotAnAddress);
        if (hasLeadingZeros(quad->digits))
            return std::string(kLeadingZeros);
        address = {Family::IPv4, *value};
        return {};
    }
    ParsedIpv6 parsed = parseIpv6(text);
    if (!parsed.reason.empty())
        return std::move(parsed.reason);
    if (!parsed.zone.empty())
        return std::string(kZoneInNetwork);
    address = parsed.address;
    return {};
}

} // namespace

ParsedNetwork parseNetwork(std::string_view text) {
    ParsedNetwork parsed;
    text = trimBlanks(text);
    if (text.find('-') != std::string_view::npos) {
        parsed.reason = kRangeIsNoNetwork;
        return parsed;
    }
    const std::size_t slash = text.find('/');
    IpAddress address;
    parsed.reason = readAddress(trimBlanks(text.substr(0, slash)), address);
    if (!parsed.reason.empty())
        return parsed;
    PrefixLength length{familyBits(address.family), {}};
    if (slash != std::string_view::npos) {
        length = readPrefixLength(trimBlanks(text.substr(slash + 1)), address.family);
        if (!length.reason.empty()) {
            parsed.reason = std::move(length.reason);
            return parsed;
        }
    }
    parsed.block = blockAround(address.family, address.bits, length.length);
    return parsed;
}

ParsedItem parseItem(std::string_view text) {
    ParsedItem parsed;
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        ParsedNetwork network = parseNetwork(text);
        parsed.range = rangeOf(network.block);
        parsed.reason = std::move(network.reason);
        return parsed;
    }
    const std::string_view firstText = trimBlanks(text.substr(0, dash));
    const std::string_view lastText = trimBlanks(text.substr(dash + 1));
    if (firstText.find('/') != std::string_view::npos ||
        lastText.find('/') != std::string_view::npos) {
        parsed.reason = kPrefixInRange;
        return parsed;
    }
    IpAddress first;
    IpAddress last;
    parsed.reason = readAddress(firstText, first);
    if (parsed.reason.empty())
        parsed.reason = readAddress(lastText, last);
    if (!parsed.reason.empty())
        return parsed;
    if (first.family != last.family)
        parsed.reason = kRangeOfTwoFamilies;
    else if (last.bits < first.bits)
        parsed.reason = kRangeBackwards;
    else
        parsed.range = {first.family, first.bits, last.bits};
    return parsed;
}

} // namespace quellan
