#include "addresses/address_registry.h"

#include "addresses/ipv6_text.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace quellan {

namespace {

struct RegistryBlock {
    std::uint32_t prefix;
    std::int32_t length;
    std::string_view type;
};

constexpr std::uint32_t quad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return (a << 24) | (b << 16) | (c << 8) | d;
}

constexpr std::string_view kPrivateUse = "Private-use (RFC 1918)";
constexpr std::string_view kDocumentation = "Documentation (RFC 5737)";

// IANA's IPv4 special-purpose address registry, with multicast. The first
// block that holds an address names it, so a block comes before any that
// surrounds it: 255.255.255.255 before the reserved 240/4, the single
// addresses before 192.0.0.0/24.
constexpr RegistryBlock kRegistry[] = {
    {quad(0, 0, 0, 0), 32, "This host on this network (RFC 1122)"},
    {quad(0, 0, 0, 0), 8, "This network (RFC 791)"},
    {quad(10, 0, 0, 0), 8, kPrivateUse},
    {quad(100, 64, 0, 0), 10, "Shared address space (RFC 6598)"},
    {quad(127, 0, 0, 0), 8, "Loopback (RFC 1122)"},
    {quad(169, 254, 0, 0), 16, "Link-local (RFC 3927)"},
    {quad(172, 16, 0, 0), 12, kPrivateUse},
    {quad(192, 0, 0, 0), 29, "IPv4 service continuity prefix (RFC 7335)"},
    {quad(192, 0, 0, 8), 32, "Dummy address (RFC 7600)"},
    {quad(192, 0, 0, 9), 32, "Port Control Protocol anycast (RFC 7723)"},
    {quad(192, 0, 0, 10), 32, "TURN anycast (RFC 8155)"},
    {quad(192, 0, 0, 170), 31, "NAT64/DNS64 discovery (RFC 8880)"},
    {quad(192, 0, 0, 0), 24, "IETF protocol assignments (RFC 6890)"},
    {quad(192, 0, 2, 0), 24, kDocumentation},
    {quad(192, 31, 196, 0), 24, "AS112-v4 (RFC 7535)"},
    {quad(192, 52, 193, 0), 24, "AMT (RFC 7450)"},
    {quad(192, 88, 99, 0), 24, "6to4 relay anycast (RFC 7526)"},
    {quad(192, 168, 0, 0), 16, kPrivateUse},
    {quad(192, 175, 48, 0), 24, "Direct delegation AS112 (RFC 7534)"},
    {quad(198, 18, 0, 0), 15, "Benchmarking (RFC 2544)"},
    {quad(198, 51, 100, 0), 24, kDocumentation},
    {quad(203, 0, 113, 0), 24, kDocumentation},
    {quad(224, 0, 0, 0), 4, "Multicast (RFC 5771)"},
    {quad(255, 255, 255, 255), 32, "Limited broadcast (RFC 919)"},
    {quad(240, 0, 0, 0), 4, "Reserved (RFC 1112)"},
};

// Where a block's addresses carry an IPv4 address.
enum class Ipv4Inside {
    None,
    LastBits,         // IPv4-mapped and the well-known translation prefix
    Bits16To47,       // 6to4
    LastBitsInverted, // Teredo: the client's address, every bit flipped
};

struct Ipv6Block {
    std::string_view block;
    std::string_view type;
    Ipv4Inside ipv4 = Ipv4Inside::None;
};

// The most specific block that holds an address names it, so the order here
// does not matter; outside them all an address is reserved.
constexpr std::string_view kIpv6Reserved = "Reserved by IETF (RFC 4291)";
constexpr Ipv6Block kIpv6Registry[] = {
    {"::1/128", "Loopback (RFC 4291)"},
    {"::/128", "Unspecified (RFC 4291)"},
    {"::ffff:0:0/96", "IPv4-mapped (RFC 4291)", Ipv4Inside::LastBits},
    {"64:ff9b::/96", "IPv4/IPv6 translation (RFC 6052)", Ipv4Inside::LastBits},
    {"64:ff9b:1::/48", "IPv4/IPv6 translation, local use (RFC 8215)"},
    {"100::/64", "Discard-only (RFC 6666)"},
    {"100:0:0:1::/64", "Dummy prefix (RFC 9780)"},
    {"2001::/23", "IETF protocol assignments (RFC 2928)"},
    {"2001::/32", "Teredo (RFC 4380)", Ipv4Inside::LastBitsInverted},
    {"2001:1::1/128", "Port Control Protocol anycast (RFC 7723)"},
    {"2001:1::2/128", "TURN anycast (RFC 8155)"},
    {"2001:1::3/128", "DNS-SD SRP anycast (RFC 9665)"},
    {"2001:2::/48", "Benchmarking (RFC 5180)"},
    {"2001:3::/32", "AMT (RFC 7450)"},
    {"2001:4:112::/48", "AS112-v6 (RFC 7535)"},
    {"2001:10::/28", "Deprecated ORCHID (RFC 4843)"},
    {"2001:20::/28", "ORCHIDv2 (RFC 7343)"},
    {"2001:30::/28", "Drone Remote ID (RFC 9374)"},
    {"2001:db8::/32", "Documentation (RFC 3849)"},
    {"2002::/16", "6to4 (RFC 3056)", Ipv4Inside::Bits16To47},
    {"2620:4f:8000::/48", "Direct delegation AS112 (RFC 7534)"},
    {"3fff::/20", "Documentation (RFC 9637)"},
    {"5f00::/16", "SRv6 SIDs (RFC 9602)"},
    {"fc00::/7", "Unique local (RFC 4193)"},
    {"fe80::/10", "Link-local (RFC 4291)"},
    {"fec0::/10", "Site-local, deprecated (RFC 3879)"},
    {"ff00::/8", "Multicast (RFC 4291)"},
    {"2000::/3", "Global unicast (RFC 4291)"},
};

struct Ipv6Prefix {
    Uint128 prefix = 0;
    Uint128 mask = 0;
    std::int32_t length = 0;
};

// The registry's texts read once, on first use.
const std::array<Ipv6Prefix, std::size(kIpv6Registry)>& ipv6Prefixes() {
    static const auto prefixes = [] {
        std::array<Ipv6Prefix, std::size(kIpv6Registry)> read{};
        for (std::size_t i = 0; i < read.size(); ++i) {
            const ParsedIpv6 parsed = parseIpv6(kIpv6Registry[i].block);
            read[i].length = parsed.prefixLength;
            read[i].mask = prefixMask(Family::IPv6, parsed.prefixLength);
            read[i].prefix = parsed.address.bits & read[i].mask;
        }
        return read;
    }();
    return prefixes;
}

} // namespace

std::string_view addressType(std::uint32_t address) {
    for (const RegistryBlock& block : kRegistry)
        if ((address & static_cast<std::uint32_t>(prefixMask(Family::IPv4, block.length))) ==
            block.prefix)
            return block.type;
    return "Public";
}

Ipv6Type ipv6Type(Uint128 address) {
    const auto& prefixes = ipv6Prefixes();
    std::size_t found = prefixes.size();
    for (std::size_t i = 0; i < prefixes.size(); ++i)
        if ((address & prefixes[i].mask) == prefixes[i].prefix &&
            (found == prefixes.size() || prefixes[i].length > prefixes[found].length))
            found = i;
    if (found == prefixes.size())
        return {kIpv6Reserved, std::nullopt};
    const Ipv6Block& block = kIpv6Registry[found];
    const auto low = static_cast<std::uint32_t>(address);
    switch (block.ipv4) {
    case Ipv4Inside::None:
        return {block.type, std::nullopt};
    case Ipv4Inside::LastBits:
        return {block.type, low};
    case Ipv4Inside::Bits16To47:
        return {block.type, static_cast<std::uint32_t>(address >> 80)};
    case Ipv4Inside::LastBitsInverted:
        return {block.type, ~low};
    }
    return {block.type, std::nullopt};
}

} // namespace quellan
