// Last stage of the recalculation: network and broadcast address, the usable
// range between them, the host count, and the mask length in words.

#include "addresses/number_text.h"
#include "calculator/octet_text.h"
#include "calculator/recalculation.h"

#include <algorithm>
#include <charconv>

namespace quellan {

namespace {

// One above the network and one below the broadcast address, as 32-bit
// numbers: up to 31 mask bits only the last octet moves; at 32 the range
// carries into the octets before it and wraps at the ends of the space.
constexpr std::uint32_t firstHostOf(std::uint32_t network) {
    return network + 1U;
}
constexpr std::uint32_t lastHostOf(std::uint32_t broadcast) {
    return broadcast - 1U;
}

// Network and broadcast address are not hosts; a network of one or two
// addresses has no hosts at all rather than minus one.
constexpr std::int64_t usableHostCount(std::int64_t addresses) {
    return std::max<std::int64_t>(addresses - 2, 0);
}

std::int64_t wholeNumber(const std::string& text) {
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

void renderNetworkRange(WindowState& state) {
    const Octets addressOctets = octetsOfBinaryText(state.lblBinIPAddr);
    const Octets maskOctets = octetsOfBinaryText(state.lblBinMask);
    Octets network{};
    Octets broadcast{};
    for (std::size_t k = 0; k < network.size(); ++k) {
        network[k] = addressOctets[k] & maskOctets[k];
        broadcast[k] = network[k] | static_cast<std::uint8_t>(~maskOctets[k]);
    }

    const std::int64_t addresses = wholeNumber(state.lblMaxHosts);
    state.lblMaxHosts.clear();
    appendDecimal(state.lblMaxHosts, usableHostCount(addresses));
    state.lblNetNumber.clear();
    appendDottedDecimal(state.lblNetNumber, network);
    state.lblBroadcast.clear();
    appendDottedDecimal(state.lblBroadcast, broadcast);

    const std::uint32_t first = firstHostOf(addressOfOctets(network));
    const std::uint32_t last = lastHostOf(addressOfOctets(broadcast));
    state.lblHosts.clear();
    appendDottedDecimal(state.lblHosts, octetsOfAddress(first));
    state.lblHosts.append(" - ");
    appendDottedDecimal(state.lblHosts, octetsOfAddress(last));

    state.sliderToolTip.clear();
    appendSignPosition(state.sliderToolTip, state.sliderValue);
    state.sliderToolTip.append(" bits in mask.");
    state.statusText.clear();
    state.lblBits.clear();
    appendSignPosition(state.lblBits, state.sliderValue);
}

} // namespace quellan
