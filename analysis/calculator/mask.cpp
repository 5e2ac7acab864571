// Second stage of the recalculation: the address as one number, the mask in
// its three renderings, and the network and host counts.

#include "addresses/number_text.h"
#include "calculator/octet_text.h"
#include "calculator/recalculation.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quellan {

namespace {

// The mask's one bits; the slider may hold 0 (class D and E) and a caller
// anything else, and a mask has no fewer than 0 nor more than 32 of them.
int oneBits(std::int32_t maskBits) {
    return std::clamp<std::int32_t>(maskBits, 0, 32);
}

// The binary mask field for every length from 0 to 32, written out once.
constexpr auto kBinaryMasks = [] {
    std::array<std::array<char, 35>, 33> masks{};
    for (int ones = 0; ones <= 32; ++ones) {
        std::size_t at = 0;
        for (int i = 1; i <= 32; ++i) {
            masks[static_cast<std::size_t>(ones)][at++] = i <= ones ? '1' : '0';
            if (i == 8 || i == 16 || i == 24)
                masks[static_cast<std::size_t>(ones)][at++] = '.';
        }
    }
    return masks;
}();

void writeBinaryMask(std::string& field, int ones) {
    const auto& mask = kBinaryMasks[static_cast<std::size_t>(ones)];
    field.assign(mask.data(), mask.size());
}

} // namespace

void renderMask(WindowState& state) {
    const std::uint32_t address = addressOfOctets(octetsOfBinaryText(state.lblBinIPAddr));
    state.lbl32Decimal.clear();
    appendDecimal(state.lbl32Decimal, address);

    const int ones = oneBits(state.sliderValue);
    const int zeros = 32 - ones;
    writeBinaryMask(state.lblBinMask, ones);

    // The total number of addresses; the next stage takes off the network and
    // broadcast addresses.
    state.lblMaxHosts.clear();
    appendDecimal(state.lblMaxHosts, std::int64_t{1} << zeros);
    // A mask of no network bits leaves no networks, not minus one.
    state.lblMaxNets.clear();
    appendDecimal(state.lblMaxNets, std::max<std::int64_t>((std::int64_t{1} << ones) - 2, 0));

    const Octets maskOctets = octetsOfBinaryText(state.lblBinMask);
    state.lblHexMask.clear();
    appendDottedHex(state.lblHexMask, maskOctets);
    state.lblNetMask.clear();
    appendDottedDecimal(state.lblNetMask, maskOctets);
}

} // namespace quellan
