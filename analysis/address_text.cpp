#include "address_text.h"

#include "number_text.h"

#include <algorithm>
#include <bit>

namespace quellan {

namespace {

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

// Four groups of one to three digits joined by single dots, and nothing else.
bool splitQuad(std::string_view text, std::array<std::string_view, 4>& parts) {
    for (std::size_t n = 0; n < parts.size(); ++n) {
        const std::size_t dot = n + 1 < parts.size() ? text.find('.') : text.size();
        if (dot == std::string_view::npos)
            return false;
        parts[n] = text.substr(0, dot);
        if (!allDigits(parts[n]) || parts[n].size() > 3)
            return false;
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    return true;
}

unsigned smallNumber(std::string_view digits) {
    unsigned value = 0;
    for (const char c : digits)
        value = std::min(value * 10 + static_cast<unsigned>(c - '0'), 1000U);
    return value;
}

std::string notAMaskLength(std::string_view length) {
    return "/" + shownInReason(length) + " is not a mask length.";
}
std::string notANetworkMask(std::string_view mask) {
    return shownInReason(mask) + " is not a network mask.";
}

// What follows "/": a length or a dotted mask.
void readSlashMask(std::string_view mask, ParsedAddress& parsed) {
    if (allDigits(mask)) {
        const unsigned length = smallNumber(mask);
        if (length <= 32)
            parsed.maskBits = static_cast<std::int32_t>(length);
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
    std::array<std::string_view, 4> parts;
    if (!splitQuad(text, parts))
        return std::nullopt;
    std::uint32_t mask = 0;
    for (const std::string_view part : parts) {
        const unsigned octet = smallNumber(part);
        if (octet > 255)
            return std::nullopt;
        mask = (mask << 8) | octet;
    }
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

ParsedAddress parseAddress(std::string_view text) {
    ParsedAddress parsed;
    text = trimBlanks(text);
    const auto addressEnd =
        std::find_if(text.begin(), text.end(), [](char c) { return !isDigit(c) && c != '.'; });
    const auto addressLength = static_cast<std::size_t>(addressEnd - text.begin());
    std::array<std::string_view, 4> parts;
    std::string_view rest = text.substr(addressLength);
    const std::string_view afterBlanks = trimBlanks(rest);
    const bool blankFollows = afterBlanks.size() < rest.size();
    // "10.0.0.1x" is no address; "10.0.0.1 x" is one with a mask that is not.
    if (!splitQuad(text.substr(0, addressLength), parts) ||
        (!rest.empty() && !blankFollows && rest.front() != '/')) {
        parsed.reason = kNotAnAddress;
        return parsed;
    }
    parsed.isAddress = true;
    for (std::size_t n = 0; n < parts.size(); ++n)
        parsed.octets[n] = parts[n];

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
