#include "address_facts.h"

#include "number_text.h"

#include <algorithm>

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

constexpr std::uint32_t maskOfLength(std::int32_t length) {
    return length <= 0 ? 0U : ~std::uint32_t{0} << (32 - length);
}

constexpr std::string_view kPrivateUse = "Private-use (RFC 1918)";
constexpr std::string_view kDocumentation = "Documentation (RFC 5737)";

// The first block that holds an address names it; 255.255.255.255 comes
// before the reserved 240/4 that surrounds it.
constexpr RegistryBlock kRegistry[] = {
    {quad(0, 0, 0, 0), 8, "This network (RFC 791)"},
    {quad(10, 0, 0, 0), 8, kPrivateUse},
    {quad(100, 64, 0, 0), 10, "Shared address space (RFC 6598)"},
    {quad(127, 0, 0, 0), 8, "Loopback (RFC 1122)"},
    {quad(169, 254, 0, 0), 16, "Link-local (RFC 3927)"},
    {quad(172, 16, 0, 0), 12, kPrivateUse},
    {quad(192, 0, 0, 0), 24, "IETF protocol assignments (RFC 6890)"},
    {quad(192, 0, 2, 0), 24, kDocumentation},
    {quad(192, 88, 99, 0), 24, "6to4 relay anycast (RFC 7526)"},
    {quad(192, 168, 0, 0), 16, kPrivateUse},
    {quad(198, 18, 0, 0), 15, "Benchmarking (RFC 2544)"},
    {quad(198, 51, 100, 0), 24, kDocumentation},
    {quad(203, 0, 113, 0), 24, kDocumentation},
    {quad(224, 0, 0, 0), 4, "Multicast (RFC 5771)"},
    {quad(255, 255, 255, 255), 32, "Limited broadcast (RFC 919)"},
    {quad(240, 0, 0, 0), 4, "Reserved (RFC 1112)"},
};

std::uint32_t boxValue(const std::string& text) {
    if (text.empty())
        return 0;
    // The low eight bits, as Bin2BitStr writes them.
    const std::int32_t plain = plainDigits(text);
    const std::int32_t value = plain >= 0 ? plain : octetValue(text).value_or(0);
    return static_cast<std::uint32_t>(value) & 0xFFU;
}

} // namespace

std::string_view addressType(std::uint32_t address) {
    for (const RegistryBlock& block : kRegistry)
        if ((address & maskOfLength(block.length)) == block.prefix)
            return block.type;
    return "Public";
}

std::string dottedQuad(std::uint32_t value) {
    std::string text;
    appendDottedDecimal(text, octetsOfAddress(value));
    return text;
}

AddressFacts addressFacts(const WindowState& state) {
    AddressFacts facts;
    for (const std::string& octet : state.octets)
        facts.address = (facts.address << 8) | boxValue(octet);
    facts.maskBits = std::clamp<std::int32_t>(state.sliderValue, 0, 32);
    facts.mask = maskOfLength(facts.maskBits);
    facts.wildcard = dottedQuad(~facts.mask);
    facts.network = dottedQuad(facts.address & facts.mask);
    facts.network.push_back('/');
    appendDecimal(facts.network, facts.maskBits);
    facts.type = addressType(facts.address);
    return facts;
}

} // namespace quellan
