#include "addresses/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

namespace quellan {

// The standard library's writer, into the room made for it at the end of
// `out`: the hand-written one it replaced, with a table of digit pairs, was
// no faster on a million addresses.
void appendDecimal(std::string& out, std::int64_t value) {
    constexpr std::size_t kLongest = 20; // "-9223372036854775808"
    const std::size_t start = out.size();
    out.resize(start + kLongest);
    const auto written = std::to_chars(out.data() + start, out.data() + out.size(), value);
    out.resize(static_cast<std::size_t>(written.ptr - out.data()));
}

// The hexadecimal and dotted writers below make room at the end of `out`,
// write the characters in place and then cut `out` to what they wrote.

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

std::string dottedQuad(std::uint32_t value) {
    std::string text;
    appendDottedDecimal(text, octetsOfAddress(value));
    return text;
}

} // namespace quellan
