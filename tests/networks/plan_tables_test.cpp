// Whole answers of the planning operations: the edges of both address
// spaces first, then ordinary cases of each operation. Expected blocks were
// checked against Python's ipaddress module where it has the operation.

#include "plan_runner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using quellan::check::Operation;

struct PlanCase {
    Operation operation;
    std::vector<std::string_view> operands;
    std::string_view expected;
};

void PrintTo(const PlanCase& c, std::ostream* os) {
    constexpr const char* kNames[] = {"split", "range",        "merge",   "exclude",
                                      "hosts", "hosts --json", "reverse", "json"};
    *os << kNames[static_cast<int>(c.operation)];
    for (const std::string_view operand : c.operands)
        *os << " '" << operand << "'";
}

class Planned : public testing::TestWithParam<PlanCase> {};

TEST_P(Planned, GivesTheWholeAnswer) {
    const PlanCase& c = GetParam();
    EXPECT_EQ(quellan::check::planned(c.operation, c.operands), c.expected);
}

// The first seven groups of the last IPv6 addresses.
#define F7 "ffff:ffff:ffff:ffff:ffff:ffff:ffff"

constexpr Operation kSplit = Operation::Split;
constexpr Operation kRange = Operation::Range;
constexpr Operation kMerge = Operation::Merge;
constexpr Operation kExclude = Operation::Exclude;
constexpr Operation kHosts = Operation::Hosts;
constexpr Operation kReverse = Operation::Reverse;
constexpr Operation kJson = Operation::Json;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, Planned, testing::Values(
    PlanCase{kSplit, {"32", "255.255.255.254/31"}, "count 2\n255.255.255.254/32\n255.255.255.255/32\n"},
    PlanCase{kSplit, {"128", F7 ":fffe/127"}, "count 2\n" F7 ":fffe/128\n" F7 ":ffff/128\n"},
    PlanCase{kSplit, {"0", "0.0.0.0/0"}, "count 1\n0.0.0.0/0\n"},
    PlanCase{kSplit, {"1", "::/0"}, "count 2\n::/1\n8000::/1\n"},
    PlanCase{kSplit, {"32", "0.0.0.0/0"}, "count 4294967296\n0.0.0.0/32\n0.0.0.1/32\n0.0.0.2/32\n0.0.0.3/32\n...\n"},
    PlanCase{kSplit, {"128", "::/0"}, "count 340282366920938463463374607431768211456\n::/128\n::1/128\n::2/128\n::3/128\n...\n"},
    PlanCase{kSplit, {"126", F7 ":fff0/124"}, "count 4\n" F7 ":fff0/126\n" F7 ":fff4/126\n" F7 ":fff8/126\n" F7 ":fffc/126\n"},
    PlanCase{kSplit, {"33", "0.0.0.0/0"}, "! /33 is not a prefix length.\n"},
    PlanCase{kSplit, {"129", "::/0"}, "! /129 is not a prefix length.\n"},
    PlanCase{kSplit, {"127", F7 ":ffff"}, "! /127 is shorter than the network's /128.\n"},
    PlanCase{kRange, {"255.255.255.255-255.255.255.255"}, "255.255.255.255/32\n"},
    PlanCase{kRange, {"255.255.255.253-255.255.255.255"}, "255.255.255.253/32\n255.255.255.254/31\n"},
    PlanCase{kRange, {"0.0.0.0-255.255.255.255"}, "0.0.0.0/0\n"},
    PlanCase{kRange, {"0.0.0.0-0.0.0.0"}, "0.0.0.0/32\n"},
    PlanCase{kRange, {"::-" F7 ":ffff"}, "::/0\n"},
    PlanCase{kRange, {"8000::-" F7 ":ffff"}, "8000::/1\n"},
    PlanCase{kRange, {F7 ":fffd-" F7 ":ffff"}, F7 ":fffd/128\n" F7 ":fffe/127\n"},
    PlanCase{kRange, {"::-::1"}, "::/127\n"},
    PlanCase{kMerge, {"255.255.255.255", "255.255.255.254", "255.255.255.255"}, "255.255.255.254/31\n"},
    PlanCase{kMerge, {"128.0.0.0/1", "0.0.0.0/1"}, "0.0.0.0/0\n"},
    PlanCase{kMerge, {"0.0.0.0/0", "255.255.255.255"}, "0.0.0.0/0\n"},
    PlanCase{kMerge, {"8000::/1", "::/1", "10.0.0.0/8"}, "10.0.0.0/8\n::/0\n"},
    PlanCase{kMerge, {F7 ":ffff", "::", F7 ":fffe/127"}, "::/128\n" F7 ":fffe/127\n"},
    PlanCase{kExclude, {"0.0.0.0/0", "0.0.0.0/0"}, ""},
    PlanCase{kExclude, {"0.0.0.1-255.255.255.255", "0.0.0.0/0"}, "0.0.0.0/32\n"},
    PlanCase{kExclude, {"255.255.255.255", "255.255.255.254/31"}, "255.255.255.254/32\n"},
    PlanCase{kExclude, {"10.0.0.0", "10.0.0.0/32"}, ""},
    PlanCase{kExclude, {"::/1", "::/0"}, "8000::/1\n"},
    PlanCase{kExclude, {"8000::-" F7 ":ffff", "::/0"}, "::/1\n"},
    PlanCase{kExclude, {"::1", "::/127"}, "::/128\n"},
    PlanCase{kExclude, {"::/0", F7 ":fffe/127"}, ""},
    PlanCase{kReverse, {"0.0.0.0/0"}, "in-addr.arpa.\n"},
    PlanCase{kReverse, {"::/0"}, "ip6.arpa.\n"},
    PlanCase{kReverse, {"255.255.255.255"}, "255.255.255.255.in-addr.arpa.\n"},
    PlanCase{kReverse, {"255.255.255.254/31"}, "254-255.255.255.255.in-addr.arpa.\n"},
    PlanCase{kReverse, {"255.0.0.0/7"}, "254.in-addr.arpa.\n255.in-addr.arpa.\n"},
    PlanCase{kReverse, {F7 ":ffff/128"}, "f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.ip6.arpa.\n"},
    PlanCase{kReverse, {F7 ":fffe/127"}, "e.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.ip6.arpa.\n"
                                        "f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.ip6.arpa.\n"},
    PlanCase{kHosts, {"2", "255.255.255.252/30"}, "255.255.255.252/30 2\n"},
    PlanCase{kHosts, {"1", "255.255.255.254/31"}, "! These hosts need 4 addresses; 255.255.255.254/31 has 2.\n"},
    PlanCase{kHosts, {"1", "10.0.0.0/32"}, "! These hosts need 4 addresses; 10.0.0.0/32 has 1.\n"},
    PlanCase{kHosts, {"1", "::/127"}, "::/127 1\n"},
    PlanCase{kHosts, {"1", "1", F7 ":fffc/126"}, F7 ":fffc/127 1\n" F7 ":fffe/127 1\n"},
    PlanCase{kHosts, {"4294967294", "0.0.0.0/0"}, "0.0.0.0/0 4294967294\n"},
    PlanCase{kHosts, {"4294967295", "0.0.0.0/0"}, "! These hosts need 8589934592 addresses; 0.0.0.0/0 has 4294967296.\n"},
    PlanCase{kHosts, {"340282366920938463463374607431768211455", "::/0"}, "::/0 340282366920938463463374607431768211455\n"},
    PlanCase{kHosts, {"170141183460469231731687303715884105727", "170141183460469231731687303715884105727", "::/0"},
             "::/1 170141183460469231731687303715884105727\n8000::/1 170141183460469231731687303715884105727\n"},
    PlanCase{kHosts, {"3", F7 ":fff0/124"}, F7 ":fff0/126 3\n" F7 ":fff4/126 free\n" F7 ":fff8/125 free\n"},
    PlanCase{kHosts, {"340282366920938463463374607431768211455", "1", "::/0"},
             "! These hosts need 340282366920938463463374607431768211458 addresses; ::/0 has 340282366920938463463374607431768211456.\n"},
    PlanCase{kHosts, {"340282366920938463463374607431768211455", "10.0.0.0/8"},
             "! These hosts need 680564733841876926926749214863536422912 addresses; 10.0.0.0/8 has 16777216.\n"},
    PlanCase{kHosts, {"340282366920938463463374607431768211456", "::/0"},
             "! 340282366920938... hosts are more than any network holds.\n"},
    PlanCase{kJson, {"0.0.0.0/0"}, R"({"cidr":"0.0.0.0/0","network":"0.0.0.0","prefixLength":0,"mask":"0.0.0.0","first":"0.0.0.0","last":"255.255.255.255","addresses":"4294967296"})" "\n"},
    PlanCase{kJson, {"::/0"}, R"({"cidr":"::/0","network":"::","prefixLength":0,"mask":"::","first":"::","last":"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff","addresses":"340282366920938463463374607431768211456"})" "\n"},
    PlanCase{kJson, {"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"}, R"({"cidr":"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/128","network":"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff","prefixLength":128,"mask":"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff","first":"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff","last":"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff","addresses":"1"})" "\n"}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Operands, Planned, testing::Values(
    PlanCase{kMerge, {"192.168.5.45/24"}, "192.168.5.0/24\n"},
    PlanCase{kMerge, {" \t10.0.0.5\r\n"}, "10.0.0.5/32\n"},
    PlanCase{kMerge, {"10.0.0.0 / 8"}, "10.0.0.0/8\n"},
    PlanCase{kMerge, {"1.2.3.4/255.255.255.0"}, "1.2.3.0/24\n"},
    PlanCase{kMerge, {"1.2.3.4\t255.255.255.0"}, "1.2.3.0/24\n"},
    PlanCase{kMerge, {"1.2.3.4 / 0.0.0.255"}, "1.2.3.0/24\n"},
    PlanCase{kMerge, {"1.2.3.4 255.0.255.0"}, "! 255.0.255.0 is not a network mask.\n"},
    PlanCase{kMerge, {"1.2.3.4 255.255.255.0 x"}, "! 255.255.255.0 x is not a network mask.\n"},
    PlanCase{kMerge, {"::1/255.0.0.0"}, "! /255.0.0.0 is not a prefix length.\n"},
    PlanCase{kMerge, {"10.0.0.1/0032"}, "10.0.0.1/32\n"},
    PlanCase{kMerge, {"010.000.000.001/32"}, "! Leading zeros are ambiguous: octal to some programs, decimal to others.\n"},
    PlanCase{kMerge, {"2001:DB8::1/32"}, "2001:db8::/32\n"},
    PlanCase{kMerge, {"::ffff:192.0.2.1/120"}, "::ffff:192.0.2.0/120\n"},
    PlanCase{kMerge, {"10.0.0.1 - 10.0.0.3"}, "10.0.0.1/32\n10.0.0.2/31\n"},
    PlanCase{kMerge, {"2001:db8::\t-\t2001:db8::1"}, "2001:db8::/127\n"},
    PlanCase{kMerge, {""}, "! Not an IPv4 or IPv6 address.\n"},
    PlanCase{kMerge, {"10.0.0.256"}, "! Not an IPv4 or IPv6 address.\n"},
    PlanCase{kMerge, {"10.0.0"}, "! Not an IPv4 or IPv6 address.\n"},
    PlanCase{kMerge, {"10.0.0.1.5"}, "! Not an IPv4 or IPv6 address.\n"},
    PlanCase{kMerge, {"10.0.0.0001"}, "! Not an IPv4 or IPv6 address.\n"},
    PlanCase{kMerge, {"1.2.3.4/33"}, "! /33 is not a prefix length.\n"},
    PlanCase{kMerge, {"2001:db8::/129"}, "! /129 is not a prefix length.\n"},
    PlanCase{kMerge, {"1.2.3.4/2x"}, "! /2x is not a prefix length.\n"},
    PlanCase{kMerge, {"1.2.3.4/"}, "! A prefix length must follow '/'.\n"},
    PlanCase{kMerge, {"2001:db8:::1"}, "! ':::' is in no address.\n"},
    PlanCase{kMerge, {"fe80::1%eth0/64"}, "! A zone ('%') has no place in a network.\n"},
    PlanCase{kMerge, {"10.0.0.9-10.0.0.1"}, "! The range ends before it starts.\n"},
    PlanCase{kMerge, {"10.0.0.1-::1"}, "! A range cannot mix IPv4 and IPv6.\n"},
    PlanCase{kMerge, {"10.0.0.0/24-10.0.1.0"}, "! The ends of a range are addresses, without '/'.\n"},
    PlanCase{kMerge, {"10.0.0.1-"}, "! Not an IPv4 or IPv6 address.\n"},
    PlanCase{kJson, {"10.0.0.1-10.0.0.2"}, "! A range is not a network; give a prefix.\n"}));

INSTANTIATE_TEST_SUITE_P(Ordinary, Planned, testing::Values(
    PlanCase{kSplit, {"26", "192.168.1.0/24"}, "count 4\n192.168.1.0/26\n192.168.1.64/26\n192.168.1.128/26\n192.168.1.192/26\n"},
    PlanCase{kSplit, {"/25", "192.168.5.45/24"}, "count 2\n192.168.5.0/25\n192.168.5.128/25\n"},
    PlanCase{kSplit, {"24", "10.0.0.0/8"}, "count 65536\n10.0.0.0/24\n10.0.1.0/24\n10.0.2.0/24\n10.0.3.0/24\n...\n"},
    PlanCase{kSplit, {"64", "2001:db8::/48"}, "count 65536\n2001:db8::/64\n2001:db8:0:1::/64\n2001:db8:0:2::/64\n2001:db8:0:3::/64\n...\n"},
    PlanCase{kSplit, {"x", "10.0.0.0/8"}, "! /x is not a prefix length.\n"},
    PlanCase{kSplit, {"1000", "10.0.0.0/8"}, "! /1000 is not a prefix length.\n"},
    PlanCase{kRange, {"10.0.0.1-10.0.0.6"}, "10.0.0.1/32\n10.0.0.2/31\n10.0.0.4/31\n10.0.0.6/32\n"},
    PlanCase{kRange, {"192.168.0.0 - 192.168.255.255"}, "192.168.0.0/16\n"},
    PlanCase{kRange, {"2001:db8::1-2001:db8::8"}, "2001:db8::1/128\n2001:db8::2/127\n2001:db8::4/126\n2001:db8::8/128\n"},
    PlanCase{kMerge, {"10.0.1.0/24", "10.0.0.0/24", "10.0.3.0/24"}, "10.0.0.0/23\n10.0.3.0/24\n"},
    PlanCase{kMerge, {"10.0.0.128/25", "10.0.0.0/24"}, "10.0.0.0/24\n"},
    PlanCase{kMerge, {"10.0.0.0-10.0.0.10", "10.0.0.5-10.0.0.15"}, "10.0.0.0/28\n"},
    PlanCase{kMerge, {"192.168.1.5-192.168.1.10", "192.168.1.0/30"},
             "192.168.1.0/30\n192.168.1.5/32\n192.168.1.6/31\n192.168.1.8/31\n192.168.1.10/32\n"},
    PlanCase{kMerge, {"2001:db8:8000::/33", "10.0.0.0/8", "2001:db8::/33"}, "10.0.0.0/8\n2001:db8::/32\n"},
    PlanCase{kExclude, {"192.168.0.128/25", "192.168.0.0/24"}, "192.168.0.0/25\n"},
    PlanCase{kExclude, {"10.0.0.7", "10.0.0.0/24"},
             "10.0.0.0/30\n10.0.0.4/31\n10.0.0.6/32\n10.0.0.8/29\n10.0.0.16/28\n10.0.0.32/27\n10.0.0.64/26\n10.0.0.128/25\n"},
    PlanCase{kExclude, {"9.0.0.0/8", "10.0.0.0/30"}, "10.0.0.0/30\n"},
    PlanCase{kExclude, {"10.0.0.6 - 10.0.1.0", "9.0.0.0-10.0.0.0", "10.0.0.0/29"}, "10.0.0.1/32\n10.0.0.2/31\n10.0.0.4/31\n"},
    PlanCase{kExclude, {"2001:db8::/33", "2001:db8::/32"}, "2001:db8:8000::/33\n"},
    PlanCase{kExclude, {"2001:db8::/32", "10.0.0.0/8"}, "! It is not of the network's family.\n"},
    PlanCase{kHosts, {"100", "50", "20", "2", "192.168.1.0/24"},
             "192.168.1.0/25 100\n192.168.1.128/26 50\n192.168.1.192/27 20\n192.168.1.224/30 2\n"
             "192.168.1.228/30 free\n192.168.1.232/29 free\n192.168.1.240/28 free\n"},
    PlanCase{kHosts, {"62", "63", "192.168.1.0/24"}, "192.168.1.0/25 63\n192.168.1.128/26 62\n192.168.1.192/26 free\n"},
    PlanCase{kHosts, {"5", "6", "1", "10.0.0.0/27"}, "10.0.0.0/29 5\n10.0.0.8/29 6\n10.0.0.16/30 1\n10.0.0.20/30 free\n10.0.0.24/29 free\n"},
    PlanCase{kHosts, {"2", "1", "2001:db8::/125"}, "2001:db8::/126 2\n2001:db8::4/127 1\n2001:db8::6/127 free\n"},
    PlanCase{kHosts, {"200", "100", "192.168.1.0/24"}, "! These hosts need 384 addresses; 192.168.1.0/24 has 256.\n"},
    PlanCase{kHosts, {"0", "192.168.1.0/24"}, "! A count of hosts is at least 1.\n"},
    PlanCase{kHosts, {"-3", "192.168.1.0/24"}, "! -3 is not a count of hosts.\n"},
    PlanCase{Operation::HostsJson, {"2", "10.0.0.0/29"},
             R"({"cidr":"10.0.0.0/30","network":"10.0.0.0","prefixLength":30,"mask":"255.255.255.252","first":"10.0.0.0","last":"10.0.0.3","addresses":"4","hosts":2})" "\n"
             R"({"cidr":"10.0.0.4/30","network":"10.0.0.4","prefixLength":30,"mask":"255.255.255.252","first":"10.0.0.4","last":"10.0.0.7","addresses":"4","hosts":null})" "\n"},
    PlanCase{kReverse, {"193.92.150.3/26"}, "0-63.150.92.193.in-addr.arpa.\n"},
    PlanCase{kReverse, {"193.92.150.3"}, "3.150.92.193.in-addr.arpa.\n"},
    PlanCase{kReverse, {"193.92.150.3/24"}, "150.92.193.in-addr.arpa.\n"},
    PlanCase{kReverse, {"193.92.0.0/16"}, "92.193.in-addr.arpa.\n"},
    PlanCase{kReverse, {"10.0.0.0/8"}, "10.in-addr.arpa.\n"},
    PlanCase{kReverse, {"10.0.4.0/22"}, "4.0.10.in-addr.arpa.\n5.0.10.in-addr.arpa.\n6.0.10.in-addr.arpa.\n7.0.10.in-addr.arpa.\n"},
    PlanCase{kReverse, {"10.16.0.0/14"}, "16.10.in-addr.arpa.\n17.10.in-addr.arpa.\n18.10.in-addr.arpa.\n19.10.in-addr.arpa.\n"},
    PlanCase{kReverse, {"2001:db8::/32"}, "8.b.d.0.1.0.0.2.ip6.arpa.\n"},
    PlanCase{kReverse, {"2001:db8:abc0::/44"}, "c.b.a.8.b.d.0.1.0.0.2.ip6.arpa.\n"},
    PlanCase{kReverse, {"2001:db8::/34"}, "0.8.b.d.0.1.0.0.2.ip6.arpa.\n1.8.b.d.0.1.0.0.2.ip6.arpa.\n2.8.b.d.0.1.0.0.2.ip6.arpa.\n3.8.b.d.0.1.0.0.2.ip6.arpa.\n"},
    PlanCase{kJson, {"10.0.0.0/30"}, R"({"cidr":"10.0.0.0/30","network":"10.0.0.0","prefixLength":30,"mask":"255.255.255.252","first":"10.0.0.0","last":"10.0.0.3","addresses":"4"})" "\n"},
    PlanCase{kJson, {"2001:db8::/64"}, R"({"cidr":"2001:db8::/64","network":"2001:db8::","prefixLength":64,"mask":"ffff:ffff:ffff:ffff::","first":"2001:db8::","last":"2001:db8::ffff:ffff:ffff:ffff","addresses":"18446744073709551616"})" "\n"}));
// clang-format on

#undef F7

} // namespace
