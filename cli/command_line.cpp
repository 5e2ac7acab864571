#include "command_line.h"

#include "addresses/address_text.h"
#include "addresses/ipv6_results.h"
#include "addresses/ipv6_text.h"
#include "addresses/json_text.h"
#include "addresses/number_text.h"
#include "calculator/address_facts.h"
#include "calculator/result_formats.h"
#include "plans/plan.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <optional>

namespace quellan::cli {

namespace {

// The family of an address given without a mask or length; nothing for
// any other text.
std::optional<Family> addressWithoutMask(std::string_view text) {
    if (looksLikeIpv6(text)) {
        if (text.find('/') == std::string_view::npos && parseIpv6(text).reason.empty())
            return Family::IPv6;
        return std::nullopt;
    }
    const ParsedAddress parsed = parseAddress(text);
    if (parsed.isAddress && !parsed.maskBits && parsed.reason.empty())
        return Family::IPv4;
    return std::nullopt;
}

bool isAnyResultKey(std::string_view key) {
    return isResultKey(key) || isIpv6ResultKey(key);
}

// How an argument that is a mask on its own joins an address of `family`
// before it; nothing when it is no mask. No address starts with "255." where
// a mask is meant, so a mistyped mask such as 255.255.0.255 joins too, to be
// refused as no mask rather than read as an address of its own.
std::optional<std::string_view> maskJoint(std::string_view mask, Family family) {
    if (allDigits(mask))
        return "/";
    if (mask.starts_with('/'))
        return "";
    if (family == Family::IPv4 && (dottedNetworkMask(mask) || mask.starts_with("255.")))
        return " ";
    return std::nullopt;
}

// The keys --get takes: an IPv4 address's in the order of its JSON object,
// then those only an IPv6 address has; lines kept under `width` characters
// after `indent`.
std::string keyList(std::string_view separator, std::size_t width, std::string_view indent) {
    std::vector<std::string_view> keys{kInputKey};
    for (const DisplayField& field : kDisplayFields)
        keys.push_back(field.key);
    for (const FactField& fact : kFactFields)
        keys.push_back(fact.key);
    keys.push_back(kReverseDnsKey);
    for (const FactField& fact : kScriptFields)
        keys.push_back(fact.key);
    for (const Ipv6Field& field : kIpv6Fields)
        if (std::find(keys.begin(), keys.end(), field.key) == keys.end())
            keys.push_back(field.key);
    std::string list(indent);
    std::size_t lineLength = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && lineLength + separator.size() + keys[i].size() > width) {
            list.append("\n").append(indent);
            lineLength = 0;
        } else if (i > 0) {
            list.append(separator);
            lineLength += separator.size();
        }
        list.append(keys[i]);
        lineLength += keys[i].size();
    }
    return list;
}

struct PlanningCommand {
    std::string_view name;
    Command command;
    std::size_t fewestOperands;
    std::string_view operands; // as the usage names them
    std::string_view summary;
};

constexpr PlanningCommand kPlanningCommands[] = {
    {"split", Command::Split, 2, "LENGTH NETWORK...", "the subnets of LENGTH (26 or /26)"},
    {"hosts", Command::Hosts, 2, "NETWORK COUNT...", "a subnet per host count, then free blocks"},
    {"range", Command::Range, 1, "FIRST-LAST...", "the fewest blocks from FIRST to LAST"},
    {"merge", Command::Merge, 0, "[ITEM...]", "the fewest blocks covering the items"},
    {"exclude", Command::Exclude, 2, "NETWORK ITEM...", "NETWORK without the items"},
    {"reverse", Command::Reverse, 1, "NETWORK...", "the reverse DNS zones of each NETWORK"},
    {"plan", Command::Plan, 0, "FILE.qplan", "a plan file's subnets and labels"},
};

// The ways `plan` is called, as the usage shows them.
constexpr std::string_view kPlanUsage[] = {
    "plan [--json | --csv] FILE.qplan",
    "plan --from-csv FILE.csv [--profile P]",
    "plan --new NETWORK... [--profile P]",
};

const PlanningCommand* findPlanningCommand(std::string_view name) {
    for (const PlanningCommand& command : kPlanningCommands)
        if (command.name == name)
            return &command;
    return nullptr;
}

// `modes` counts --json, --csv, --from-csv and --new as given.
std::string planUsageError(const CommandLine& line, int modes) {
    if (modes > 1)
        return "--json, --csv, --from-csv and --new exclude each other";
    const bool newPlan = line.planMode == PlanMode::New;
    const bool makes = line.planMode == PlanMode::FromCsv || newPlan;
    if (!line.profile.empty() && !makes)
        return "--profile goes with plan --from-csv or --new";
    if (!line.profile.empty() && !profileNamed(line.profile))
        return "--profile knows no profile \"" + line.profile + "\"; the profiles are " +
               profileNames();
    if (line.planMode == PlanMode::FromCsv && !line.operands.empty())
        return "plan --from-csv takes no operand besides its FILE.csv";
    if (newPlan && line.operands.empty())
        return "plan --new needs NETWORK...";
    if (!makes && line.operands.size() != 1)
        return "plan needs one FILE.qplan";
    return {};
}

std::string planningUsageError(const CommandLine& line, const PlanningCommand& command, bool get) {
    const std::string name(command.name);
    if (get)
        return "--get goes with addresses, not with " + name;
    if (line.count && line.command != Command::Split)
        return "--count goes with split only";
    if (line.form == OutputForm::Json && (line.command == Command::Reverse || line.count))
        return "--json does not go with " + name + (line.count ? " --count" : "");
    if (line.operands.size() < command.fewestOperands)
        return name + " needs " + std::string(command.operands);
    return {};
}

// The option `given` names in full, as getopt_long matched it: "--ver" and
// "--version=1" name "--version"; a short option names itself.
std::string optionName(std::string_view given, std::span<const option> options) {
    if (!given.starts_with("--"))
        return std::string(given);
    const std::string_view name = given.substr(2, given.find('=') - 2);
    for (const option& known : options)
        if (known.name != nullptr && !name.empty() &&
            std::string_view(known.name).starts_with(name))
            return "--" + std::string(known.name);
    return std::string(given);
}

// What getopt_long would print, had it the stream run() writes to.
std::string optionError(std::string_view given, std::span<const option> options) {
    if (!given.starts_with("--"))
        return "invalid option -- '" + std::string(1, static_cast<char>(optopt)) + "'";
    const std::string name = optionName(given, options);
    if (name != given && given.find('=') != std::string_view::npos)
        return "option '" + name + "' doesn't allow an argument";
    return "unrecognized option '" + std::string(given) + "'";
}

} // namespace

std::vector<std::string> joinMaskArguments(std::span<const std::string_view> operands) {
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        std::string address(operands[i]);
        const std::optional<Family> family = addressWithoutMask(address);
        const auto joint =
            family && i + 1 < operands.size() ? maskJoint(operands[i + 1], *family) : std::nullopt;
        if (joint) {
            address.append(*joint).append(operands[i + 1]);
            ++i;
        }
        joined.push_back(std::move(address));
    }
    return joined;
}

CommandLine readCommandLine(std::span<const std::string_view> arguments) {
    // getopt_long wants writable C strings with the program's name first; it
    // moves the operands behind the options, so they may stand anywhere.
    std::vector<std::string> texts{"quellan"};
    for (const std::string_view argument : arguments) {
        // A negative number is an operand (a count of hosts, refused later
        // with its reason), not an option: a blank before it keeps getopt
        // from reading it as one, and every reader of operands skips blanks.
        const bool negative =
            argument.size() > 1 && argument[0] == '-' && argument[1] >= '0' && argument[1] <= '9';
        texts.push_back((negative ? " " : "") + std::string(argument));
    }
    std::vector<char*> argv;
    argv.reserve(texts.size() + 1);
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(texts.size());

    enum : int { kJson = 256, kGet, kVersion, kCount, kCsv, kFromCsv, kNew, kProfile };
    static constexpr std::array<option, 10> kOptions{{
        {"help", no_argument, nullptr, 'h'},
        {"json", no_argument, nullptr, kJson},
        {"get", required_argument, nullptr, kGet},
        {"count", no_argument, nullptr, kCount},
        {"version", no_argument, nullptr, kVersion},
        {"csv", no_argument, nullptr, kCsv},
        {"from-csv", required_argument, nullptr, kFromCsv},
        {"new", no_argument, nullptr, kNew},
        {"profile", required_argument, nullptr, kProfile},
        {nullptr, 0, nullptr, 0},
    }};
    CommandLine line;
    bool json = false;
    bool get = false;
    bool csv = false;
    bool fromCsv = false;
    bool newPlan = false;
    // The first option only `plan` takes, for the message when it stands
    // without it.
    std::string planOption;
    // The messages are ours to write, to the stream run() is given; 0 starts
    // getopt afresh, as each call reads a whole command line.
    opterr = 0;
    optind = 0;
    int found = 0;
    while ((found = getopt_long(argc, argv.data(), ":h", kOptions.data(), nullptr)) != -1) {
        const std::string_view given = argv[optind - 1];
        if (planOption.empty() &&
            (found == kCsv || found == kFromCsv || found == kNew || found == kProfile))
            planOption = std::string(given.substr(0, given.find('=')));
        switch (found) {
        case 'h':
            line.help = true;
            break;
        case kJson:
            json = true;
            break;
        case kGet:
            line.key = optarg;
            get = true;
            break;
        case kVersion:
            line.version = true;
            break;
        case kCount:
            line.count = true;
            break;
        case kCsv:
            csv = true;
            break;
        case kFromCsv:
            line.sheet = optarg;
            fromCsv = true;
            break;
        case kNew:
            newPlan = true;
            break;
        case kProfile:
            line.profile = optarg;
            break;
        case ':':
            line.usageError = "option '" + optionName(given, kOptions) + "' requires an argument";
            return line;
        default:
            line.usageError = optionError(given, kOptions);
            return line;
        }
    }
    if (json && get) {
        line.usageError = "--json and --get exclude each other";
        return line;
    }
    if (get && !isAnyResultKey(line.key)) {
        line.usageError = "--get knows no key \"" + line.key +
                          "\"; the keys are: " + keyList(", ", std::string::npos, "");
        return line;
    }
    line.form = json ? OutputForm::Json : get ? OutputForm::Value : OutputForm::Text;
    std::span<char*> operands(argv.begin() + optind, argv.end() - 1);
    // getopt_long moves the operands before "--" next to those after it; a
    // word after "--" is an operand even when it names a command.
    const auto position = [&texts](const char* text) {
        return std::find_if(texts.begin(), texts.end(),
                            [text](const std::string& t) { return t.data() == text; }) -
               texts.begin();
    };
    const bool commandAllowed = operands.empty() || optind < 2 ||
                                std::string_view(argv[optind - 1]) != "--" ||
                                position(operands.front()) < position(argv[optind - 1]);
    const auto* planning =
        commandAllowed && !operands.empty() ? findPlanningCommand(operands.front()) : nullptr;
    if (planning != nullptr) {
        line.command = planning->command;
        line.operands.assign(operands.begin() + 1, operands.end());
        line.usageError = planningUsageError(line, *planning, get);
        if (line.usageError.empty() && line.command == Command::Plan) {
            line.planMode = csv       ? PlanMode::Csv
                            : newPlan ? PlanMode::New
                            : fromCsv ? PlanMode::FromCsv
                                      : PlanMode::Show;
            line.usageError = planUsageError(line, (json ? 1 : 0) + (csv ? 1 : 0) +
                                                       (fromCsv ? 1 : 0) + (newPlan ? 1 : 0));
        } else if (line.usageError.empty() && !planOption.empty()) {
            line.usageError = planOption + " goes with plan only";
        }
        return line;
    }
    if (!planOption.empty()) {
        line.usageError = planOption + " goes with plan only";
        return line;
    }
    if (line.count) {
        line.usageError = "--count goes with split only";
        return line;
    }
    const std::vector<std::string_view> addresses(operands.begin(), operands.end());
    for (std::string& operand : joinMaskArguments(addresses)) {
        if (operand == "-")
            line.sources.push_back({.standardInput = true, .address = {}});
        else
            line.sources.push_back({.standardInput = false, .address = std::move(operand)});
    }
    return line;
}

std::string usageText() {
    std::string usage = "Usage: quellan [--json | --get KEY] ADDRESS...\n"
                        "       quellan [--json | --get KEY] [-] < ADDRESSES\n";
    for (const PlanningCommand& command : kPlanningCommands) {
        if (command.command == Command::Plan) {
            for (const std::string_view plan : kPlanUsage)
                usage.append("       quellan ").append(plan).push_back('\n');
            continue;
        }
        usage.append("       quellan ").append(command.name);
        usage.append(command.command == Command::Reverse ? " " : " [--json] ");
        if (command.command == Command::Split)
            usage.append("[--count] ");
        usage.append(command.operands).push_back('\n');
    }
    return usage + "Try 'quellan --help' for more information.\n";
}

std::string helpText() {
    std::string planning;
    for (const PlanningCommand& command : kPlanningCommands) {
        std::string synopsis =
            "  quellan " + std::string(command.name) + " " + std::string(command.operands);
        synopsis.resize(std::max<std::size_t>(synopsis.size() + 2, 36), ' ');
        planning.append(synopsis).append(command.summary).push_back('\n');
    }
    return "Usage: quellan [--json | --get KEY] ADDRESS...\n"
           "       quellan [--json | --get KEY] [-] < ADDRESSES\n"
           "       quellan COMMAND [--json] OPERAND...\n"
           "\n"
           "Shows for each IPv4 address what the Brevint Quellan window shows for it,\n"
           "then its wildcard mask, its network in CIDR notation, its address type,\n"
           "its reverse DNS name and its block; for each IPv6 address its forms,\n"
           "network, block, type, embedded IPv4 address and reverse DNS name.\n"
           "\n"
           "An ADDRESS is a.b.c.d, with or without its mask: a.b.c.d/26,\n"
           "a.b.c.d/255.255.255.192, or the mask as the next argument, as in\n"
           "'quellan 192.168.1.10 255.255.255.192' or 'quellan 10.0.0.1 26'; a next\n"
           "argument starting 255. that is no mask is refused with it. Without a mask\n"
           "an address has its class's default mask. Leading zeros (010.0.0.1) are\n"
           "refused as ambiguous. An IPv6 address is written in any of its forms, with\n"
           "an optional /0 to /128 (/128 without, or as the next argument) and zone:\n"
           "'quellan 2001:db8::1/64', 'quellan fe80::1%eth0'. With no ADDRESS, or with -,\n"
           "the addresses are read from standard input, one a line of up to 64 KiB;\n"
           "blank lines and lines starting with # are skipped.\n"
           "\n"
           "Planning networks, IPv4 and IPv6, one CIDR block a line (--json: one\n"
           "object a block):\n" +
           planning +
           "\n"
           "A NETWORK or ITEM is a.b.c.d/N, a.b.c.d/MASK or an IPv6 prefix, its host\n"
           "bits cleared; a bare address is that one address (/32, /128), not its\n"
           "class's network. An ITEM may also be a range FIRST-LAST ('A - B' as three\n"
           "arguments too). merge reads its items from standard input with no ITEM or\n"
           "with -. 'split --count' prints only how many. merge, exclude and hosts\n"
           "print nothing when one operand is refused; the others answer each operand.\n"
           "\n"
           "A plan file (NAME.qplan) keeps networks with their subnets and labels: JSON\n"
           "with one subnet a line, made for git. 'quellan plan FILE.qplan' lists each\n"
           "subnet with its usable range and count under the plan's profile, its name\n"
           "(or free) and VLAN; --json gives one object a subnet, --csv the sheet.\n"
           "'plan --new NETWORK...' and 'plan --from-csv FILE.csv' write a plan file on\n"
           "standard output. A broken file gives FILE:LINE: REASON lines on standard\n"
           "error, nothing on standard output, and status 1.\n"
           "\n"
           "Options:\n"
           "  --json        one JSON object per address or block, one per line\n"
           "  --get KEY     only the value of KEY, one line per input\n"
           "  --count       split: only the number of subnets\n"
           "  --csv         plan: the subnets as CSV, one row each\n"
           "  --from-csv FILE  plan: a plan file from a CSV sheet\n"
           "  --new         plan: a plan file of the NETWORKs, each one free subnet\n"
           "  --profile P   plan --new, --from-csv: the addresses each IPv4 subnet keeps\n"
           "                from hosts: standard (network and broadcast), aws, azure,\n"
           "                gcp or oci\n"
           "  -h, --help    show this help and exit\n"
           "  --version     show the version and exit\n"
           "  --            what follows is operands, even a word such as split\n"
           "\n"
           "KEY is one of the JSON keys; a key the address lacks (class of an IPv6\n"
           "address) or an input refused gives an empty line:\n" +
           keyList(" ", 76, "  ") +
           "\n"
           "\n"
           "The window's keys, decimal to maxNets, keep its rules (the slider's /1 at\n"
           "the shortest, no mask for class D and E). The others are plain CIDR on the\n"
           "length given, /0 to /32 on any class, or on the class's default (class D\n"
           "and E: the address alone), as for IPv6: wildcard, cidr, prefixLength, first,\n"
           "last, addresses, and the usable part, usableFirst, usableLast and usable\n"
           "(without network and broadcast but on a /31 or /32; in IPv6 every address).\n"
           "\n"
           "Exit status: 0 when every input was worked out, 1 when one was refused or\n"
           "was no address (the reason is on standard error, with 'line N:' for a line\n"
           "of standard input) or the results could not be written, 2 for a wrong\n"
           "command line.\n";
}

std::string versionText() {
    return "quellan (Brevint Quellan) " QUELLAN_VERSION "\n";
}

} // namespace quellan::cli
