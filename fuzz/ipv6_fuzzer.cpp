// Reads the input as IPv6 text, and its first bytes as an address and a
// prefix length, and checks what must hold of every address that reads: its
// written forms read back as the same 128 bits, and the block's facts agree
// with arithmetic done here another way.

#include "addresses/ipv6_results.h"
#include "fuzz_checks.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quellan::Uint128;
using quellan::fuzz::jsonSafe;
using quellan::fuzz::require;

Uint128 readBack(const std::string& text, const char* what) {
    const quellan::ParsedIpv6 parsed = quellan::parseIpv6(text);
    require(parsed.reason.empty() && parsed.zone.empty() && parsed.prefixLength == 128, what);
    return parsed.address.bits;
}

// 2^n by doubling decimal digits, nothing like the code under test.
std::string powerOfTwo(int n) {
    std::string digits = "1"; // last digit first
    for (int i = 0; i < n; ++i) {
        int carry = 0;
        for (char& digit : digits) {
            const int doubled = (digit - '0') * 2 + carry;
            digit = static_cast<char>('0' + doubled % 10);
            carry = doubled / 10;
        }
        if (carry > 0)
            digits.push_back('1');
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

// RFC 5952's text: lower-case groups without leading zeros, at most one "::".
bool canonicalShape(std::string_view text) {
    if (text.starts_with("::ffff:") && text.find('.') != std::string_view::npos)
        return true; // dotted, checked by reading it back
    const std::size_t gap = text.find("::");
    if (gap != std::string_view::npos && text.find("::", gap + 1) != std::string_view::npos)
        return false;
    std::size_t groupLength = 0;
    char groupFirst = 0;
    for (const char c : text) {
        if (c == ':') {
            if (groupLength > 1 && groupFirst == '0')
                return false;
            groupLength = 0;
            continue;
        }
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) || ++groupLength > 4)
            return false;
        if (groupLength == 1)
            groupFirst = c;
    }
    return !(groupLength > 1 && groupFirst == '0');
}

std::string value(const quellan::ParsedIpv6& parsed, std::string_view key) {
    const auto text = quellan::ipv6ResultValue(parsed, "", key);
    require(text.has_value(), "a key every address has");
    return *text;
}

void checkAddress(const quellan::ParsedIpv6& parsed, std::string_view input) {
    const Uint128 bits = parsed.address.bits;
    const int length = parsed.prefixLength;
    require(length >= 0 && length <= 128, "prefix length");

    std::string written;
    quellan::appendIpv6(written, bits);
    require(canonicalShape(written), "RFC 5952 shape");
    require(readBack(written, "written text reads") == bits, "written text reads back");
    std::string expanded;
    quellan::appendExpandedIpv6(expanded, bits);
    require(expanded.size() == 39, "expanded length");
    require(readBack(expanded, "expanded text reads") == bits, "expanded text reads back");
    require(value(parsed, "expanded") == expanded, "expanded value");

    // The block by one bit at a time.
    Uint128 mask = 0;
    for (int bit = 0; bit < length; ++bit)
        mask |= Uint128{1} << (127 - bit);
    const Uint128 first = readBack(value(parsed, "first"), "first reads");
    const Uint128 last = readBack(value(parsed, "last"), "last reads");
    require(first <= bits && bits <= last, "first <= address <= last");
    require(first == (bits & mask) && last == (first | ~mask), "first and last of the block");
    require(readBack(value(parsed, "mask"), "mask reads") == mask, "mask");
    require(value(parsed, "addresses") == powerOfTwo(128 - length), "address count");
    require(value(parsed, "cidr") == value(parsed, "network") + "/" + std::to_string(length),
            "network in CIDR notation");

    const std::string json = quellan::ipv6ResultsJson(parsed, input);
    require(jsonSafe(json) && json.starts_with("{\"input\":") && json.ends_with("\"}"),
            "JSON of any address");
    const std::string text = quellan::ipv6ResultsText(parsed);
    require(!text.empty() && text.back() == '\n', "text lines");
    require(std::none_of(text.begin(), text.end(),
                         [](char c) { return (c >= 0 && c < ' ' && c != '\n') || c == 0x7F; }),
            "text lines hold no control characters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const quellan::ParsedIpv6 parsed = quellan::parseIpv6(input);
    if (parsed.reason.empty())
        checkAddress(parsed, input);
    else
        require(parsed.reason.ends_with('.') &&
                    std::all_of(parsed.reason.begin(), parsed.reason.end(),
                                [](char c) { return c >= ' ' && c <= '~'; }),
                "a reason a terminal shows as it is");

    // Every bit pattern, not only those the fuzzer manages to spell.
    if (size >= 17) {
        quellan::ParsedIpv6 made;
        for (std::size_t i = 0; i < 16; ++i)
            made.address.bits = (made.address.bits << 8) | data[i];
        made.prefixLength = data[16] % 129;
        checkAddress(made, input.substr(0, 17));
    }
    return 0;
}
