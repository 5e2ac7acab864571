#include "calculator/address_facts.h"

#include "addresses/address_registry.h"
#include "addresses/ip_address.h"
#include "addresses/number_text.h"
#include "calculator/octet_text.h"

#include <algorithm>

namespace quellan {

namespace {

std::uint32_t boxValue(const std::string& text) {
    if (text.empty())
        return 0;
    // The low eight bits, as Bin2BitStr writes them.
    const std::int32_t plain = plainDigits(text);
    const std::int32_t value = plain >= 0 ? plain : octetValue(text).value_or(0);
    return static_cast<std::uint32_t>(value) & 0xFFU;
}

} // namespace

GivenNetwork givenNetwork(std::uint32_t address, std::optional<std::int32_t> length) {
    if (length)
        return {address, std::clamp<std::int32_t>(*length, 0, 32)};
    const std::uint32_t firstOctet = address >> 24;
    const std::int32_t classDefault = firstOctet < 128   ? 8
                                      : firstOctet < 192 ? 16
                                      : firstOctet < 224 ? 24
                                                         : 32;
    return {address, classDefault};
}

AddressFacts addressFacts(const WindowState& state) {
    std::uint32_t address = 0;
    for (const std::string& octet : state.octets)
        address = (address << 8) | boxValue(octet);
    return addressFacts(GivenNetwork{address, std::clamp<std::int32_t>(state.sliderValue, 0, 32)});
}

AddressFacts addressFacts(const GivenNetwork& network) {
    AddressFacts facts;
    facts.address = network.address;
    facts.maskBits = network.length;
    facts.mask = static_cast<std::uint32_t>(prefixMask(Family::IPv4, facts.maskBits));
    const std::uint32_t first = facts.address & facts.mask;
    const std::uint32_t last = first | ~facts.mask;
    facts.wildcard = dottedQuad(~facts.mask);
    facts.network = dottedQuad(first);
    facts.network.push_back('/');
    appendDecimal(facts.network, facts.maskBits);
    facts.type = addressType(facts.address);

    appendDecimal(facts.prefixLength, facts.maskBits);
    facts.first = dottedQuad(first);
    facts.last = dottedQuad(last);
    const std::int32_t hostBits = 32 - facts.maskBits;
    appendPowerOfTwo(facts.addresses, hostBits);
    // A /31 is a point-to-point link with no network or broadcast address.
    const bool edgesUsable = hostBits <= 1;
    facts.usableFirst = dottedQuad(edgesUsable ? first : first + 1);
    facts.usableLast = dottedQuad(edgesUsable ? last : last - 1);
    const std::int64_t count = std::int64_t{1} << hostBits;
    appendDecimal(facts.usable, edgesUsable ? count : count - 2);
    return facts;
}

} // namespace quellan
