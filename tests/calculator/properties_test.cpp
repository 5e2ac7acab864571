// Every first-box text from "" to "999" against every mask length, checked
// against plain 32-bit arithmetic rather than the renderings' own steps.

#include "field_checks.h"
#include "recalculated.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

using quellan::check::dotted;
using quellan::check::inBinaryLayout;
using quellan::check::plainDigits;

TEST(Properties, EveryFirstOctetAgainstEveryMaskLength) {
    const std::array<std::uint32_t, 3> rest{168, 7, 200};
    for (int first = -1; first <= 999; ++first) {
        const std::string firstText = first < 0 ? "" : std::to_string(first);
        const std::uint32_t address = (static_cast<std::uint32_t>(std::max(first, 0) & 255) << 24) |
                                      (rest[0] << 16) | (rest[1] << 8) | rest[2];
        const bool classDE = (address >> 28) >= 0xE;
        for (std::int32_t bits = 0; bits <= 32; ++bits) {
            SCOPED_TRACE("first box \"" + firstText + "\", " + std::to_string(bits) + " bits");
            const quellan::WindowState state = recalculated({firstText, "168", "7", "200"}, bits);

            const int maskBits = classDE ? 0 : bits;
            const std::uint32_t mask = quellan::check::maskOfLength(maskBits);
            const std::uint32_t network = address & mask;
            const std::uint32_t broadcast = network | ~mask;

            ASSERT_TRUE(inBinaryLayout(state.lblBinIPAddr)) << state.lblBinIPAddr;
            ASSERT_TRUE(inBinaryLayout(state.lblBinMask)) << state.lblBinMask;
            EXPECT_EQ(state.lbl32Decimal, std::to_string(address));
            EXPECT_EQ(state.lblNetMask, dotted(mask));
            EXPECT_EQ(state.lblNetNumber, dotted(network));
            EXPECT_EQ(state.lblBroadcast, dotted(broadcast));
            EXPECT_TRUE(plainDigits(state.lblMaxHosts)) << state.lblMaxHosts;
            EXPECT_TRUE(plainDigits(state.lblMaxNets)) << state.lblMaxNets;
            if (maskBits <= 30) {
                EXPECT_EQ(state.lblHosts, dotted(network + 1) + " - " + dotted(broadcast - 1));
                EXPECT_EQ(state.lblMaxHosts,
                          std::to_string((std::uint64_t{1} << (32 - maskBits)) - 2));
            }
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

} // namespace
