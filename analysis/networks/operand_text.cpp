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
    // The mask after '/' or, as router configurations write it, after a
    // blank: "10.0.0.0 255.0.0.0".
    std::size_t maskStart = text.find('/');
    if (maskStart == std::string_view::npos && !looksLikeIpv6(text))
        maskStart = text.find_first_of(" \t");
    IpAddress address;
    parsed.reason = readAddress(trimBlanks(text.substr(0, maskStart)), address);
    if (!parsed.reason.empty())
        return parsed;
    PrefixLength length{familyBits(address.family), {}};
    const std::string_view mask =
        maskStart == std::string_view::npos ? "" : trimBlanks(text.substr(maskStart + 1));
    if (address.family == Family::IPv4 && mask.find('.') != std::string_view::npos) {
        // A network mask or its wildcard, as an address's mask is read.
        const std::optional<std::int32_t> bits = dottedMaskBits(mask);
        if (!bits) {
            parsed.reason = shownInReason(mask) + " is not a network mask.";
            return parsed;
        }
        length.length = *bits;
    } else if (maskStart != std::string_view::npos) {
        length = readPrefixLength(mask, address.family);
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
