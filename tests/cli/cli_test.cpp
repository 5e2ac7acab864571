#include "addresses/address_text.h"
#include "calculator/event_steps.h"
#include "calculator/result_formats.h"
#include "command_line.h"
#include "run.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Takes `room` characters, then fails with `error` as a full disk or a
// closed pipe would.
class StringOutput : public quellan::cli::TextOutput {
public:
    int write(std::string_view text) override {
        if (text.size() > room_) {
            text_.append(text.substr(0, room_));
            room_ = 0;
            return error_;
        }
        room_ -= text.size();
        text_.append(text);
        return 0;
    }
    std::string text_;
    std::size_t room_ = std::string::npos;
    int error_ = ENOSPC;
};

struct Ran {
    int status = 0;
    std::string out;
    std::string err;
};

Ran runQuellan(const std::vector<std::string>& arguments, const std::string& input = "",
               bool terminal = false) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::istringstream in(input);
    StringOutput out;
    StringOutput err;
    Ran ran;
    ran.status = quellan::cli::run(views, in, terminal, out, err);
    ran.out = out.text_;
    ran.err = err.text_;
    return ran;
}

struct RunCase {
    std::string name;
    std::vector<std::string> arguments;
    std::string input;
    int status;
    std::string out;
    std::string err;
    bool terminal = false;
};

void PrintTo(const RunCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandLineRuns : public testing::TestWithParam<RunCase> {};

TEST_P(CommandLineRuns, PrintResultsReasonsAndStatus) {
    const RunCase& c = GetParam();
    const Ran ran = runQuellan(c.arguments, c.input, c.terminal);
    EXPECT_EQ(ran.status, c.status);
    EXPECT_EQ(ran.out, c.out);
    EXPECT_EQ(ran.err, c.err);
}

const std::string kUsage = quellan::cli::usageText();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Addresses, CommandLineRuns, testing::Values(
    RunCase{"length", {"--get", "cidr", "192.168.1.10/26"}, "", 0, "192.168.1.0/26\n", ""},
    RunCase{"mask argument", {"--get", "cidr", "192.168.1.10", "255.255.255.192"}, "", 0, "192.168.1.0/26\n", ""},
    RunCase{"length argument", {"--get", "input", "10.0.0.1", "26", "10.0.0.2", "/27"}, "", 0,
            "10.0.0.1/26\n10.0.0.2/27\n", ""},
    RunCase{"IPv6 length argument", {"--get", "cidr", "2001:db8::1", "64", "2001:db8::2", "/48", "::1", "0.0.0.0"},
            "", 0, "2001:db8::/64\n2001:db8::/48\n::1/128\n0.0.0.0/8\n", ""},
    RunCase{"wildcard stays an address", {"--get", "input", "10.0.0.1", "0.0.0.63"}, "", 0, "10.0.0.1\n0.0.0.63\n", ""},
    RunCase{"no second mask", {"--get", "input", "10.0.0.1/8", "255.255.0.0"}, "", 0, "10.0.0.1/8\n255.255.0.0\n", ""},
    RunCase{"class default", {"--get", "cidr", "10.0.0.1", "172.16.0.1", "192.168.7.7"}, "", 0,
            "10.0.0.0/8\n172.16.0.0/16\n192.168.7.0/24\n", ""},
    RunCase{"255 changes nothing", {"--get", "cidr", "1.2.3.255", "10.0.255.1"}, "", 0, "1.0.0.0/8\n10.0.0.0/8\n", ""},
    RunCase{"class D length", {"--get", "maskBits", "224.0.0.1/24"}, "", 0, "0\n",
            "quellan: 224.0.0.1/24: Class D addresses have no mask length; /24 was not applied.\n"},
    RunCase{"IPv6 among IPv4", {"--get", "cidr", "10.0.0.1", "2001:db8::1/64", "fe80::1%eth0"}, "", 0,
            "10.0.0.0/8\n2001:db8::/64\nfe80::1/128\n", ""},
    RunCase{"a key one family lacks", {"--get", "expanded", "10.0.0.1", "::1"}, "", 0,
            "\n0000:0000:0000:0000:0000:0000:0000:0001\n", ""},
    RunCase{"another key one family lacks", {"--get", "class", "::1", "10.0.0.1"}, "", 0, "\nA\n", ""},
    RunCase{"length 0, the window's field", {"--get", "maskBits", "10.0.0.1/0"}, "", 0, "8\n",
            "quellan: 10.0.0.1/0: The slider's shortest mask is /1; /0 was not applied.\n"},
    RunCase{"script keys take the length given", {"--get", "cidr", "10.0.0.1/0", "224.0.0.1", "224.0.0.0/3",
            "240.1.2.3", "239.1.2.3/24", "1.2.3.4/0.0.0.255"}, "", 0,
            "0.0.0.0/0\n224.0.0.1/32\n224.0.0.0/3\n240.1.2.3/32\n239.1.2.0/24\n1.2.3.0/24\n", ""},
    RunCase{"wildcard of the length given", {"--get", "wildcard", "10.0.0.1/0", "224.0.0.1"}, "", 0,
            "255.255.255.255\n0.0.0.0\n", ""},
    RunCase{"usable, network and broadcast excluded", {"--get", "usable", "10.0.0.0/0", "10.0.0.5/30", "10.0.0.5/31",
            "10.0.0.5/32", "224.0.0.1", "2001:db8::/64"}, "", 0,
            "4294967294\n2\n2\n1\n1\n18446744073709551616\n", ""},
    RunCase{"first usable", {"--get", "usableFirst", "10.0.0.5/30", "10.0.0.5/31", "10.0.0.5/32", "2001:db8::/64"}, "", 0,
            "10.0.0.5\n10.0.0.4\n10.0.0.5\n2001:db8::\n", ""},
    RunCase{"last usable", {"--get", "usableLast", "10.0.0.5/30", "10.0.0.5/31", "0.0.0.0/0", "2001:db8::/127"}, "", 0,
            "10.0.0.6\n10.0.0.5\n255.255.255.254\n2001:db8::1\n", ""},
    RunCase{"keys of both families", {"--get", "addresses", "172.16.0.1", "10.0.0.0/0", "::/0"}, "", 0,
            "65536\n4294967296\n340282366920938463463374607431768211456\n", ""},
    RunCase{"script keys as JSON", {"--json", "224.0.0.1/4"}, "", 0,
            R"({"input":"224.0.0.1/4","decimal":3758096385,"binary":"11100000.00000000.00000000.00000001",)"
            R"("hex":"E0.0.0.1","class":"D","maskBits":0,"classfulMask":"255.0.0.0","mask":"0.0.0.0",)"
            R"("hexMask":"0.0.0.0","binaryMask":"00000000.00000000.00000000.00000000",)"
            R"("range":"0.0.0.1 - 255.255.255.254","network":"0.0.0.0","broadcast":"255.255.255.255",)"
            R"("maxHosts":4294967294,"maxNets":0,"wildcard":"15.255.255.255","cidr":"224.0.0.0/4",)"
            R"j("type":"Multicast (RFC 5771)","reverseDns":"1.0.0.224.in-addr.arpa.","prefixLength":4,)j"
            R"("first":"224.0.0.0","last":"239.255.255.255","addresses":"268435456","usableFirst":"224.0.0.1",)"
            R"("usableLast":"239.255.255.254","usable":"268435454"})" "\n",
            "quellan: 224.0.0.1/4: Class D addresses have no mask length; /4 was not applied.\n"}));

INSTANTIATE_TEST_SUITE_P(Refused, CommandLineRuns, testing::Values(
    RunCase{"above 255", {"--get", "cidr", "300.1.1.1", "10.0.0.1"}, "", 1, "\n10.0.0.0/8\n",
            "quellan: 300.1.1.1: Value is larger than 254.\n"},
    RunCase{"above 255 after a 255", {"--json", "255.1.2.999"}, "", 1, "",
            "quellan: 255.1.2.999: Value is larger than 254.\n"},
    RunCase{"no address", {"--get", "cidr", "hello", "10.0.0.1x", "1:x"}, "", 1, "\n\n\n",
            "quellan: hello: Not an IPv4 or IPv6 address.\nquellan: 10.0.0.1x: Not an IPv4 or IPv6 address.\n"
            "quellan: 1:x: Not an IPv4 or IPv6 address.\n"},
    RunCase{"bad length", {"--get", "cidr", "10.0.0.1/33", "10.0.0.2", "40"}, "", 1, "\n\n",
            "quellan: 10.0.0.1/33: /33 is not a mask length.\nquellan: 10.0.0.2/40: /40 is not a mask length.\n"},
    RunCase{"bad mask", {"10.0.0.1 255.0.255.0"}, "", 1, "",
            "quellan: 10.0.0.1 255.0.255.0: 255.0.255.0 is not a network mask.\n"},
    RunCase{"mistyped mask argument", {"--get", "cidr", "10.0.0.1", "255.255.0.255", "10.0.0.2", "255.1"}, "", 1, "\n\n",
            "quellan: 10.0.0.1 255.255.0.255: 255.255.0.255 is not a network mask.\n"
            "quellan: 10.0.0.2 255.1: 255.1 is not a network mask.\n"},
    RunCase{"IPv6 refused, the next worked out", {"--get", "cidr", "1::2::3", "::1/129", "::1"}, "", 1, "\n\n::1/128\n",
            "quellan: 1::2::3: Two '::' in one address.\nquellan: ::1/129: /129 is not a prefix length.\n"},
    RunCase{"leading zeros", {"--get", "cidr", "010.0.0.1", "10.0.0.01/8", "0.0.0.0", "10.0.0.0"}, "", 1,
            "\n\n0.0.0.0/8\n10.0.0.0/8\n",
            "quellan: 010.0.0.1: Leading zeros are ambiguous: octal to some programs, decimal to others.\n"
            "quellan: 10.0.0.01/8: Leading zeros are ambiguous: octal to some programs, decimal to others.\n"},
    RunCase{"control characters shown", {"--", "\t1.2\x01"}, "", 1, "", "quellan: 1.2?: Not an IPv4 or IPv6 address.\n"},
    RunCase{"long input cut short", {std::string(70, '1')}, "", 1, "",
            "quellan: " + std::string(64, '1') + "...: Not an IPv4 or IPv6 address.\n"}));

INSTANTIATE_TEST_SUITE_P(StandardInput, CommandLineRuns, testing::Values(
    RunCase{"lines", {"--get", "input"}, "# list\n\n  192.168.1.10/26\r\n\t\n10.0.0.1 255.255.0.0\n  #10.0.0.2\n9.9.9.9", 0,
            "192.168.1.10/26\n10.0.0.1 255.255.0.0\n9.9.9.9\n", ""},
    RunCase{"dash among arguments", {"--get", "input", "1.1.1.1", "-", "2.2.2.2"}, "3.3.3.3\n", 0,
            "1.1.1.1\n3.3.3.3\n2.2.2.2\n", ""},
    RunCase{"refused line", {"--get", "cidr"}, "10.0.0.1\n1.2.3.256\n10.0.0.2\n", 1, "10.0.0.0/8\n\n10.0.0.0/8\n",
            "quellan: line 2: 1.2.3.256: Value is larger than 254.\n"},
    RunCase{"lines counted, skipped ones too", {"--get", "cidr", "-", "x"}, "# list\n\nbanana\n::1/129\n", 1, "\n\n\n",
            "quellan: line 3: banana: Not an IPv4 or IPv6 address.\nquellan: line 4: ::1/129: /129 is not a prefix length.\n"
            "quellan: x: Not an IPv4 or IPv6 address.\n"},
    RunCase{"byte-order mark skipped", {"--get", "cidr"}, "\xEF\xBB\xBF" "10.0.0.1\n\xEF\xBB\xBF" "10.0.0.2\n", 1,
            "10.0.0.0/8\n\n", "quellan: line 2: \xEF\xBB\xBF" "10.0.0.2: Not an IPv4 or IPv6 address.\n"},
    RunCase{"byte-order mark before a comment", {"--get", "cidr"}, "\xEF\xBB\xBF# list\n10.0.0.1\n", 0, "10.0.0.0/8\n", ""},
    RunCase{"line of 64 KiB taken", {"--get", "input"}, std::string(65536 - 8, ' ') + "10.0.0.1\n", 0, "10.0.0.1\n", ""},
    RunCase{"longer line refused", {"--get", "cidr"}, "10.0.0.1\n" + std::string(65537, '1') + "\n10.0.0.2", 1,
            "10.0.0.0/8\n\n10.0.0.0/8\n",
            "quellan: line 2: " + std::string(64, '1') + "...: The line is longer than 65536 bytes.\n"},
    RunCase{"longer last line refused", {"--get", "cidr"}, std::string(65537, ' '), 1, "\n",
            "quellan: line 1: \"\": The line is longer than 65536 bytes.\n"},
    RunCase{"arguments only", {"--get", "input", "1.1.1.1"}, "3.3.3.3\n", 0, "1.1.1.1\n", ""},
    RunCase{"both families", {"--get", "type"}, "10.0.0.1\n2001:db8::1\n# ::1\n::1\n", 0,
            "Private-use (RFC 1918)\nDocumentation (RFC 3849)\nLoopback (RFC 4291)\n", ""}));

INSTANTIATE_TEST_SUITE_P(Planning, CommandLineRuns, testing::Values(
    RunCase{"host plan", {"hosts", "192.168.1.0/24", "100", "50", "20", "2"}, "", 0,
            "192.168.1.0/25 100\n192.168.1.128/26 50\n192.168.1.192/27 20\n192.168.1.224/30 2\n"
            "192.168.1.228/30 free\n192.168.1.232/29 free\n192.168.1.240/28 free\n", ""},
    RunCase{"host plan as JSON", {"--json", "hosts", "10.0.0.0/29", "2"}, "", 0,
            R"({"cidr":"10.0.0.0/30","network":"10.0.0.0","prefixLength":30,"mask":"255.255.255.252",)"
            R"("first":"10.0.0.0","last":"10.0.0.3","addresses":"4","hosts":2})" "\n"
            R"({"cidr":"10.0.0.4/30","network":"10.0.0.4","prefixLength":30,"mask":"255.255.255.252",)"
            R"("first":"10.0.0.4","last":"10.0.0.7","addresses":"4","hosts":null})" "\n", ""},
    RunCase{"hosts that do not fit", {"hosts", "192.168.1.0/30", "2", "1"}, "", 1, "",
            "quellan: 192.168.1.0/30: These hosts need 8 addresses; 192.168.1.0/30 has 4.\n"},
    RunCase{"counts refused, no plan", {"hosts", "10.0.0.0/8", "0", "-1", "x", "5"}, "", 1, "",
            "quellan: 0: A count of hosts is at least 1.\nquellan: -1: -1 is not a count of hosts.\n"
            "quellan: x: x is not a count of hosts.\n"},
    RunCase{"split, host bits cleared", {"split", "/26", "192.168.5.45/24", "2001:db8::/63"}, "", 1,
            "192.168.5.0/26\n192.168.5.64/26\n192.168.5.128/26\n192.168.5.192/26\n",
            "quellan: 2001:db8::/63: /26 is shorter than the network's /63.\n"},
    RunCase{"split count", {"split", "--count", "64", "2001:db8::/32", "0.0.0.0/0"}, "", 1, "4294967296\n",
            "quellan: 0.0.0.0/0: /64 is not a prefix length.\n"},
    RunCase{"range", {"range", "10.0.0.1-10.0.0.6", "10.0.0.9 - 10.0.0.1", "10.0.0.1-::1"}, "", 1,
            "10.0.0.1/32\n10.0.0.2/31\n10.0.0.4/31\n10.0.0.6/32\n",
            "quellan: 10.0.0.9 - 10.0.0.1: The range ends before it starts.\n"
            "quellan: 10.0.0.1-::1: A range cannot mix IPv4 and IPv6.\n"},
    RunCase{"merge from standard input", {"merge"}, "# lists\n10.0.0.0/24\n\n2001:db8::/33\n10.0.1.0/24\n"
            "2001:db8:8000::/33\n192.168.0.5\n", 0, "10.0.0.0/23\n192.168.0.5/32\n2001:db8::/32\n", ""},
    RunCase{"merge of arguments and -", {"merge", "10.0.0.4-10.0.0.7", "-"}, "10.0.0.0/30\n", 0,
            "10.0.0.0/29\n", ""},
    RunCase{"merge, one item refused", {"merge", "10.0.0.4-10.0.0.7", "-", "bogus"}, "10.0.0.0/30\n10.0.0.9/\n", 1, "",
            "quellan: line 2: 10.0.0.9/: A prefix length must follow '/'.\n" "quellan: bogus: Not an IPv4 or IPv6 address.\n"},
    RunCase{"exclude", {"exclude", "10.0.0.0/29", "10.0.0.2", "192.168.0.0/16"}, "", 0,
            "10.0.0.0/31\n10.0.0.3/32\n10.0.0.4/30\n", ""},
    RunCase{"operands with leading zeros", {"merge", "10.0.0.0/8", "010.0.0.0/8", "10.0.0.1-10.0.0.010"}, "", 1, "",
            "quellan: 010.0.0.0/8: Leading zeros are ambiguous: octal to some programs, decimal to others.\n"
            "quellan: 10.0.0.1-10.0.0.010: Leading zeros are ambiguous: octal to some programs, decimal to others.\n"},
    RunCase{"exclude, one item of another family", {"exclude", "10.0.0.0/24", "10.0.0.2", "2001:db8::1"}, "", 1, "",
            "quellan: 2001:db8::1: It is not of the network's family.\n"},
    RunCase{"exclude, network and item refused", {"exclude", "10.0.0.0/33", "10.0.0.2", "x"}, "", 1, "",
            "quellan: 10.0.0.0/33: /33 is not a prefix length.\nquellan: x: Not an IPv4 or IPv6 address.\n"},
    RunCase{"hosts, network and count refused", {"hosts", "10.0.0.0-10.0.0.9", "5", "0"}, "", 1, "",
            "quellan: 10.0.0.0-10.0.0.9: A range is not a network; give a prefix.\n"
            "quellan: 0: A count of hosts is at least 1.\n"},
    RunCase{"reverse", {"reverse", "193.92.150.3/26", "10.0.0.0/23", "2001:db8::/31"}, "", 0,
            "0-63.150.92.193.in-addr.arpa.\n0.0.10.in-addr.arpa.\n1.0.10.in-addr.arpa.\n"
            "8.b.d.0.1.0.0.2.ip6.arpa.\n9.b.d.0.1.0.0.2.ip6.arpa.\n", ""},
    RunCase{"mask after an item", {"merge", "10.0.0.0", "255.255.255.0", "255.255.255.0/32"}, "", 1, "",
            "quellan: 255.255.255.0: A mask on its own is no network; write ADDRESS/MASK, or MASK/32 for the address.\n"},
    RunCase{"mask after a network", {"exclude", "10.0.0.0", "255.0.0.0", "10.0.0.0/255.255.255.0"}, "", 1, "",
            "quellan: 255.0.0.0: A mask on its own is no network; write ADDRESS/MASK, or MASK/32 for the address.\n"},
    RunCase{"masks read as addresses read them", {"exclude", "10.0.0.0 255.255.255.248", "10.0.0.0/255.255.255.252",
            "10.0.0.6/0.0.0.1"}, "", 0, "10.0.0.4/31\n", ""},
    RunCase{"no mask is an address", {"reverse", "10.0.0.0", "255.0.0.1", "0.0.0.0"}, "", 0,
            "0.0.0.10.in-addr.arpa.\n1.0.0.255.in-addr.arpa.\n0.0.0.0.in-addr.arpa.\n", ""},
    RunCase{"range in three words", {"range", "10.0.0.1", "-", "10.0.0.6", "10.0.0.8", "-", "10.0.0.9"}, "", 0,
            "10.0.0.1/32\n10.0.0.2/31\n10.0.0.4/31\n10.0.0.6/32\n10.0.0.8/31\n", ""},
    RunCase{"split of no length", {"split", "", "10.0.0.0/8", "bogus"}, "", 1, "",
            "quellan: \"\": The length of the subnets is not a prefix length such as 26 or /26.\n"},
    RunCase{"split of a wrong length", {"split", "/x", "10.0.0.0/8"}, "", 1, "",
            "quellan: /x: The length of the subnets is not a prefix length such as 26 or /26.\n"},
    RunCase{"a command after --", {"--get", "cidr", "--", "split", "10.0.0.0/8"}, "", 1, "\n10.0.0.0/8\n",
            "quellan: split: Not an IPv4 or IPv6 address.\n"},
    RunCase{"a command before --", {"--json", "split", "--", "31", "10.0.0.0/30"}, "", 0,
            R"({"cidr":"10.0.0.0/31","network":"10.0.0.0","prefixLength":31,"mask":"255.255.255.254",)"
            R"("first":"10.0.0.0","last":"10.0.0.1","addresses":"2"})" "\n"
            R"({"cidr":"10.0.0.2/31","network":"10.0.0.2","prefixLength":31,"mask":"255.255.255.254",)"
            R"("first":"10.0.0.2","last":"10.0.0.3","addresses":"2"})" "\n", ""},
    RunCase{"missing operand", {"split", "24"}, "", 2, "", "quellan: split needs LENGTH NETWORK...\n" + kUsage},
    RunCase{"--get with a command", {"--get", "cidr", "range", "10.0.0.1-10.0.0.2"}, "", 2, "",
            "quellan: --get goes with addresses, not with range\n" + kUsage},
    RunCase{"--count without split", {"--count", "10.0.0.1"}, "", 2, "", "quellan: --count goes with split only\n" + kUsage},
    RunCase{"reverse has no JSON", {"reverse", "--json", "10.0.0.0/8"}, "", 2, "",
            "quellan: --json does not go with reverse\n" + kUsage}));

INSTANTIATE_TEST_SUITE_P(PlanUsage, CommandLineRuns, testing::Values(
    RunCase{"plan option elsewhere", {"split", "--csv", "24", "10.0.0.0/16"}, "", 2, "",
            "quellan: --csv goes with plan only\n" + kUsage},
    RunCase{"plan option with addresses", {"--profile=aws", "10.0.0.1"}, "", 2, "",
            "quellan: --profile goes with plan only\n" + kUsage},
    RunCase{"two forms", {"plan", "--json", "--csv", "a.qplan"}, "", 2, "",
            "quellan: --json, --csv, --from-csv and --new exclude each other\n" + kUsage},
    RunCase{"profile of a file", {"plan", "--profile", "aws", "a.qplan"}, "", 2, "",
            "quellan: --profile goes with plan --from-csv or --new\n" + kUsage},
    RunCase{"unknown profile", {"plan", "--new", "--profile", "ibm", "10.0.0.0/8"}, "", 2, "",
            "quellan: --profile knows no profile \"ibm\"; the profiles are standard, aws, azure, gcp, oci\n" + kUsage},
    RunCase{"no file", {"plan"}, "", 2, "", "quellan: plan needs one FILE.qplan\n" + kUsage},
    RunCase{"two files", {"plan", "a.qplan", "b.qplan"}, "", 2, "", "quellan: plan needs one FILE.qplan\n" + kUsage},
    RunCase{"no network", {"plan", "--new"}, "", 2, "", "quellan: plan --new needs NETWORK...\n" + kUsage},
    RunCase{"sheet and more", {"plan", "--from-csv", "a.csv", "b"}, "", 2, "",
            "quellan: plan --from-csv takes no operand besides its FILE.csv\n" + kUsage},
    RunCase{"networks that overlap", {"plan", "--new", "10.0.0.0/8", "10.1.0.0/16"}, "", 1, "",
            "quellan: 10.0.0.0/8: 10.1.0.0/16 overlaps 10.0.0.0/8, a network of the plan.\n"},
    RunCase{"new plan", {"plan", "--new", "2001:db8::/64", "10.0.0.5/30", "--profile", "oci"}, "", 0,
            "{\n  \"format\": \"brevint-quellan-plan\",\n  \"version\": 1,\n  \"profile\": \"oci\",\n"
            "  \"networks\": [\n    {\"network\": \"10.0.0.4/30\", \"subnets\": [\n"
            "      {\"cidr\": \"10.0.0.4/30\"}\n    ]},\n    {\"network\": \"2001:db8::/64\", \"subnets\": [\n"
            "      {\"cidr\": \"2001:db8::/64\"}\n    ]}\n  ]\n}\n", ""}));

INSTANTIATE_TEST_SUITE_P(Usage, CommandLineRuns, testing::Values(
    RunCase{"unknown option", {"--bogus", "1.1.1.1"}, "", 2, "", "quellan: unrecognized option '--bogus'\n" + kUsage},
    RunCase{"short option", {"-j", "1.1.1.1"}, "", 2, "", "quellan: invalid option -- 'j'\n" + kUsage},
    RunCase{"no argument taken", {"--json=1", "1.1.1.1"}, "", 2, "",
            "quellan: option '--json' doesn't allow an argument\n" + kUsage},
    RunCase{"help takes no argument", {"--help=x"}, "", 2, "", "quellan: option '--help' doesn't allow an argument\n" + kUsage},
    RunCase{"abbreviated, with an argument", {"--vers=1"}, "", 2, "",
            "quellan: option '--version' doesn't allow an argument\n" + kUsage},
    RunCase{"abbreviated, argument missing", {"1.1.1.1", "--ge"}, "", 2, "",
            "quellan: option '--get' requires an argument\n" + kUsage},
    RunCase{"unknown option with an argument", {"--jsonx=1"}, "", 2, "", "quellan: unrecognized option '--jsonx=1'\n" + kUsage},
    RunCase{"key missing", {"1.1.1.1", "--get"}, "", 2, "", "quellan: option '--get' requires an argument\n" + kUsage},
    RunCase{"options after operands", {"10.0.0.1", "--get", "cidr"}, "", 0, "10.0.0.0/8\n", ""},
    RunCase{"key joined", {"--get=cidr", "10.0.0.1"}, "", 0, "10.0.0.0/8\n", ""},
    RunCase{"options ended", {"--get", "cidr", "--", "-x", "--json"}, "", 1, "\n\n",
            "quellan: -x: Not an IPv4 or IPv6 address.\nquellan: --json: Not an IPv4 or IPv6 address.\n"},
    RunCase{"unknown key", {"--get=Network", "1.1.1.1"}, "", 2, "",
            "quellan: --get knows no key \"Network\"; the keys are: input, decimal, binary, hex, class, "
            "maskBits, classfulMask, mask, hexMask, binaryMask, range, network, broadcast, maxHosts, "
            "maxNets, wildcard, cidr, type, reverseDns, prefixLength, first, last, addresses, usableFirst, "
            "usableLast, usable, address, expanded, embeddedIpv4\n" + kUsage},
    RunCase{"two forms", {"--json", "--get", "cidr", "1.1.1.1"}, "", 2, "",
            "quellan: --json and --get exclude each other\n" + kUsage},
    RunCase{"nothing from a terminal", {}, "1.1.1.1\n", 2, "", "quellan: no address given\n" + kUsage, true},
    RunCase{"version", {"--version"}, "", 0, "quellan (Brevint Quellan) " QUELLAN_VERSION "\n", ""}));
// clang-format on

struct FullCase {
    std::string name;
    std::vector<std::string> arguments;
    std::string input;
    std::size_t room;
    int error;
    int status;
    std::string err;
};

void PrintTo(const FullCase& c, std::ostream* os) {
    *os << c.name;
}

class FullOutput : public testing::TestWithParam<FullCase> {};

TEST_P(FullOutput, FailedWritesEndTheRunAndAreReported) {
    const FullCase& c = GetParam();
    const std::vector<std::string_view> views(c.arguments.begin(), c.arguments.end());
    std::istringstream in(c.input);
    StringOutput out;
    out.room_ = c.room;
    out.error_ = c.error;
    StringOutput err;
    EXPECT_EQ(quellan::cli::run(views, in, false, out, err), c.status);
    EXPECT_EQ(err.text_, c.err);
}

const std::string kNoSpace = "quellan: write error: No space left on device\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Writes, FullOutput, testing::Values(
    FullCase{"address", {"192.168.1.10"}, "", 0, ENOSPC, 1, kNoSpace},
    FullCase{"standard input, last block", {"--get", "cidr"}, "10.0.0.1\n", 0, ENOSPC, 1, kNoSpace},
    FullCase{"split, part written", {"split", "26", "10.0.0.0/8"}, "", 100000, ENOSPC, 1, kNoSpace},
    FullCase{"merge", {"merge", "10.0.0.0/24"}, "", 0, EIO, 1, "quellan: write error: Input/output error\n"},
    FullCase{"help", {"--help"}, "", 10, ENOSPC, 1, kNoSpace},
    FullCase{"version", {"--version"}, "", 0, ENOSPC, 1, kNoSpace},
    FullCase{"refused, then full", {"1.2.3.400", "10.0.0.1"}, "", 0, ENOSPC, 1,
             "quellan: 1.2.3.400: Value is larger than 254.\n" + kNoSpace},
    FullCase{"reader gone", {"split", "26", "10.0.0.0/8"}, "", 100000, EPIPE, 0, ""},
    FullCase{"reader gone, addresses", {"--get", "cidr"}, "10.0.0.1\n", 0, EPIPE, 0, ""}));
// clang-format on

// The window's record for a text typed into it by hand: each box digit by
// digit, then the slider dragged to the length, where the slider lets it.
quellan::WindowState typedIntoTheWindow(const std::string& text) {
    const quellan::ParsedAddress parsed = quellan::parseAddress(text);
    quellan::WindowState state;
    quellan::windowLoaded(state);
    for (std::size_t box = 0; box < parsed.octets.size(); ++box)
        for (std::size_t digits = 1; digits <= parsed.octets[box].size(); ++digits)
            quellan::octetChanged(state, box, parsed.octets[box].substr(0, digits));
    if (parsed.maskBits && state.sliderEnabled && *parsed.maskBits >= quellan::kSliderMinimum)
        quellan::sliderMoved(state, *parsed.maskBits);
    return state;
}

quellan::GivenNetwork given(const std::string& text) {
    const quellan::ParsedAddress parsed = quellan::parseAddress(text);
    std::uint32_t address = 0;
    for (const std::string& octet : parsed.octets)
        address = (address << 8) | static_cast<std::uint32_t>(std::stoul(octet));
    return quellan::givenNetwork(address, parsed.maskBits);
}

const std::vector<std::string> kSpread = {
    "192.168.1.10/26", "10.0.0.1",     "172.16.254.3/20",        "128.0.0.0/1",
    "0.0.0.0",         "127.0.0.1/32", "169.254.1.1/31",         "1.2.3.255",
    "254.254.254.254", "224.0.0.1",    "239.1.2.3/24",           "240.0.0.1/8",
    "1.1.1.1/0",       "10.1.0.9/12",  "100.64.0.1 255.192.0.0", "203.0.113.7 0.0.0.7",
};

// A folder of files for the tool to read, removed afterwards.
class PlanFiles : public testing::Test {
protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() / ("quellan-cli-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string write(const std::string& name, const std::string& text) const {
        std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

private:
    std::filesystem::path folder_;
};

TEST_F(PlanFiles, ShownAsTextJsonAndCsvOrRefusedWithTheirLines) {
    const std::string plan = write("p.qplan", R"({
  "format": "brevint-quellan-plan",
  "version": 1,
  "profile": "aws",
  "networks": [
    {"network": "10.0.0.0/29", "subnets": [
      {"cidr": "10.0.0.0/30", "name": "=Links, \"a\"", "vlan": 7, "note": "x\ny"},
      {"cidr": "10.0.0.4/30"}
    ]},
    {"network": "::/0", "subnets": [
      {"cidr": "::/0", "color": "#abcdef"}
    ]}
  ]
}
)");
    const std::string broken = write("b.qplan", R"({"format": "brevint-quellan-plan", "version": 1,
"profile": "aws", "networks": [{"network": "10.0.0.0/29", "subnets": [
{"cidr": "10.0.0.0/30", "vlan": 5000},
{"cidr": "10.0.0.5/30"}]}]}
)");
    const std::string sheet = write("s.csv", "cidr,name\n10.0.0.0/30,a\n10.0.0.8/29,\n");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;
    } const cases[] = {
        {{"plan", plan},
         0,
         "10.0.0.0/30 none 0 =Links, \"a\" vlan 7\n10.0.0.4/30 none 0 free\n"
         "::/0 ::-ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff 340282366920938463463374607431768211456 "
         "free\n",
         ""},
        {{"plan", "--json", plan},
         0,
         R"({"cidr":"10.0.0.0/30","network":"10.0.0.0","prefixLength":30,"mask":"255.255.255.252",)"
         R"("first":"10.0.0.0","last":"10.0.0.3","addresses":"4","planNetwork":"10.0.0.0/29",)"
         R"("name":"=Links, \"a\"","vlan":7,"hosts":null,"note":"x\ny","color":null,)"
         R"("usableFirst":null,"usableLast":null,"usable":"0"})"
         "\n"
         R"({"cidr":"10.0.0.4/30","network":"10.0.0.4","prefixLength":30,"mask":"255.255.255.252",)"
         R"("first":"10.0.0.4","last":"10.0.0.7","addresses":"4","planNetwork":"10.0.0.0/29",)"
         R"("name":null,"vlan":null,"hosts":null,"note":null,"color":null,)"
         R"("usableFirst":null,"usableLast":null,"usable":"0"})"
         "\n"
         R"({"cidr":"::/0","network":"::","prefixLength":0,"mask":"::","first":"::",)"
         R"("last":"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff","addresses":"340282366920938463463374607431768211456",)"
         R"("planNetwork":"::/0","name":null,"vlan":null,"hosts":null,"note":null,"color":"#abcdef",)"
         R"("usableFirst":"::","usableLast":"ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff",)"
         R"("usable":"340282366920938463463374607431768211456"})"
         "\n",
         ""},
        {{"plan", "--csv", plan},
         0,
         "network,cidr,name,vlan,hosts,note,color,mask,first,last,usable_first,usable_last,"
         "usable\r\n"
         "10.0.0.0/29,10.0.0.0/30,\"'=Links, "
         "\"\"a\"\"\",7,,\"x\ny\",,255.255.255.252,10.0.0.0,10.0.0.3,,,0\r\n"
         "10.0.0.0/29,10.0.0.4/30,,,,,,255.255.255.252,10.0.0.4,10.0.0.7,,,0\r\n"
         "::/0,::/0,,,,,#abcdef,::,::,ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff,::,"
         "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff,340282366920938463463374607431768211456\r\n",
         ""},
        {{"plan", "--from-csv", sheet},
         0,
         "{\n  \"format\": \"brevint-quellan-plan\",\n  \"version\": 1,\n  \"profile\": "
         "\"standard\",\n"
         "  \"networks\": [\n    {\"network\": \"10.0.0.0/30\", \"subnets\": [\n"
         "      {\"cidr\": \"10.0.0.0/30\", \"name\": \"a\"}\n    ]},\n"
         "    {\"network\": \"10.0.0.8/29\", \"subnets\": [\n      {\"cidr\": \"10.0.0.8/29\"}\n   "
         " ]}\n  ]\n}\n",
         ""},
        {{"plan", "--json", broken},
         1,
         "",
         broken + ":3: VLAN 5000 is not from 1 to 4094.\n" + broken +
             ":4: 10.0.0.5/30 has host bits set; 10.0.0.4/30 was meant?\n"},
        {{"plan", "--from-csv", plan},
         1,
         "",
         plan + ":2: A quote inside a field that does not start with one; quote the whole "
                "field and double the quotes in it.\n"},
        {{"plan", sheet + ".none"},
         1,
         "",
         sheet + ".none: cannot be read: No such file or directory.\n"},
    };
    for (const Case& c : cases) {
        const Ran ran = runQuellan(c.arguments);
        EXPECT_EQ(ran.status, c.status) << c.arguments[1];
        EXPECT_EQ(ran.out, c.out) << c.arguments[1];
        EXPECT_EQ(ran.err, c.err) << c.arguments[1];
    }
}

TEST(OneCore, JsonAndTextEqualTheRecordOfTheSameAddressTypedIntoTheWindow) {
    std::vector<std::string> arguments{"--json"};
    arguments.insert(arguments.end(), kSpread.begin(), kSpread.end());
    const Ran json = runQuellan(arguments);
    std::string expectedJson;
    for (const std::string& input : kSpread)
        expectedJson += quellan::resultsJson(typedIntoTheWindow(input), input, given(input)) + '\n';
    EXPECT_EQ(json.out, expectedJson);

    const Ran text = runQuellan(kSpread);
    std::string expectedText;
    for (const std::string& input : kSpread)
        expectedText += (expectedText.empty() ? "" : "\n") +
                        quellan::resultsText(typedIntoTheWindow(input), given(input));
    EXPECT_EQ(text.out, expectedText);
}

} // namespace
