#include "command_line.h"

#include "address_facts.h"
#include "address_text.h"
#include "result_formats.h"

#include <algorithm>
#include <optional>

namespace quellan::cli {

namespace {

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool addressWithoutMask(std::string_view text) {
    const ParsedAddress parsed = parseAddress(text);
    return parsed.isAddress && !parsed.maskBits && parsed.reason.empty();
}

// Ones then zeros, written as four octets: 255.255.255.192, 0.0.0.0.
bool dottedNetworkMask(std::string_view text) {
    const ParsedAddress parsed = parseAddress(text);
    if (!parsed.isAddress || parsed.maskBits || !parsed.reason.empty())
        return false;
    std::uint32_t mask = 0;
    for (const std::string& octet : parsed.octets) {
        const unsigned long value = std::stoul(octet);
        if (value > 255)
            return false;
        mask = (mask << 8) | static_cast<std::uint32_t>(value);
    }
    const std::uint32_t hostBits = ~mask;
    return (hostBits & (hostBits + 1U)) == 0;
}

// How an argument that is a mask on its own joins the address before it;
// nothing when it is no mask.
std::optional<std::string_view> maskJoint(std::string_view mask) {
    if (allDigits(mask))
        return "/";
    if (mask.starts_with('/'))
        return "";
    if (dottedNetworkMask(mask))
        return " ";
    return std::nullopt;
}

// The keys --get takes, in the order of the JSON object, lines kept under
// `width` characters after `indent`.
std::string keyList(std::string_view separator, std::size_t width, std::string_view indent) {
    std::vector<std::string_view> keys{kInputKey};
    for (const DisplayField& field : kDisplayFields)
        keys.push_back(field.key);
    for (const FactField& fact : kFactFields)
        keys.push_back(fact.key);
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

} // namespace

std::vector<std::string> joinMaskArguments(std::span<const std::string_view> operands) {
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        std::string address(operands[i]);
        const auto joint = i + 1 < operands.size() ? maskJoint(operands[i + 1]) : std::nullopt;
        if (joint && addressWithoutMask(address)) {
            address.append(*joint).append(operands[i + 1]);
            ++i;
        }
        joined.push_back(std::move(address));
    }
    return joined;
}

CommandLine readCommandLine(std::span<const std::string_view> arguments) {
    CommandLine line;
    std::vector<std::string_view> operands;
    bool optionsEnded = false;
    bool json = false;
    bool get = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (argument == "--json") {
            json = true;
        } else if (argument == "--get" || argument.starts_with("--get=")) {
            if (argument == "--get" && i + 1 == arguments.size()) {
                line.usageError = "--get needs a key";
                return line;
            }
            line.key = argument == "--get" ? arguments[++i] : argument.substr(6);
            get = true;
        } else {
            line.usageError = "unknown option " + std::string(argument);
            return line;
        }
    }
    if (json && get) {
        line.usageError = "--json and --get exclude each other";
        return line;
    }
    if (get && !isResultKey(line.key)) {
        line.usageError = "--get knows no key \"" + line.key +
                          "\"; the keys are: " + keyList(", ", std::string::npos, "");
        return line;
    }
    line.form = json ? OutputForm::Json : get ? OutputForm::Value : OutputForm::Text;
    for (std::string& operand : joinMaskArguments(operands)) {
        if (operand == "-")
            line.sources.push_back({.standardInput = true, .address = {}});
        else
            line.sources.push_back({.standardInput = false, .address = std::move(operand)});
    }
    return line;
}

std::string usageText() {
    return "Usage: quellan [--json | --get KEY] ADDRESS...\n"
           "       quellan [--json | --get KEY] [-] < ADDRESSES\n"
           "Try 'quellan --help' for more information.\n";
}

std::string helpText() {
    return "Usage: quellan [--json | --get KEY] ADDRESS...\n"
           "       quellan [--json | --get KEY] [-] < ADDRESSES\n"
           "\n"
           "Shows for each IPv4 address what the Brevint Quellan window shows for it,\n"
           "then its wildcard mask, its network in CIDR notation and its address type.\n"
           "\n"
           "An ADDRESS is a.b.c.d, with or without its mask: a.b.c.d/26,\n"
           "a.b.c.d/255.255.255.192, or the mask as the next argument, as in\n"
           "'quellan 192.168.1.10 255.255.255.192' or 'quellan 10.0.0.1 26'. Without a\n"
           "mask an address has its class's default mask. With no ADDRESS, or with -,\n"
           "the addresses are read from standard input, one a line; blank lines and\n"
           "lines starting with # are skipped.\n"
           "\n"
           "Options:\n"
           "  --json        one JSON object per address, one per line\n"
           "  --get KEY     only the value of KEY, one line per address\n"
           "  -h, --help    show this help and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "KEY is one of the JSON keys:\n" +
           keyList(" ", 76, "  ") +
           "\n"
           "\n"
           "Exit status: 0 when every address was worked out, 1 when one was refused or\n"
           "was no address (the reason is on standard error), 2 for a wrong command line.\n";
}

std::string versionText() {
    return "quellan (Brevint Quellan) " QUELLAN_VERSION "\n";
}

} // namespace quellan::cli
