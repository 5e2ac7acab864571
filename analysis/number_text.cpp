#include "number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quellan {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

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

std::string hexText(std::uint32_t value) {
    std::array<char, 8> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, 16);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string signPositionText(std::int64_t value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

std::array<std::uint8_t, 4> octetsOfBinaryText(std::string_view text) {
    std::array<std::uint8_t, 4> octets{};
    for (std::size_t group = 0; group < octets.size(); ++group) {
        unsigned byte = 0;
        for (std::size_t bit = 0; bit < 8; ++bit) {
            const std::size_t position = group * 9 + bit;
            const bool set = position < text.size() && text[position] == '1';
            byte = (byte << 1) | (set ? 1U : 0U);
        }
        octets[group] = static_cast<std::uint8_t>(byte);
    }
    return octets;
}

std::uint32_t addressOfOctets(const std::array<std::uint8_t, 4>& octets) {
    std::uint32_t address = 0;
    for (const std::uint8_t octet : octets)
        address = (address << 8) | octet;
    return address;
}

std::array<std::uint8_t, 4> octetsOfAddress(std::uint32_t address) {
    return {static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
            static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
}

std::string dottedDecimal(const std::array<std::uint8_t, 4>& octets) {
    std::string text;
    text.reserve(15);
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i > 0)
            text += '.';
        text += std::to_string(octets[i]);
    }
    return text;
}

} // namespace quellan
