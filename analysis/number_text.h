#pragma once

// Reading numbers out of octet texts and writing numbers in the forms the
// fields use. Nothing here throws or has undefined behaviour for any text.

#include <array>
#include <cstdint>
#include <optional>
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
constexpr std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// An octet text read as a decimal number: blanks around it ignored, a
// fraction rounded to the nearest whole number with halves to the even
// neighbour. Empty when the text is not such a number or the result lies
// outside the signed 32-bit range.
std::optional<std::int32_t> octetValue(std::string_view text);

// The octet value of one to three plain digits, what a box nearly always
// holds; -1 for any other text. For the recalculation's hot path: GCC passes
// an optional<int> back through memory, and reading it stalls the caller.
std::int32_t plainDigits(std::string_view text);

// A text read the lenient way the octet check reads it: blanks anywhere are
// skipped and the longest leading decimal number counts. `found` is false
// when no digit begins the text; the value is then 0.
struct LeadingNumber {
    double value = 0.0;
    bool found = false;
};
LeadingNumber leadingNumber(std::string_view text);

// The nearest whole number, halves to the even neighbour: nearbyint() in the
// default rounding mode, without the maths library, whose loading alone
// would slow the command-line tool's start measurably.
double roundHalfEven(double value);

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

// The four bytes that a 35-character binary text spells, group by group.
// Only "1" counts as a set bit; a text cut short reads as zeros where it ends.
Octets octetsOfBinaryText(std::string_view text);

std::uint32_t addressOfOctets(const Octets& octets);
Octets octetsOfAddress(std::uint32_t address);

} // namespace quellan
