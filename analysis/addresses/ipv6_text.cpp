#include "addresses/ipv6_text.h"

#include "addresses/address_text.h"
#include "addresses/number_text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quellan {

namespace {

constexpr std::string_view kTwoGaps = "Two '::' in one address.";
constexpr std::string_view kThreeColons = "':::' is in no address.";
constexpr std::string_view kLoneColon = "A single ':' at the start or the end.";
constexpr std::string_view kLongGroup = "A group has four hexadecimal digits at most.";
constexpr std::string_view kTooManyGroups = "More than eight groups.";
constexpr std::string_view kTooFewGroups = "Fewer than eight groups, and no '::' for the rest.";
constexpr std::string_view kBadIpv4Ending = "The dotted ending is not an IPv4 address.";
constexpr std::string_view kEmptyZone = "A zone must follow '%'.";
constexpr std::string_view kBadZone = "A zone holds no blanks, control characters or '%'.";
constexpr std::string_view kTwoSlashes = "Two '/' in one address.";

constexpr std::size_t kGroups = 8;

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The address alone, without zone or length, into `bits`; the reason it is
// none otherwise.
std::string_view readGroups(std::string_view text, Uint128& bits) {
    if (!looksLikeIpv6(text))
        return kNotAnAddress;
    std::array<std::uint16_t, kGroups> groups{};
    std::size_t count = 0;
    std::optional<std::size_t> gap; // how many groups stand before the "::"
    std::size_t i = 0;
    if (text.starts_with("::")) {
        gap = 0;
        i = 2;
        if (i < text.size() && text[i] == ':')
            return kThreeColons;
    } else if (text.front() == ':') {
        return kLoneColon;
    }
    while (i < text.size()) {
        const std::size_t start = i;
        std::uint32_t value = 0;
        for (int digit = 0; i < text.size() && (digit = hexValue(text[i])) >= 0; ++i)
            value = (value << 4) | static_cast<std::uint32_t>(digit);
        if (i < text.size() && text[i] == '.') {
            const auto quad = readDottedQuad(text.substr(start), LeadingZeros::Refused);
            const auto ipv4 = quad ? quad->address() : std::nullopt;
            if (!ipv4)
                return kBadIpv4Ending;
            if (count + 2 > kGroups)
                return kTooManyGroups;
            groups[count++] = static_cast<std::uint16_t>(*ipv4 >> 16);
            groups[count++] = static_cast<std::uint16_t>(*ipv4);
            break;
        }
        const std::size_t digits = i - start;
        if (digits == 0)
            return kNotAnAddress;
        if (digits > 4)
            return kLongGroup;
        if (count == kGroups)
            return kTooManyGroups;
        groups[count++] = static_cast<std::uint16_t>(value);
        if (i == text.size())
            break;
        if (text[i] != ':')
            return kNotAnAddress;
        if (++i == text.size())
            return kLoneColon;
        if (text[i] == ':') {
            if (gap)
                return kTwoGaps;
            gap = count;
            if (++i < text.size() && text[i] == ':')
                return kThreeColons;
        }
    }
    // "::" stands for one zero group or more.
    if (gap && count >= kGroups)
        return kTooManyGroups;
    if (!gap && count < kGroups)
        return kTooFewGroups;
    const std::size_t before = gap.value_or(count);
    bits = 0;
    for (std::size_t k = 0; k < before; ++k)
        bits = (bits << 16) | groups[k];
    for (std::size_t k = count; k < kGroups; ++k)
        bits <<= 16;
    for (std::size_t k = before; k < count; ++k)
        bits = (bits << 16) | groups[k];
    return {};
}

std::string_view zoneRefusal(std::string_view zone) {
    if (zone.empty())
        return kEmptyZone;
    const bool unseen = std::any_of(zone.begin(), zone.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F || c == '%';
    });
    return unseen ? kBadZone : std::string_view{};
}

void readLength(std::string_view length, ParsedIpv6& parsed) {
    if (length.find('/') != std::string_view::npos) {
        parsed.reason = kTwoSlashes;
        return;
    }
    PrefixLength read = readPrefixLength(length, Family::IPv6);
    if (read.reason.empty())
        parsed.prefixLength = read.length;
    else
        parsed.reason = std::move(read.reason);
}

std::array<std::uint16_t, kGroups> groupsOf(Uint128 bits) {
    std::array<std::uint16_t, kGroups> groups{};
    for (std::size_t k = kGroups; k-- > 0;) {
        groups[k] = static_cast<std::uint16_t>(bits);
        bits >>= 16;
    }
    return groups;
}

constexpr std::string_view kHexDigits = "0123456789abcdef";

// One group's digits without leading zeros; returns where they end.
char* writeGroup(char* next, std::uint16_t group) {
    bool started = false;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const unsigned digit = (group >> shift) & 0xFU;
        started = started || digit != 0 || shift == 0;
        if (started)
            *next++ = kHexDigits[digit];
    }
    return next;
}

} // namespace

ParsedIpv6 parseIpv6(std::string_view text) {
    ParsedIpv6 parsed;
    text = trimBlanks(text);
    const std::size_t slash = text.find('/');
    const std::string_view address = text.substr(0, slash);
    const std::size_t percent = address.find('%');
    std::string_view reason = readGroups(address.substr(0, percent), parsed.address.bits);
    if (reason.empty() && percent != std::string_view::npos) {
        parsed.zone = address.substr(percent + 1);
        reason = zoneRefusal(parsed.zone);
    }
    if (!reason.empty()) {
        parsed.reason = reason;
        return parsed;
    }
    if (slash != std::string_view::npos)
        readLength(text.substr(slash + 1), parsed);
    return parsed;
}

void appendIpv6(std::string& out, Uint128 bits) {
    if ((bits >> 32) == 0xFFFFU) {
        out.append("::ffff:");
        appendDottedDecimal(out, octetsOfAddress(static_cast<std::uint32_t>(bits)));
        return;
    }
    const std::array<std::uint16_t, kGroups> groups = groupsOf(bits);
    // The first of the longest runs of two or more zero groups becomes "::".
    std::size_t runStart = kGroups;
    std::size_t runLength = 1;
    for (std::size_t i = 0; i < kGroups;) {
        std::size_t end = i;
        while (end < kGroups && groups[end] == 0)
            ++end;
        if (end - i > runLength) {
            runStart = i;
            runLength = end - i;
        }
        i = std::max(end, i + 1);
    }
    std::array<char, 40> text{};
    char* next = text.data();
    for (std::size_t i = 0; i < kGroups; ++i) {
        if (i == runStart) {
            *next++ = ':';
            *next++ = ':';
            i += runLength - 1;
            continue;
        }
        if (i > 0 && i != runStart + runLength)
            *next++ = ':';
        next = writeGroup(next, groups[i]);
    }
    out.append(text.data(), next);
}

void appendExpandedIpv6(std::string& out, Uint128 bits) {
    constexpr std::size_t kLength = kGroups * 5 - 1;
    const std::size_t start = out.size();
    out.resize(start + kLength, ':');
    // From the last digit back, skipping the colons already in place.
    char* next = out.data() + start + kLength;
    for (std::size_t digit = 0; digit < kGroups * 4; ++digit) {
        if (digit > 0 && digit % 4 == 0)
            --next;
        *--next = kHexDigits[static_cast<std::size_t>(bits & 0xFU)];
        bits >>= 4;
    }
}

} // namespace quellan
