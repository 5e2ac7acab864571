#include "addresses/number_text.h"
#include "calculator/octet_text.h"
#include "recalculated.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <utility>

namespace {

struct ValueCase {
    std::string text;
    std::optional<std::int32_t> value;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << '"' << c.text.substr(0, 24) << '"';
}

class OctetValue : public testing::TestWithParam<ValueCase> {};

TEST_P(OctetValue, ReadsWholeDecimalNumbersOnly) {
    EXPECT_EQ(quellan::octetValue(GetParam().text), GetParam().value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Texts, OctetValue,
    testing::Values(ValueCase{"0", 0}, ValueCase{"007", 7}, ValueCase{"999", 999},
                    ValueCase{" 12 ", 12}, ValueCase{"+5", 5}, ValueCase{"-5", -5},
                    ValueCase{"0.5", 0}, ValueCase{"1.5", 2}, ValueCase{"2.5", 2},
                    ValueCase{"-2.5", -2}, ValueCase{"2.51", 3}, ValueCase{".5", 0}, ValueCase{"7.", 7},
                    ValueCase{"2147483647", 2147483647}, ValueCase{"-2147483648", -2147483647 - 1},
                    ValueCase{"2147483648", std::nullopt}, ValueCase{"1e3", std::nullopt},
                    ValueCase{"", std::nullopt}, ValueCase{" ", std::nullopt},
                    ValueCase{"1 2", std::nullopt}, ValueCase{"12a", std::nullopt},
                    ValueCase{"-", std::nullopt}, ValueCase{".", std::nullopt},
                    ValueCase{std::string(500, '9'), std::nullopt},
                    ValueCase{"0." + std::string(500, '0') + "1", 0}));
// clang-format on

template <typename Append, typename Value> std::string rendered(Append append, Value value) {
    std::string text = "x";
    append(text, value);
    return text;
}

TEST(NumberForms, AppendSignPositionHexadecimalAndDecimal) {
    EXPECT_EQ(rendered(quellan::appendSignPosition, 24), "x 24");
    EXPECT_EQ(rendered(quellan::appendSignPosition, 0), "x 0");
    EXPECT_EQ(rendered(quellan::appendSignPosition, -3), "x-3");
    EXPECT_EQ(rendered(quellan::appendHex, 0U), "x0");
    EXPECT_EQ(rendered(quellan::appendHex, 0xC0U), "xC0");
    EXPECT_EQ(rendered(quellan::appendHex, 0xFFFFFFFBU), "xFFFFFFFB");
    EXPECT_EQ(rendered(quellan::appendDecimal, std::int64_t{4294967296}), "x4294967296");
    // Each length of number, where the digits are counted before they are written.
    for (const auto& [value, text] : std::initializer_list<std::pair<std::int64_t, std::string>>{
             {0, "0"},
             {9, "9"},
             {10, "10"},
             {99, "99"},
             {100, "100"},
             {-1, "-1"},
             {999999999999999999, "999999999999999999"},
             {1000000000000000000, "1000000000000000000"},
             {std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
             {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"}})
        EXPECT_EQ(rendered(quellan::appendDecimal, value), "x" + text) << text;
    EXPECT_EQ(rendered(quellan::appendDottedDecimal, quellan::Octets{0, 10, 100, 255}),
              "x0.10.100.255");
    EXPECT_EQ(rendered(quellan::appendDottedDecimal, quellan::Octets{255, 255, 255, 255}),
              "x255.255.255.255");
    EXPECT_EQ(rendered(quellan::appendDottedHex, quellan::Octets{0, 10, 16, 255}), "x0.A.10.FF");
}

TEST(NumberForms, BinaryTextsAndRounding) {
    using quellan::octetsOfBinaryText;
    // Only "1" is a set bit (not "1" with its top bit set either); a text cut short reads as
    // zeros where it ends.
    EXPECT_EQ(octetsOfBinaryText("1a000000.0100000z.00000010.1111111\xb1"),
              (quellan::Octets{128, 64, 2, 254}));
    EXPECT_EQ(octetsOfBinaryText("1x2!0001.11110000.1"), (quellan::Octets{129, 240, 128, 0}));
    EXPECT_EQ(octetsOfBinaryText(""), (quellan::Octets{0, 0, 0, 0}));
    for (const auto& [value, rounded] :
         std::initializer_list<std::pair<double, double>>{{0.5, 0.0},
                                                          {1.5, 2.0},
                                                          {2.5, 2.0},
                                                          {-2.5, -2.0},
                                                          {2.4999999, 2.0},
                                                          {254.5, 254.0},
                                                          {255.5, 256.0},
                                                          {4503599627370497.0, 4503599627370497.0},
                                                          {-1e300, -1e300}})
        EXPECT_EQ(quellan::roundHalfEven(value), rounded) << value;
    EXPECT_TRUE(std::signbit(quellan::roundHalfEven(-0.4)));
    EXPECT_TRUE(std::isinf(quellan::roundHalfEven(std::numeric_limits<double>::infinity())));
}

TEST(FailedRecalculation, StopsAtTheUnreadableOctetBeforeWritingAnything) {
    quellan::WindowState state;
    state.octets = {"192", "1x", "1", "1"};
    state.bChange = true;
    const quellan::WindowState before = state;

    try {
        quellan::Dumbo(state);
        FAIL() << "no ConversionError";
    } catch (const quellan::ConversionError& error) {
        EXPECT_EQ(error.octetText(), "1x");
        EXPECT_STREQ(error.what(), "1x is not a valid input.");
    }
    EXPECT_EQ(state, before);
}

TEST(AnyOctetText, NegativeOctetsRenderAsTwosComplement) {
    const quellan::WindowState state = recalculated({"-1", "", "", ""}, 8, true);
    EXPECT_EQ(state.lblHexIPAddr, "FFFFFFFF.00.00.00");
    EXPECT_EQ(state.lblBinIPAddr, "11111111.00000000.00000000.00000000");
    EXPECT_EQ(state.lblClass, "E");
}

} // namespace
