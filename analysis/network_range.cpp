// Last stage of the recalculation: network and broadcast address, the usable
// range between them, the host count, and the mask length in words.

#include "number_text.h"
#include "recalculation.h"

#include <algorithm>
#include <charconv>

namespace quellan {

namespace {

std::int64_t wholeNumber(const std::string& text) {
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

void renderNetworkRange(WindowState& state) {
    const auto addressOctets = octetsOfBinaryText(state.lblBinIPAddr);
    const auto maskOctets = octetsOfBinaryText(state.lblBinMask);
    std::array<std::uint8_t, 4> network{};
    std::array<std::uint8_t, 4> broadcast{};
    for (std::size_t k = 0; k < network.size(); ++k) {
        network[k] = addressOctets[k] & maskOctets[k];
        broadcast[k] = network[k] | static_cast<std::uint8_t>(~maskOctets[k]);
    }

    // Network and broadcast address are not hosts; a single-address mask has
    // no hosts at all rather than minus one.
    state.lblMaxHosts =
        std::to_string(std::max<std::int64_t>(wholeNumber(state.lblMaxHosts) - 2, 0));
    state.lblNetNumber = dottedDecimal(network);
    state.lblBroadcast = dottedDecimal(broadcast);

    // One above the network to one below the broadcast address, counted as
    // 32-bit numbers: up to 31 mask bits only the last octet moves; at 32 the
    // range may carry into the octets before it and wraps at the ends.
    const std::uint32_t first = addressOfOctets(network) + 1U;
    const std::uint32_t last = addressOfOctets(broadcast) - 1U;
    state.lblHosts =
        dottedDecimal(octetsOfAddress(first)) + " - " + dottedDecimal(octetsOfAddress(last));

    state.sliderToolTip = signPositionText(state.sliderValue) + " bits in mask.";
    state.statusText.clear();
    state.lblBits = signPositionText(state.sliderValue);
}

} // namespace quellan
