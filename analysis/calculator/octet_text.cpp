#include "calculator/octet_text.h"

#include "addresses/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace quellan {

namespace {

// Length of the decimal number at the start of `text`: an optional sign,
// digits, an optional point with more digits; at least one digit in all.
// Zero when there is none.
std::size_t decimalNumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t afterPoint = i + 1;
        std::size_t fraction = 0;
        while (afterPoint < text.size() && isDigit(text[afterPoint])) {
            ++afterPoint;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = afterPoint;
            digits += fraction;
        }
    }
    return digits > 0 ? i : 0;
}

// Reads a text that decimalNumberLength accepted in full, to the nearest
// double. A number too large for a double reads as an infinity of its sign,
// one too small as zero or the tiny value it is. Written for strtod as digits
// and a power of ten, "1234E-2" for "12.34": with no decimal point in it, the
// reading cannot depend on the locale a program has set, as the window's
// toolkit does. (std::from_chars would need the maths library loaded for
// its rounding-mode checks, slowing the command-line tool's start.)
double parseDecimal(std::string_view number) {
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-')
        number.remove_prefix(1);
    std::string digits;
    digits.reserve(number.size() + 24);
    std::size_t fractionDigits = 0;
    bool inFraction = false;
    for (const char c : number) {
        if (c == '.') {
            inFraction = true;
            continue;
        }
        digits.push_back(c);
        fractionDigits += inFraction ? 1 : 0;
    }
    digits.append("E-");
    appendDecimal(digits, static_cast<std::int64_t>(fractionDigits));
    const double value = std::strtod(digits.c_str(), nullptr);
    return negative ? -value : value;
}

} // namespace

std::int32_t plainDigits(std::string_view text) {
    if (text.empty() || text.size() > 3)
        return -1;
    std::int32_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<std::int32_t> octetValue(std::string_view text) {
    if (const std::int32_t plain = plainDigits(text); plain >= 0)
        return plain;
    text = trimBlanks(text);
    if (text.empty() || decimalNumberLength(text) != text.size())
        return std::nullopt;
    // What a box holds, a few plain digits, needs no floating point.
    if (text.size() <= 9 && text.find('.') == std::string_view::npos) {
        std::int32_t value = 0;
        const char* begin = text.data() + (text.front() == '+' ? 1 : 0);
        std::from_chars(begin, text.data() + text.size(), value);
        return value;
    }
    const double rounded = roundHalfEven(parseDecimal(text));
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

double roundHalfEven(double value) {
    // From 2^52 on a double holds whole numbers only, so adding 2^52 rounds
    // the fraction away as the hardware rounds, halves to even; taking it
    // off again is exact. Larger values, infinities and NaN are left alone.
    constexpr double kTwoTo52 = 4503599627370496.0;
    if (!(std::fabs(value) < kTwoTo52))
        return value;
    return value >= 0 ? (value + kTwoTo52) - kTwoTo52 : -((-value + kTwoTo52) - kTwoTo52);
}

LeadingNumber leadingNumber(std::string_view text) {
    if (const std::int32_t value = plainDigits(text); value >= 0)
        return {static_cast<double>(value), true};
    std::string squeezed;
    squeezed.reserve(text.size());
    for (const char c : text)
        if (!isBlank(c))
            squeezed.push_back(c);
    const std::size_t length = decimalNumberLength(squeezed);
    if (length == 0)
        return {};
    return {parseDecimal(std::string_view(squeezed).substr(0, length)), true};
}

namespace {

// Four groups of eight bit characters with a dot between each two.
constexpr std::size_t kBinaryTextLength = 35;

// The eight characters at `group`, "1" a set bit and anything else clear,
// read at once on a little-endian machine: each "1" becomes a zero byte of `x`, the zero bytes mark
// their top bits in `ones`, and the multiplication gathers those eight bits
// into the top byte, the first character highest.
std::uint8_t bitGroup(const char* group) {
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, group, sizeof chunk);
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = chunk ^ 0x3131313131313131ULL; // "1" in every byte
    const std::uint64_t ones = ~(((x & kLow7) + kLow7) | x) & ~kLow7;
    return static_cast<std::uint8_t>(((ones >> 7) * 0x8040201008040201ULL) >> 56);
}

} // namespace

Octets octetsOfBinaryText(std::string_view text) {
    Octets octets{};
    if (std::endian::native == std::endian::little && text.size() >= kBinaryTextLength) {
        for (std::size_t group = 0; group < octets.size(); ++group)
            octets[group] = bitGroup(text.data() + group * 9);
        return octets;
    }
    for (std::size_t group = 0; group < octets.size(); ++group) {
        const std::string_view bits = text.substr(std::min(group * 9, text.size()), 8);
        unsigned byte = 0;
        for (const char bit : bits)
            byte = (byte << 1) | (bit == '1' ? 1U : 0U);
        // A group cut short reads as zeros where the text ends.
        octets[group] = static_cast<std::uint8_t>(byte << (8 - bits.size()));
    }
    return octets;
}

} // namespace quellan
