#include "networks/operand_text.h"
#include "plan_model_checks.h"
#include "plans/plan_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

using namespace quellan;

Block net(std::string_view text) {
    return parseNetwork(text).block;
}

Plan labelled() {
    std::vector<Block> blocks{net("10.0.0.0/16"), net("2001:db8::/64")};
    Plan plan = newPlan(blocks, Profile::Aws).plan;
    apply(plan, splitSubnet(plan, net("10.0.0.0/16"), 18).change);
    Labels labels;
    labels.name = "=HYPERLINK(\"x\"), \"quoted\"";
    labels.vlan = 4094;
    labels.hosts = 200;
    labels.note = "Rack A,\nrow 2\t\"east\"";
    labels.color = "#4477aa";
    labels.extra = {{"owner", "{\"team\":\"net\",\"ids\":[1,2.50]}"}};
    apply(plan, labelSubnet(plan, net("10.0.64.0/18"), labels).change);
    plan.networks[0].name = "Campus ✓";
    plan.extra = {{"generator", "\"later\""}};
    return plan;
}

TEST(PlanFile, WritesOneSubnetALineInAFixedOrder) {
    EXPECT_EQ(planFileText(labelled()),
              R"({
  "format": "brevint-quellan-plan",
  "version": 1,
  "profile": "aws",
  "generator": "later",
  "networks": [
    {"network": "10.0.0.0/16", "name": "Campus ✓", "subnets": [
      {"cidr": "10.0.0.0/18"},
      {"cidr": "10.0.64.0/18", "name": "=HYPERLINK(\"x\"), \"quoted\"", "vlan": 4094, "hosts": 200, "note": "Rack A,\nrow 2\t\"east\"", "color": "#4477aa", "owner": {"team":"net","ids":[1,2.50]}},
      {"cidr": "10.0.128.0/18"},
      {"cidr": "10.0.192.0/18"}
    ]},
    {"network": "2001:db8::/64", "subnets": [
      {"cidr": "2001:db8::/64"}
    ]}
  ]
}
)");
}

// Reading what was written gives the plan back, unknown keys and all, and
// writing it again the same bytes; also across the family's edges.
TEST(PlanFile, SaveOpenSaveKeepsEveryByte) {
    std::vector<Plan> plans{labelled()};
    for (const auto& networks : std::vector<std::vector<std::string_view>>{
             {"0.0.0.0/0", "::/0"},
             {"255.255.255.255/32", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/128"},
             {"10.0.0.0/31", "2001:db8::/127"}}) {
        const std::vector<Block> blocks{net(networks[0]), net(networks[1])};
        Plan plan = newPlan(blocks, Profile::Standard).plan;
        const Block ipv6 = plan.networks[1].block;
        apply(plan, splitSubnet(plan, ipv6, ipv6.length == 128 ? 128 : ipv6.length + 1).change);
        plans.push_back(plan);
    }
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        std::mt19937_64 engine(seed);
        const check::Draw draw = [&engine] { return engine(); };
        std::vector<Block> blocks{net("172.16.0.0/22"), net("fd00::/120")};
        Plan plan = newPlan(blocks, static_cast<Profile>(seed % 5)).plan;
        for (int step = 0; step < 40; ++step)
            if (const PlanResult result = check::drawOperation(plan, draw); result.reason.empty())
                apply(plan, result.change);
        plans.push_back(plan);
    }
    for (const Plan& plan : plans) {
        const std::string saved = planFileText(plan);
        const PlanRead read = readPlanText(saved, "p.qplan");
        ASSERT_EQ(read.errors, std::vector<std::string>{}) << saved;
        EXPECT_TRUE(read.plan == plan) << saved;
        EXPECT_EQ(planFileText(read.plan), saved);
    }
}

struct BrokenCase {
    std::string name;
    std::string subnets; // the lines between a network's opening and closing
    std::string error;   // the first of them
};

void PrintTo(const BrokenCase& c, std::ostream* os) {
    *os << c.name;
}

class BrokenFiles : public testing::TestWithParam<BrokenCase> {};

// Lines 1-5 are the header, line 6 opens 10.0.0.0/24, its subnets start on 7.
TEST_P(BrokenFiles, AreRefusedWithTheLineAndNothingIsUsed) {
    const std::string text = "{\n  \"format\": \"brevint-quellan-plan\",\n  \"version\": 1,\n"
                             "  \"profile\": \"standard\",\n  \"networks\": [\n"
                             "    {\"network\": \"10.0.0.0/24\", \"subnets\": [\n" +
                             GetParam().subnets + "\n    ]}\n  ]\n}\n";
    const PlanRead read = readPlanText(text, "p.qplan");
    // One reason for each fault, not a second one that follows from it.
    ASSERT_EQ(read.errors.size(), 1U) << read.errors.back();
    EXPECT_EQ(read.errors.front(), GetParam().error);
    EXPECT_TRUE(read.plan.networks.empty());
    for (const std::string& error : read.errors)
        EXPECT_TRUE(std::all_of(error.begin(), error.end(), [](char c) {
            return c >= ' ' && c <= '~';
        })) << error;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Refusals, BrokenFiles, testing::Values(
    BrokenCase{"overlap", "{\"cidr\": \"10.0.0.0/25\"},\n{\"cidr\": \"10.0.0.0/26\"},\n{\"cidr\": \"10.0.0.128/25\"}",
               "p.qplan:8: 10.0.0.0/26 overlaps 10.0.0.0/25 (line 7)."},
    BrokenCase{"gap", "{\"cidr\": \"10.0.0.0/26\"},\n{\"cidr\": \"10.0.0.128/25\"}",
               "p.qplan:8: 10.0.0.64-10.0.0.127 of 10.0.0.0/24 is in no subnet; list it as a free subnet before 10.0.0.128/25."},
    BrokenCase{"gap at the end", "{\"cidr\": \"10.0.0.0/25\"}",
               "p.qplan:6: 10.0.0.128-10.0.0.255 of 10.0.0.0/24 is in no subnet."},
    BrokenCase{"outside", "{\"cidr\": \"10.0.0.0/24\"},\n{\"cidr\": \"10.0.1.0/24\"}",
               "p.qplan:8: 10.0.1.0/24 lies outside its network 10.0.0.0/24."},
    BrokenCase{"host bits", "{\"cidr\": \"10.0.0.5/24\"}",
               "p.qplan:7: 10.0.0.5/24 has host bits set; 10.0.0.0/24 was meant?"},
    BrokenCase{"no length", "{\"cidr\": \"10.0.0.0\"}",
               "p.qplan:7: \"10.0.0.0\" is no CIDR block; it needs its \"/N\"."},
    BrokenCase{"vlan", "{\"cidr\": \"10.0.0.0/24\", \"vlan\": 4095}",
               "p.qplan:7: VLAN 4095 is not from 1 to 4094."},
    BrokenCase{"vlan zero", "{\"cidr\": \"10.0.0.0/24\", \"vlan\": 0}",
               "p.qplan:7: VLAN 0 is not from 1 to 4094."},
    BrokenCase{"vlan negative", "{\"cidr\": \"10.0.0.0/24\", \"vlan\": -3}",
               "p.qplan:7: VLAN -3 is not from 1 to 4094."},
    BrokenCase{"vlan as text", "{\"cidr\": \"10.0.0.0/24\", \"vlan\": \"10\"}",
               "p.qplan:7: \"vlan\" is a number from 1 to 4094."},
    BrokenCase{"hosts zero", "{\"cidr\": \"10.0.0.0/24\", \"hosts\": 0}",
               "p.qplan:7: \"hosts\" is a whole number from 1 to 2^128 - 1."},
    BrokenCase{"hosts fraction", "{\"cidr\": \"10.0.0.0/24\", \"hosts\": 2.5}",
               "p.qplan:7: \"hosts\" is a whole number from 1 to 2^128 - 1."},
    BrokenCase{"colour", "{\"cidr\": \"10.0.0.0/24\", \"color\": \"red\"}",
               "p.qplan:7: A colour is #rrggbb, six hexadecimal digits."},
    BrokenCase{"name with a line end", "{\"cidr\": \"10.0.0.0/24\", \"name\": \"a\\nb\"}",
               "p.qplan:7: A name is one line without control characters; a note holds more."},
    BrokenCase{"duplicate key", "{\"cidr\": \"10.0.0.0/24\", \"name\": \"a\", \"name\": \"b\"}",
               "p.qplan:7: The key \"name\" stands twice in one object."},
    BrokenCase{"duplicate in an unknown value", "{\"cidr\": \"10.0.0.0/24\", \"x\": {\"k\": 1, \"k\": 2}}",
               "p.qplan:7: The key \"k\" stands twice in one object."},
    BrokenCase{"not UTF-8", "{\"cidr\": \"10.0.0.0/24\", \"name\": \"caf\xE9\"}",
               "p.qplan:7: The file is not UTF-8 text."},
    BrokenCase{"no cidr", "{\"cidr\": \"10.0.0.0/24\"},\n{\"name\": \"x\"}",
               "p.qplan:8: A subnet needs its \"cidr\"."},
    BrokenCase{"no subnets", "", "p.qplan:6: 10.0.0.0/24 lists no subnets; a network of one free subnet lists itself: {\"cidr\": \"10.0.0.0/24\"}."},
    BrokenCase{"not JSON", "{\"cidr\": \"10.0.0.0/24\",}",
               "p.qplan:7: Not JSON: syntax error while parsing object key - unexpected '}'; expected string literal."},
    BrokenCase{"subnet not an object", "\"10.0.0.0/24\"", "p.qplan:7: Each of \"subnets\" is an object."}));
// clang-format on

TEST(PlanFile, HeaderRefusals) {
    const std::string network = "\"networks\": [{\"network\": \"10.0.0.0/8\", \"subnets\": "
                                "[{\"cidr\": \"10.0.0.0/8\"}]}]";
    struct Case {
        std::string text;
        std::string error;
    } const cases[] = {
        {"{\"format\": \"brevint-quellan-plan\", \"version\": 2, \"future\": [1, 2]}",
         "f:1: The file was made by a newer version of Brevint Quellan (version 2; this one "
         "reads up to 1)."},
        {"{\"format\": \"other\", \"version\": 1, \"profile\": \"aws\", " + network + "}",
         "f:1: Not a Brevint Quellan plan: \"format\" is not \"brevint-quellan-plan\"."},
        {"{\"format\": \"brevint-quellan-plan\", \"version\": 1, " + network + "}",
         "f:1: The plan names no \"profile\" (standard, aws, azure, gcp, oci)."},
        {"{\"format\": \"brevint-quellan-plan\", \"version\": 1,\n\"profile\": \"ibm\", " +
             network + "}",
         "f:2: \"ibm\" is no profile; the profiles are standard, aws, azure, gcp, oci."},
        {"{\"format\": \"brevint-quellan-plan\", \"version\": 1, \"profile\": \"oci\", "
         "\"networks\": [\n{\"network\": \"10.0.0.0/8\", \"subnets\": [{\"cidr\": "
         "\"10.0.0.0/8\"}]},\n"
         "{\"network\": \"10.1.0.0/16\", \"subnets\": [{\"cidr\": \"10.1.0.0/16\"}]}]}",
         "f:3: 10.1.0.0/16 and 10.0.0.0/8 overlap; networks of a plan do not."},
        {"[1]", "f:1: A plan is a JSON object."},
        {"", "f:1: Not JSON: syntax error while parsing value - unexpected end of input; expected "
             "'[', '{', or a literal."},
    };
    for (const Case& c : cases) {
        const PlanRead read = readPlanText(c.text, "f");
        ASSERT_FALSE(read.errors.empty()) << c.text;
        EXPECT_EQ(read.errors.front(), c.error);
    }
}

// A folder to write in, removed with what is left in it.
class Folder {
public:
    Folder()
        : path_(std::filesystem::temp_directory_path() /
                ("quellan-plans-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

TEST(PlanFile, OpensWhatWasSaved) {
    const Folder folder;
    const std::string path = folder.file("p.qplan");
    const std::string text = planFileText(labelled());
    std::ofstream(path, std::ios::binary) << text;
    const PlanRead read = readPlanFile(path);
    ASSERT_EQ(read.errors, std::vector<std::string>{});
    EXPECT_TRUE(read.plan == labelled());
    EXPECT_EQ(readPlanFile(folder.file("none.qplan")).errors.front(),
              folder.file("none.qplan") + ": cannot be read: No such file or directory.");
}

} // namespace
