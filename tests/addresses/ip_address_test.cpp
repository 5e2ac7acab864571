#include "addresses/ip_address.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using quellan::Family;
using quellan::Uint128;

constexpr Uint128 kAllOnes = ~Uint128{0};

struct DecimalCase {
    Uint128 value;
    std::string text;
};

TEST(Decimal128, EveryDigitAcrossTheNineteenDigitChunks) {
    const Uint128 tenTo19 = 10'000'000'000'000'000'000ULL;
    const DecimalCase cases[] = {
        {0, "0"},
        {7, "7"},
        {tenTo19 - 1, "9999999999999999999"},
        {tenTo19, "10000000000000000000"},
        {tenTo19 * tenTo19, "100000000000000000000000000000000000000"},
        {tenTo19 * tenTo19 - 1, "99999999999999999999999999999999999999"},
        {Uint128{1} << 64, "18446744073709551616"},
        {kAllOnes, "340282366920938463463374607431768211455"},
    };
    for (const DecimalCase& c : cases) {
        std::string text = "x";
        quellan::appendDecimal128(text, c.value);
        EXPECT_EQ(text, "x" + c.text);
    }
}

struct PowerCase {
    std::int32_t n;
    std::string text;
};

TEST(PowerOfTwo, UpToTheCountOfAllIpv6Addresses) {
    const PowerCase cases[] = {
        {0, "1"},
        {1, "2"},
        {32, "4294967296"},
        {63, "9223372036854775808"},
        {64, "18446744073709551616"},
        {96, "79228162514264337593543950336"},
        {127, "170141183460469231731687303715884105728"},
        {128, "340282366920938463463374607431768211456"},
        {-1, "1"}, // the nearest end
        {129, "340282366920938463463374607431768211456"},
    };
    for (const PowerCase& c : cases) {
        std::string text;
        quellan::appendPowerOfTwo(text, c.n);
        EXPECT_EQ(text, c.text) << "2^" << c.n;
    }
}

struct MaskCase {
    Family family;
    std::int32_t length;
    Uint128 mask;
};

TEST(PrefixMask, LeadingOnesWithinTheFamilysWidth) {
    const MaskCase cases[] = {
        {Family::IPv4, 0, 0},
        {Family::IPv4, 1, 0x80000000U},
        {Family::IPv4, 26, 0xFFFFFFC0U},
        {Family::IPv4, 32, 0xFFFFFFFFU},
        {Family::IPv4, 40, 0xFFFFFFFFU},
        {Family::IPv6, 0, 0},
        {Family::IPv6, -5, 0},
        {Family::IPv6, 1, Uint128{1} << 127},
        {Family::IPv6, 64, kAllOnes << 64},
        {Family::IPv6, 127, kAllOnes - 1},
        {Family::IPv6, 128, kAllOnes},
    };
    for (const MaskCase& c : cases)
        EXPECT_TRUE(quellan::prefixMask(c.family, c.length) == c.mask)
            << (c.family == Family::IPv4 ? "IPv4 /" : "IPv6 /") << c.length;
}

} // namespace
