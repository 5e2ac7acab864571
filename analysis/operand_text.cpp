#include "operand_text.h"

#include "address_text.h"
#include "ipv6_text.h"
#include "number_text.h"

#include <algorithm>

namespace quellan {

namespace {

// "a.b.c.d" and nothing else: one to three digits an octet, as parseAddress
// reads them, so "010" is ten here too.
bool readDottedQuad(std::string_view text, std::uint32_t& value) {
    value = 0;
    std::size_t i = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && (i == text.size() || text[i++] != '.'))
            return false;
        const std::size_t start = i;
        std::uint32_t octet = 0;
        while (i < text.size() && i - start < 3 && isDigit(text[i]))
            octet = octet * 10 + static_cast<std::uint32_t>(text[i++] - '0');
        if (i == start || octet > 255)
            return false;
        value = (value << 8) | octet;
    }
    return i == text.size();
}

// One address without a length. Returns the reason it is none, or empty.
std::string readAddress(std::string_view text, IpAddress& address) {
    if (!looksLikeIpv6(text)) {
        std::uint32_t value = 0;
        if (!readDottedQuad(text, value))
            return std::string(kNotAnIpAddress);
        address = {Family::IPv4, value};
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
        length = readPrefixLength(text.substr(slash + 1), address.family);
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

PrefixLength readPrefixLength(std::string_view text, Family family) {
    PrefixLength parsed;
    text = trimBlanks(text);
    if (text.empty()) {
        parsed.reason = "A prefix length must follow '/'.";
        return parsed;
    }
    for (const char c : text) {
        // Stopping past the width keeps a long run of digits from overflowing.
        if (!isDigit(c) || parsed.length > familyBits(family))
            break;
        parsed.length = parsed.length * 10 + (c - '0');
    }
    if (!std::all_of(text.begin(), text.end(), isDigit) || parsed.length > familyBits(family))
        parsed.reason = "/" + shownInReason(text) + " is not a prefix length.";
    return parsed;
}

} // namespace quellan
