// Which subnets the list shows for the record, and the line that says so.

#include "calculator/subnet_list.h"
#include "recalculated.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ListCase {
    std::array<std::string, 4> octets;
    std::int32_t slider;
    std::string_view title;
    std::string_view note;
    std::uint32_t rows;
    std::int32_t length;
    std::uint32_t addressRow;
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << boxes(c.octets) << "/" << c.slider;
}

class ListOfRecord : public testing::TestWithParam<ListCase> {};

TEST_P(ListOfRecord, NamesNetworkLengthRowsAndNote) {
    const ListCase& c = GetParam();
    const quellan::SubnetList list = quellan::subnetListOf(recalculated(c.octets, c.slider));
    EXPECT_EQ(list.title, c.title);
    EXPECT_EQ(list.note, c.note);
    EXPECT_EQ(list.rows, c.rows);
    if (c.rows > 0) {
        EXPECT_EQ(list.length, c.length);
        EXPECT_EQ(list.addressRow, c.addressRow);
    }
}

constexpr std::string_view kOne =
    "The mask is not longer than the class's default: there is one network.";
constexpr std::string_view kNone = "Class D and E addresses have no subnets.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, ListOfRecord, testing::Values(
    ListCase{{"192", "168", "1", "10"}, 26, "Subnets of 192.168.1.0/24", "4 subnets of /26.", 4, 26, 0},
    ListCase{{"192", "168", "1", "200"}, 26, "Subnets of 192.168.1.0/24", "4 subnets of /26.", 4, 26, 3},
    ListCase{{"192", "168", "1", "10"}, 25, "Subnets of 192.168.1.0/24", "2 subnets of /25.", 2, 25, 0},
    ListCase{{"192", "168", "1", "10"}, 24, "Subnets of 192.168.1.0/24", kOne, 1, 24, 0},
    ListCase{{"192", "168", "1", "10"}, 3, "Subnets of 192.168.1.0/24", kOne, 1, 24, 0},
    ListCase{{"172", "16", "5", "4"}, 32, "Subnets of 172.16.0.0/16", "65536 subnets of /32.", 65536, 32, 1284},
    ListCase{{"10", "1", "2", "3"}, 30, "Subnets of 10.0.0.0/8", "4194304 subnets of /30.", 4194304, 30, 16512},
    ListCase{{"10", "255", "255", "254"}, 30, "Subnets of 10.0.0.0/8", "4194304 subnets of /30.", 4194304, 30, 4194303},
    ListCase{{"10", "1", "2", "3"}, 32, "Subnets of 10.0.0.0/8", "16777216 subnets of /32.", 16777216, 32, 66051},
    ListCase{{"10", "1", "2", "3"}, 8, "Subnets of 10.0.0.0/8", kOne, 1, 8, 0},
    // Empty boxes count as 0, as in the fields.
    ListCase{{"10", "", "", ""}, 16, "Subnets of 10.0.0.0/8", "256 subnets of /16.", 256, 16, 0},
    ListCase{{"", "", "", "7"}, 31, "Subnets of 0.0.0.0/8", "8388608 subnets of /31.", 8388608, 31, 3},
    // Only the octet's low eight bits count, as in the binary field.
    ListCase{{"192", "168", "257", "10"}, 26, "Subnets of 192.168.1.0/24", "4 subnets of /26.", 4, 26, 0},
    ListCase{{"224", "0", "0", "1"}, 0, "Subnets", kNone, 0, 0, 0},
    ListCase{{"240", "1", "2", "3"}, 0, "Subnets", kNone, 0, 0, 0},
    ListCase{{"255", "255", "255", "255"}, 0, "Subnets", kNone, 0, 0, 0}));
// clang-format on

TEST(SubnetList, NothingBeforeAnAddress) {
    const quellan::SubnetList list = quellan::subnetListOf(quellan::WindowState{});
    EXPECT_EQ(list.title, "Subnets");
    EXPECT_EQ(list.note, "No address yet.");
    EXPECT_EQ(list.rows, 0U);
}

TEST(SubnetList, NothingOnceTheBoxesAreEmptiedAgain) {
    const quellan::SubnetList list = quellan::subnetListOf(recalculated({"", "", "", ""}, 8));
    EXPECT_EQ(list.note, "No address yet.");
    EXPECT_EQ(list.rows, 0U);
}

} // namespace
