#pragma once

// The results of an IPv6 address and its prefix length in the forms the
// IPv4 results take (result_formats.h): "Caption: value" lines, one JSON
// object on one line, and single values by JSON key.

#include "addresses/ipv6_text.h"
#include "addresses/reverse_dns.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quellan {

enum class Ipv6Fact {
    Address,
    Expanded,
    PrefixLength,
    Mask,
    Cidr,
    Network,
    First,
    Last,
    Addresses,
    Type,
    EmbeddedIpv4,
    ReverseDns,
};

struct Ipv6Field {
    std::string_view caption; // empty: a JSON key only, with no text line
    std::string_view key;
    Ipv6Fact fact;
};

// In the order of the text lines and of the JSON object, after "input". The
// usable part is every address, as IPv6 has no broadcast address; the keys
// are there because IPv4 addresses have them.
inline constexpr std::array<Ipv6Field, 15> kIpv6Fields{{
    {"Address", "address", Ipv6Fact::Address},
    {"Expanded address", "expanded", Ipv6Fact::Expanded},
    {"Prefix length", "prefixLength", Ipv6Fact::PrefixLength},
    {"Network mask", "mask", Ipv6Fact::Mask},
    {"Network", "cidr", Ipv6Fact::Cidr},
    {"", "network", Ipv6Fact::Network},
    {"First address", "first", Ipv6Fact::First},
    {"Last address", "last", Ipv6Fact::Last},
    {"Addresses", "addresses", Ipv6Fact::Addresses},
    {"Address type", "type", Ipv6Fact::Type},
    {"Embedded IPv4 address", "embeddedIpv4", Ipv6Fact::EmbeddedIpv4},
    {kReverseDnsCaption, kReverseDnsKey, Ipv6Fact::ReverseDns},
    {"First usable address", "usableFirst", Ipv6Fact::First},
    {"Last usable address", "usableLast", Ipv6Fact::Last},
    {"Usable addresses", "usable", Ipv6Fact::Addresses},
}};

// One line per captioned field; the line of a fact the address does not
// have (most have no embedded IPv4 address) is left out. `parsed` is an
// address parseIpv6 read whole.
std::string ipv6ResultsText(const ParsedIpv6& parsed);

// One JSON object on one line: "input" (the text without the blanks around
// it), then the fields by key. The prefix length is a number; the count of
// addresses a string of digits, as it passes what a JSON reader's double
// holds exactly. A key the address has no value for is left out.
std::string ipv6ResultsJson(const ParsedIpv6& parsed, std::string_view input);

// Whether `key` is one of ipv6ResultsJson's keys.
bool isIpv6ResultKey(std::string_view key);
// The value ipv6ResultsJson gives `key`, as plain text; nothing for a key it
// does not have, whether the key is another family's ("class"), one this
// address has no value for ("embeddedIpv4") or none at all.
std::optional<std::string> ipv6ResultValue(const ParsedIpv6& parsed, std::string_view input,
                                           std::string_view key);

} // namespace quellan
