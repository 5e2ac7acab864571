// The subnet list's rows: chosen rows of splits by hand, then every row the
// list selects checked against the window's own fields for that address.

#include "calculator/subnet_list.h"
#include "calculator/subnet_rows.h"
#include "networks/block_split.h"
#include "networks/block_text.h"
#include "recalculated.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>

namespace {

using quellan::Block;
using quellan::Family;
using quellan::Uint128;

constexpr Uint128 ipv4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return (a << 24U) | (b << 16U) | (c << 8U) | d;
}

std::string lineOf(const Block& subnet) {
    std::string line;
    quellan::appendSubnetLine(line, subnet, '\t');
    return line;
}

struct RowCase {
    Block network;
    std::int32_t length;
    std::uint32_t row;
    std::string_view expected;
};

void PrintTo(const RowCase& c, std::ostream* os) {
    std::string cidr;
    quellan::appendCidr(cidr, c.network);
    *os << cidr << " at /" << c.length << ", row " << c.row;
}

class SubnetRow : public testing::TestWithParam<RowCase> {};

TEST_P(SubnetRow, GivesTheFiveTexts) {
    const RowCase& c = GetParam();
    EXPECT_EQ(lineOf(quellan::subnetAt(c.network, c.length, c.row)), c.expected);
}

TEST_P(SubnetRow, EachCellIsItsColumnOfTheLine) {
    const RowCase& c = GetParam();
    const Block subnet = quellan::subnetAt(c.network, c.length, c.row);
    std::string joined;
    for (std::size_t i = 0; i < quellan::kSubnetColumnCaptions.size(); ++i) {
        if (i > 0)
            joined.push_back(',');
        quellan::appendSubnetCell(joined, subnet, static_cast<quellan::SubnetColumn>(i));
    }
    std::string line;
    quellan::appendSubnetLine(line, subnet, ',');
    EXPECT_EQ(joined + "\n", line);
}

constexpr Block kClassC{Family::IPv4, ipv4(192, 168, 1, 0), 24};
constexpr Block kClassB{Family::IPv4, ipv4(172, 16, 0, 0), 16};
constexpr Block kTen{Family::IPv4, ipv4(10, 0, 0, 0), 8};
constexpr Block kLoopback{Family::IPv4, ipv4(127, 0, 0, 0), 8};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SubnetRow, testing::Values(
    RowCase{kClassC, 26, 0, "192.168.1.0/26\t192.168.1.1\t192.168.1.62\t192.168.1.63\t62\n"},
    RowCase{kClassC, 26, 1, "192.168.1.64/26\t192.168.1.65\t192.168.1.126\t192.168.1.127\t62\n"},
    RowCase{kClassC, 26, 3, "192.168.1.192/26\t192.168.1.193\t192.168.1.254\t192.168.1.255\t62\n"},
    RowCase{kClassC, 24, 0, "192.168.1.0/24\t192.168.1.1\t192.168.1.254\t192.168.1.255\t254\n"},
    RowCase{kClassB, 16, 0, "172.16.0.0/16\t172.16.0.1\t172.16.255.254\t172.16.255.255\t65534\n"},
    RowCase{kClassB, 20, 1, "172.16.16.0/20\t172.16.16.1\t172.16.31.254\t172.16.31.255\t4094\n"},
    RowCase{kClassB, 20, 15, "172.16.240.0/20\t172.16.240.1\t172.16.255.254\t172.16.255.255\t4094\n"},
    // A class A at /30: the first, middle and last of 4194304.
    RowCase{kTen, 30, 0, "10.0.0.0/30\t10.0.0.1\t10.0.0.2\t10.0.0.3\t2\n"},
    RowCase{kTen, 30, 2097152, "10.128.0.0/30\t10.128.0.1\t10.128.0.2\t10.128.0.3\t2\n"},
    RowCase{kTen, 30, 4194303, "10.255.255.252/30\t10.255.255.253\t10.255.255.254\t10.255.255.255\t2\n"},
    // Both addresses of a /31 are hosts (RFC 3021), and a /32 is its one
    // host; never a range turned around or past the subnet.
    RowCase{kClassC, 31, 5, "192.168.1.10/31\t192.168.1.10\t192.168.1.11\t192.168.1.11\t2\n"},
    RowCase{kTen, 32, 0, "10.0.0.0/32\t10.0.0.0\t10.0.0.0\t10.0.0.0\t1\n"},
    RowCase{kClassC, 32, 255, "192.168.1.255/32\t192.168.1.255\t192.168.1.255\t192.168.1.255\t1\n"},
    RowCase{kLoopback, 32, 16777215, "127.255.255.255/32\t127.255.255.255\t127.255.255.255\t127.255.255.255\t1\n"}));
// clang-format on

TEST(SubnetRows, HeaderNamesTheColumns) {
    std::string header;
    quellan::appendSubnetHeader(header, ',');
    EXPECT_EQ(header, "Network,First host,Last host,Broadcast,Hosts\n");
}

// The row that holds the address says, column by column, what the window's
// fields say for that address at that length, up to /30: at /31 and /32 the
// fields keep rules of their own.
TEST(SubnetRows, AddressRowMatchesTheWindowsFields) {
    std::mt19937_64 generator(20);
    for (int draw = 0; draw < 2000; ++draw) {
        const auto value = static_cast<std::uint32_t>(generator());
        // Classes A to C only: D and E have no rows.
        const std::uint32_t address = value & 0xDFFFFFFFU;
        const auto length = static_cast<std::int32_t>(1 + generator() % 30);
        std::array<std::string, 4> octets;
        for (std::size_t i = 0; i < 4; ++i)
            octets[i] = std::to_string((address >> (24 - 8 * i)) & 0xFFU);
        const quellan::WindowState state = recalculated(octets, length);
        const quellan::SubnetList list = quellan::subnetListOf(state);
        ASSERT_GT(list.rows, list.addressRow) << boxes(octets) << "/" << length;
        if (list.length != length)
            continue; // at or below the default: the one network, not this length
        const Block subnet = quellan::subnetAt(list.network, list.length, list.addressRow);
        const std::size_t dash = state.lblHosts.find(" - ");
        const std::string expected = state.lblNetNumber + "/" + std::to_string(length) + "\t" +
                                     state.lblHosts.substr(0, dash) + "\t" +
                                     state.lblHosts.substr(dash + 3) + "\t" + state.lblBroadcast +
                                     "\t" + state.lblMaxHosts + "\n";
        ASSERT_EQ(lineOf(subnet), expected) << boxes(octets) << "/" << length;
    }
}

// Row N found directly is the Nth block the split hands out, and the index of
// each of its addresses is N, in both families.
TEST(SubnetRows, DirectRowsAgreeWithTheSplit) {
    const Uint128 documentation = Uint128{0x20010DB8U} << 96U;
    const struct {
        Block network;
        std::int32_t length;
    } splits[] = {
        {kClassC, 26},
        {kClassC, 32},
        {{Family::IPv4, 0, 0}, 3},
        {{Family::IPv4, 0, 0}, 0},
        {{Family::IPv4, ipv4(255, 255, 255, 0), 24}, 30},
        {{Family::IPv6, 0, 0}, 0},
        {{Family::IPv6, 0, 0}, 4},
        {{Family::IPv6, documentation, 32}, 38},
        {{Family::IPv6, ~Uint128{0} << 8U, 120}, 128},
    };
    for (const auto& split : splits) {
        Uint128 index = 0;
        quellan::forEachSubnet(split.network, split.length, [&](const Block& block) {
            const Block direct = quellan::subnetAt(split.network, split.length, index);
            EXPECT_EQ(direct.first, block.first);
            EXPECT_EQ(direct.length, block.length);
            EXPECT_EQ(direct.family, block.family);
            EXPECT_EQ(quellan::subnetIndexOf(split.network, split.length, block.first), index);
            EXPECT_EQ(quellan::subnetIndexOf(split.network, split.length, quellan::lastOf(block)),
                      index);
            ++index;
            return true;
        });
        EXPECT_EQ(index, Uint128{1} << (split.length - split.network.length));
    }
}

} // namespace
