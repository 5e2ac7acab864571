// Second stage of the recalculation: the address as one number, the mask in
// its three renderings, and the network and host counts.

#include "number_text.h"
#include "recalculation.h"

#include <algorithm>
#include <cstdint>

namespace quellan {

namespace {

// The mask's one bits; the slider may hold 0 (class D and E) and a caller
// anything else, and a mask has no fewer than 0 nor more than 32 of them.
int oneBits(std::int32_t maskBits) {
    return std::clamp<std::int32_t>(maskBits, 0, 32);
}

std::string binaryMask(int ones) {
    std::string text;
    text.reserve(kZeroBinaryText.size());
    for (int i = 1; i <= 32; ++i) {
        text.push_back(i <= ones ? '1' : '0');
        if (i == 8 || i == 16 || i == 24)
            text.push_back('.');
    }
    return text;
}

std::string joinHex(const std::array<std::uint8_t, 4>& octets) {
    std::string text;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i > 0)
            text.push_back('.');
        text.append(hexText(octets[i]));
    }
    return text;
}

} // namespace

void renderMask(WindowState& state) {
    const std::uint32_t address = addressOfOctets(octetsOfBinaryText(state.lblBinIPAddr));
    state.lbl32Decimal = std::to_string(address);

    const int ones = oneBits(state.sliderValue);
    const int zeros = 32 - ones;
    state.lblBinMask = binaryMask(ones);

    // The total number of addresses; the next stage takes off the network and
    // broadcast addresses.
    state.lblMaxHosts = std::to_string(std::int64_t{1} << zeros);
    // A mask of no network bits leaves no networks, not minus one.
    state.lblMaxNets = std::to_string(std::max<std::int64_t>((std::int64_t{1} << ones) - 2, 0));

    const auto maskOctets = octetsOfBinaryText(state.lblBinMask);
    state.lblHexMask = joinHex(maskOctets);
    state.lblNetMask = dottedDecimal(maskOctets);
}

} // namespace quellan
