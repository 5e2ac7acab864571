#include "addresses/address_text.h"

#include "addresses/number_text.h"

#include <algorithm>
#include <bit>

namespace quellan {

namespace {

std::string notAMaskLength(std::string_view length) {
    return "/" + shownInReason(length) + " is not a mask length.";
}
std::string notANetworkMask(std::string_view mask) {
    return shownInReason(mask) + " is not a network mask.";
}

// What follows "/": a length or a dotted mask.
void readSlashMask(std::string_view mask, ParsedAddress& parsed) {
    if (allDigits(mask)) {
        const PrefixLength length = readPrefixLength(mask, Family::IPv4);
        if (length.reason.empty())
            parsed.maskBits = length.length;
        else
            parsed.reason = notAMaskLength(mask);
    } else if (mask.find('.') != std::string_view::npos) {
        parsed.maskBits = dottedMaskBits(mask);
        if (!parsed.maskBits)
            parsed.reason = notANetworkMask(mask);
    } else {
        parsed.reason = notAMaskLength(mask);
    }
}

} // namespace

std::optional<std::uint32_t> DottedQuad::address() const {
    std::uint32_t value = 0;
    for (const std::uint32_t octet : octets) {
        if (octet > 255)
            return std::nullopt;
        value = (value << 8) | octet;
    }
    return value;
}

bool hasLeadingZeros(const std::array<std::string_view, 4>& octets) {
    return std::any_of(octets.begin(), octets.end(),
                       [](std::string_view octet) { return octet.size() > 1 && octet[0] == '0'; });
}

std::optional<DottedQuad> readDottedQuad(std::string_view text, LeadingZeros zeros) {
    DottedQuad quad;
    std::size_t i = 0;
    for (std::size_t part = 0; part < quad.octets.size(); ++part) {
        if (part > 0 && (i == text.size() || text[i++] != '.'))
            return std::nullopt;
        const std::size_t start = i;
        std::uint32_t octet = 0;
        while (i < text.size() && i - start < 3 && isDigit(text[i]))
            octet = octet * 10 + static_cast<std::uint32_t>(text[i++] - '0');
        if (i == start || (zeros == LeadingZeros::Refused && i - start > 1 && text[start] == '0'))
            return std::nullopt;
        quad.digits[part] = text.substr(start, i - start);
        quad.octets[part] = octet;
    }
    if (i != text.size())
        return std::nullopt;
    return quad;
}

PrefixLength readPrefixLength(std::string_view text, Family family) {
    PrefixLength parsed;
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
    if (!allDigits(text) || parsed.length > familyBits(family))
        parsed.reason = "/" + shownInReason(text) + " is not a prefix length.";
    return parsed;
}

std::string shownInReason(std::string_view piece) {
    constexpr std::size_t kLongest = 15;
    std::string text;
    for (const char c : piece.substr(0, kLongest))
        text.push_back(c >= ' ' && c <= '~' ? c : '?');
    if (piece.size() > kLongest)
        text.append("...");
    return text;
}

std::optional<std::int32_t> dottedMaskBits(std::string_view text) {
    const auto quad = readDottedQuad(text);
    const auto address = quad ? quad->address() : std::nullopt;
    if (!address)
        return std::nullopt;
    const std::uint32_t mask = *address;
    // Ones then zeros is a mask; zeros then ones is its wildcard.
    const auto leadingOnes = [](std::uint32_t bits) {
        return std::has_single_bit(~bits + 1U) || bits == 0;
    };
    if (leadingOnes(mask))
        return std::popcount(mask);
    if (leadingOnes(~mask))
        return std::popcount(~mask);
    return std::nullopt;
}

bool dottedNetworkMask(std::string_view text) {
    const auto quad = readDottedQuad(trimBlanks(text));
    const auto mask = quad ? quad->address() : std::nullopt;
    if (!mask)
        return false;
    const std::uint32_t hostBits = ~*mask;
    return (hostBits & (hostBits + 1U)) == 0;
}

ParsedAddress parseAddress(std::string_view text) {
    ParsedAddress parsed;
    text = trimBlanks(text);
    const auto addressEnd =
        std::find_if(text.begin(), text.end(), [](char c) { return !isDigit(c) && c != '.'; });
    const auto addressLength = static_cast<std::size_t>(addressEnd - text.begin());
    std::string_view rest = text.substr(addressLength);
    const std::string_view afterBlanks = trimBlanks(rest);
    const bool blankFollows = afterBlanks.size() < rest.size();
    // "10.0.0.1x" is no address; "10.0.0.1 x" is one with a mask that is not.
    const auto quad = readDottedQuad(text.substr(0, addressLength));
    if (!quad || (!rest.empty() && !blankFollows && rest.front() != '/')) {
        parsed.reason = kNotAnAddress;
        return parsed;
    }
    parsed.isAddress = true;
    for (std::size_t n = 0; n < quad->digits.size(); ++n)
        parsed.octets[n] = quad->digits[n];

    if (afterBlanks.empty())
        return parsed;
    if (afterBlanks.front() == '/') {
        readSlashMask(trimBlanks(afterBlanks.substr(1)), parsed);
    } else {
        parsed.maskBits = dottedMaskBits(afterBlanks);
        if (!parsed.maskBits)
            parsed.reason = notANetworkMask(afterBlanks);
    }
    return parsed;
}

} // namespace quellan
