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

AddressFacts addressFacts(const WindowState& state) {
    AddressFacts facts;
    for (const std::string& octet : state.octets)
        facts.address = (facts.address << 8) | boxValue(octet);
    facts.maskBits = std::clamp<std::int32_t>(state.sliderValue, 0, 32);
    facts.mask = static_cast<std::uint32_t>(prefixMask(Family::IPv4, facts.maskBits));
    facts.wildcard = dottedQuad(~facts.mask);
    facts.network = dottedQuad(facts.address & facts.mask);
    facts.network.push_back('/');
    appendDecimal(facts.network, facts.maskBits);
    facts.type = addressType(facts.address);
    return facts;
}

} // namespace quellan
