#include "number_text.h"

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
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
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

// "00" to "99", for writing decimal numbers two digits at a time.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t n = 0; n < 100; ++n) {
        pairs[2 * n] = static_cast<char>('0' + n / 10);
        pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();

} // namespace

// The writers below make room at the end of `out`, write the characters in
// place and then cut `out` to what they wrote. Branching on how many digits
// each number has, or assembling the text in a buffer of its own and copying
// that out, costs more than the writing itself.

namespace {

constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

std::size_t decimalLength(std::uint64_t value) {
    // log10(2) is about 1233 / 4096; the estimate is exact or one too small.
    const auto estimate = static_cast<std::size_t>(std::bit_width(value) * 1233 >> 12);
    return estimate + (estimate < kPowersOfTen.size() && value >= kPowersOfTen[estimate] ? 1 : 0) +
           (value == 0 ? 1 : 0);
}

} // namespace

void appendDecimal(std::string& out, std::int64_t value) {
    std::uint64_t magnitude =
        value < 0 ? 0U - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::size_t length = decimalLength(magnitude) + (value < 0 ? 1 : 0);
    out.append(length, '-');
    char* next = out.data() + out.size();
    while (magnitude >= 100) {
        next -= 2;
        std::memcpy(next, &kDigitPairs[2 * (magnitude % 100)], 2);
        magnitude /= 100;
    }
    if (magnitude >= 10) {
        next -= 2;
        std::memcpy(next, &kDigitPairs[2 * magnitude], 2);
    } else {
        next[-1] = static_cast<char>('0' + magnitude);
    }
}

namespace {

// Writes `value` in upper-case hexadecimal to end just before `end`.
void writeHexBefore(char* end, std::uint32_t value) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    do {
        *--end = kDigits[value & 0xFU];
        value >>= 4;
    } while (value != 0);
}

std::size_t hexLength(std::uint32_t value) {
    return value == 0 ? 1 : static_cast<std::size_t>((std::bit_width(value) + 3) / 4);
}

} // namespace

void appendHex(std::string& out, std::uint32_t value) {
    out.append(hexLength(value), '0');
    writeHexBefore(out.data() + out.size(), value);
}

void appendSignPosition(std::string& out, std::int64_t value) {
    if (value >= 0)
        out.push_back(' ');
    appendDecimal(out, value);
}

namespace {

// Each octet's decimal digits, written out once: four characters, the digits
// first, and how many of them there are.
struct OctetDigits {
    std::array<char, 4> text;
    std::uint8_t length;
};

constexpr std::array<OctetDigits, 256> kOctetDigits = [] {
    std::array<OctetDigits, 256> table{};
    for (unsigned octet = 0; octet < table.size(); ++octet) {
        OctetDigits& digits = table[octet];
        if (octet >= 100)
            digits.text[digits.length++] = static_cast<char>('0' + octet / 100);
        if (octet >= 10)
            digits.text[digits.length++] = static_cast<char>('0' + octet / 10 % 10);
        digits.text[digits.length++] = static_cast<char>('0' + octet % 10);
    }
    return table;
}();

} // namespace

void appendDottedDecimal(std::string& out, const Octets& octets) {
    // Each octet's four table characters are copied whole; the next octet, or
    // the final cut, takes back what lies past its digits.
    const std::size_t start = out.size();
    out.resize(start + 16);
    char* next = out.data() + start;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const OctetDigits& digits = kOctetDigits[octets[i]];
        std::memcpy(next, digits.text.data(), digits.text.size());
        next += digits.length;
        *next = '.';
        next += i + 1 < octets.size() ? 1 : 0;
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
}

void appendDottedHex(std::string& out, const Octets& octets) {
    std::size_t length = octets.size() - 1;
    for (const std::uint8_t octet : octets)
        length += hexLength(octet);
    out.append(length, '.');
    char* end = out.data() + out.size();
    for (std::size_t i = octets.size(); i-- > 0;) {
        writeHexBefore(end, octets[i]);
        end -= hexLength(octets[i]) + 1;
    }
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

std::uint32_t addressOfOctets(const Octets& octets) {
    std::uint32_t address = 0;
    for (const std::uint8_t octet : octets)
        address = (address << 8) | octet;
    return address;
}

Octets octetsOfAddress(std::uint32_t address) {
    return {static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
            static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
}

} // namespace quellan
