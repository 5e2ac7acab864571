#include "networks/operand_text.h"
#include "plan_model_checks.h"
#include "plans/plan_csv.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace quellan;

Block net(std::string_view text) {
    return parseNetwork(text).block;
}

TEST(PlanCsv, ExportsOneQuotedRowASubnet) {
    const std::vector<Block> blocks{net("10.0.0.0/30"), net("2001:db8::/127")};
    Plan plan = newPlan(blocks, Profile::Standard).plan;
    apply(plan, splitSubnet(plan, net("10.0.0.0/30"), 31).change);
    Labels labels;
    labels.name = "=SUM(A1), \"x\"";
    labels.vlan = 7;
    labels.hosts = 2;
    labels.note = "a\nb";
    labels.color = "#00ff00";
    apply(plan, labelSubnet(plan, net("10.0.0.2/31"), labels).change);
    EXPECT_EQ(planCsvText(plan),
              "network,cidr,name,vlan,hosts,note,color,mask,first,last,usable_first,usable_last,"
              "usable\r\n"
              "10.0.0.0/30,10.0.0.0/31,,,,,,255.255.255.254,10.0.0.0,10.0.0.1,10.0.0.0,10.0.0.1,"
              "2\r\n"
              "10.0.0.0/30,10.0.0.2/31,\"'=SUM(A1), \"\"x\"\"\",7,2,\"a\nb\",#00ff00,"
              "255.255.255.254,10.0.0.2,10.0.0.3,10.0.0.2,10.0.0.3,2\r\n"
              "2001:db8::/127,2001:db8::/127,,,,,,ffff:ffff:ffff:ffff:ffff:ffff:ffff:fffe,"
              "2001:db8::,2001:db8::1,2001:db8::,2001:db8::1,2\r\n");
}

TEST(PlanCsv, FormulaGuardComesOffAgain) {
    for (const std::string_view text : {"", "plain", "=1+2", "+x", "-5", "@SUM", "\tx", "\rx", "'",
                                        "'abc", "'=x", "''=x", "''", "a=b", "'''"}) {
        const std::string cell = guardedCell(text);
        EXPECT_EQ(unguardedCell(cell), text);
        EXPECT_FALSE(std::string_view("=+-@\t\r").find(cell.empty() ? 'a' : cell[0]) !=
                     std::string_view::npos)
            << cell;
    }
}

// Export, import and export again give the same bytes, for labels of every
// kind and for plans reached by random operations under each profile.
TEST(PlanCsv, ExportImportExportKeepsEveryByte) {
    std::vector<Plan> plans;
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        std::mt19937_64 engine(seed);
        const check::Draw draw = [&engine] { return engine(); };
        const std::vector<Block> blocks{
            net(seed % 2 ? "0.0.0.0/22" : "255.255.252.0/22"),
            net(seed % 2 ? "::/120" : "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ff00/120")};
        Plan plan = newPlan(blocks, static_cast<Profile>(seed % 5)).plan;
        for (int step = 0; step < 40; ++step)
            if (const PlanResult result = check::drawOperation(plan, draw); result.reason.empty())
                apply(plan, result.change);
        plans.push_back(plan);
    }
    for (const Plan& plan : plans) {
        const std::string exported = planCsvText(plan);
        const PlanRead read = readPlanCsv(exported, "p.csv", plan.profile);
        ASSERT_EQ(read.errors, std::vector<std::string>{}) << exported;
        EXPECT_EQ(planCsvText(read.plan), exported);
    }
}

// "NETWORK [NAME]: SUBNET [NAME], ..." for each network, "; " between.
std::string outline(const Plan& plan) {
    std::string text;
    for (const PlanNetwork& network : plan.networks) {
        text.append(text.empty() ? "" : "; ").append(cidrText(network.block));
        text.append(network.name.empty() ? "" : " " + network.name).append(":");
        for (const Subnet& subnet : network.subnets) {
            text.append(" ").append(cidrText(subnet.block));
            if (!subnet.labels->name.empty())
                text.append(" ").append(subnet.labels->name);
            if (subnet.labels->vlan)
                text.append(" vlan ").append(std::to_string(*subnet.labels->vlan));
        }
    }
    return text;
}

struct SheetCase {
    std::string name;
    std::string sheet;
    std::string plan; // outline(), or the first error
};

void PrintTo(const SheetCase& c, std::ostream* os) {
    *os << c.name;
}

class PlainSheets : public testing::TestWithParam<SheetCase> {};

TEST_P(PlainSheets, BecomePlansOrRefusals) {
    const PlanRead read = readPlanCsv(GetParam().sheet, "s.csv", Profile::Standard);
    EXPECT_EQ(read.errors.empty() ? outline(read.plan) : read.errors.front(), GetParam().plan);
    if (read.errors.empty()) {
        EXPECT_EQ(check::tilingFault(read.plan), "");
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, PlainSheets, testing::Values(
    SheetCase{"nesting", "cidr,name,vlan\n10.0.0.0/16,Campus,\n10.0.1.0/24,Servers,10\n192.168.1.0/24,Home,\n",
              "10.0.0.0/16 Campus: 10.0.0.0/24 10.0.1.0/24 Servers vlan 10 10.0.2.0/23 10.0.4.0/22 "
              "10.0.8.0/21 10.0.16.0/20 10.0.32.0/19 10.0.64.0/18 10.0.128.0/17; 192.168.1.0/24: 192.168.1.0/24 Home"},
    SheetCase{"out of order, both families, BOM, CRLF, capitals",
              "\xEF\xBB\xBF" "CIDR,Name\r\n2001:db8::/127,b\r\n2001:db8::/126,\r\n10.0.0.1/32,a\r\n",
              "10.0.0.1/32: 10.0.0.1/32 a; 2001:db8::/126: 2001:db8::/127 b 2001:db8::2/127"},
    SheetCase{"the whole spaces", "cidr\n0.0.0.0/0\n0.0.0.0/1\n::/0\n8000::/1\n",
              "0.0.0.0/0: 0.0.0.0/1 128.0.0.0/1; ::/0: ::/1 8000::/1"},
    SheetCase{"the last addresses",
              "cidr\n255.255.255.0/24\n255.255.255.255/32\n"
              "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ff00/120\nffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/128\n",
              "255.255.255.0/24: 255.255.255.0/25 255.255.255.128/26 255.255.255.192/27 255.255.255.224/28 "
              "255.255.255.240/29 255.255.255.248/30 255.255.255.252/31 255.255.255.254/32 255.255.255.255/32; "
              "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ff00/120: ffff:ffff:ffff:ffff:ffff:ffff:ffff:ff00/121 "
              "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ff80/122 ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffc0/123 "
              "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffe0/124 ffff:ffff:ffff:ffff:ffff:ffff:ffff:fff0/125 "
              "ffff:ffff:ffff:ffff:ffff:ffff:ffff:fff8/126 ffff:ffff:ffff:ffff:ffff:ffff:ffff:fffc/127 "
              "ffff:ffff:ffff:ffff:ffff:ffff:ffff:fffe/128 ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/128"},
    SheetCase{"network column", "network,cidr\n10.0.0.0/29,10.0.0.4/30\n10.0.1.0/30,10.0.1.0/30\n",
              "10.0.0.0/29: 10.0.0.0/30 10.0.0.4/30; 10.0.1.0/30: 10.0.1.0/30"},
    SheetCase{"networks that overlap", "network,cidr\n10.0.1.0/24,10.0.1.0/25\n10.0.0.0/16,10.0.0.0/24\n",
              "s.csv:2: The network 10.0.1.0/24 overlaps the network 10.0.0.0/16."},
    SheetCase{"outside its network", "network,cidr\n10.0.0.0/29,10.0.0.8/30\n",
              "s.csv:2: 10.0.0.8/30 lies outside its network 10.0.0.0/29."},
    SheetCase{"nested twice", "cidr\n10.0.0.0/16\n10.0.0.0/24\n10.0.0.0/25\n",
              "s.csv:4: 10.0.0.0/25 overlaps 10.0.0.0/24 (line 3)."},
    SheetCase{"twice", "cidr\n10.0.0.0/24\n10.0.0.0/24\n", "s.csv:3: 10.0.0.0/24 stands twice (lines 2 and 3)."},
    SheetCase{"network with a vlan", "cidr,vlan\n10.0.0.0/16,5\n10.0.0.0/24,\n",
              "s.csv:2: 10.0.0.0/16 holds other rows, so it is a network, and a network has only a name."},
    SheetCase{"unknown column", "cidr,owner\n10.0.0.0/24,me\n",
              "s.csv:1: \"owner\" is no column of a plan; the columns are network, cidr, name, vlan, hosts, "
              "note, color, mask, first, last, usable_first, usable_last, usable."},
    SheetCase{"no cidr", "name\nx\n", "s.csv:1: The sheet has no \"cidr\" column."},
    SheetCase{"short row", "cidr,name\n10.0.0.0/24\n", "s.csv:2: The row has 1 fields; the header has 2."},
    SheetCase{"stray quote", "cidr,name\n10.0.0.0/24,a\"b\n",
              "s.csv:2: A quote inside a field that does not start with one; quote the whole field and double the quotes in it."},
    SheetCase{"open quote", "cidr,note\n10.0.0.0/24,\"a\nb\n10.0.1.0/24,x\n", "s.csv:2: A quoted field is not closed."},
    SheetCase{"after the quote", "cidr,note\n10.0.0.0/24,\"a\"b\n", "s.csv:2: A quoted field goes on after its closing quote."},
    SheetCase{"line of a row after a note of two lines", "cidr,note\n10.0.0.0/24,\"a\nb\"\n10.0.1.0/23,\n",
              "s.csv:4: 10.0.1.0/23 has host bits set; 10.0.0.0/23 was meant?"},
    SheetCase{"mask disagrees", "cidr,mask\n10.0.0.0/24,255.255.0.0\n",
              "s.csv:2: The mask column says 255.255.0.0; the cidr's is 255.255.255.0."},
    SheetCase{"vlan", "cidr,vlan\n10.0.0.0/24,4095\n", "s.csv:2: VLAN 4095 is not from 1 to 4094."},
    SheetCase{"vlan text", "cidr,vlan\n10.0.0.0/24,ten\n", "s.csv:2: The vlan \"ten\" is not a number from 1 to 4094."},
    SheetCase{"colour", "cidr,color\n10.0.0.0/24,#fff\n", "s.csv:2: A colour is #rrggbb, six hexadecimal digits."},
    SheetCase{"not UTF-8", "cidr,name\n10.0.0.0/24,\xFF\n", "s.csv:2: The file is not UTF-8 text."},
    SheetCase{"empty", "\n\n", "s.csv:1: The sheet is empty; its first row names the columns, cidr among them."}));
// clang-format on

} // namespace
