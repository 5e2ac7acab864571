#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

// Reads a text that decimalNumberLength accepted in full. A number too large
// for a double reads as an infinity of its sign, one too small as zero.
double parseDecimal(std::string_view number) {
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-')
        number.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view whole = number.substr(0, number.find('.'));
        const bool huge = whole.find_first_not_of('0') != std::string_view::npos;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace

std::optional<std::int32_t> octetValue(std::string_view text) {
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
    // nearbyint rounds halves to the even neighbour in the default mode.
    const double rounded = std::nearbyint(parseDecimal(text));
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

LeadingNumber leadingNumber(std::string_view text) {
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

void appendDecimal(std::string& out, std::int64_t value) {
    std::array<char, 20> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
}

void appendHex(std::string& out, std::uint32_t value) {
    std::array<char, 8> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, 16);
    for (char* c = buffer.data(); c != result.ptr; ++c)
        if (*c >= 'a')
            *c = static_cast<char>(*c - 'a' + 'A');
    out.append(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
}

void appendSignPosition(std::string& out, std::int64_t value) {
    if (value >= 0)
        out.push_back(' ');
    appendDecimal(out, value);
}

void appendDottedDecimal(std::string& out, const Octets& octets) {
    // Octets are the bulk of what the fields show; writing their one to three
    // digits directly keeps a recalculation clear of many tiny copies.
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i > 0)
            out.push_back('.');
        const unsigned octet = octets[i];
        if (octet >= 100)
            out.push_back(static_cast<char>('0' + octet / 100));
        if (octet >= 10)
            out.push_back(static_cast<char>('0' + octet / 10 % 10));
        out.push_back(static_cast<char>('0' + octet % 10));
    }
}

void appendDottedHex(std::string& out, const Octets& octets) {
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i > 0)
            out.push_back('.');
        appendHex(out, octets[i]);
    }
}

Octets octetsOfBinaryText(std::string_view text) {
    Octets octets{};
    for (std::size_t group = 0; group < octets.size(); ++group) {
        const std::string_view bits = text.substr(std::min(group * 9, text.size()), 8);
        unsigned byte = 0;
        for (std::size_t bit = 0; bit < 8; ++bit)
            byte = (byte << 1) | (bit < bits.size() && bits[bit] == '1' ? 1U : 0U);
        octets[group] = static_cast<std::uint8_t>(byte);
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
