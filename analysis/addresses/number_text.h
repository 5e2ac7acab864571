#pragma once

// The characters every reader of address text agrees on, and numbers
// written in the forms the results use. Nothing here throws or has undefined
// behaviour for any text.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quellan {

// The characters every text reader here agrees on: ASCII digits, and the
// blanks that may stand around a number (space, tab and line ends).
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
// One digit or more, and nothing else.
constexpr bool allDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (const char c : text)
        if (!isDigit(c))
            return false;
    return true;
}
constexpr std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

using Octets = std::array<std::uint8_t, 4>;

// The number forms of the fields. Each appends, so that a field can be
// rewritten in place without giving up the memory it already holds.

// Plain decimal digits, "-" before a negative value.
void appendDecimal(std::string& out, std::int64_t value);
// Upper-case hexadecimal digits without leading zeros ("0" for zero).
void appendHex(std::string& out, std::uint32_t value);
// One blank before the digits for 0 or more, "-" before them otherwise.
void appendSignPosition(std::string& out, std::int64_t value);
// Four octets joined by ".", in decimal or in hexadecimal.
void appendDottedDecimal(std::string& out, const Octets& octets);
void appendDottedHex(std::string& out, const Octets& octets);

// "192.168.1.0"
std::string dottedQuad(std::uint32_t value);

std::uint32_t addressOfOctets(const Octets& octets);
Octets octetsOfAddress(std::uint32_t address);

} // namespace quellan
