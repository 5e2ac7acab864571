#pragma once

// What the command line asks for: the addresses to work out, with the output
// form and where the addresses come from, in order; or one of the planning
// commands with its operands. Reading it never touches a result.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quellan::cli {

enum class OutputForm {
    Text,  // the "Copy all" lines and the address facts, a blank line between addresses
    Json,  // one JSON object per line
    Value, // the value of one JSON key per line
};

// The first operand names a planning command; without one, the operands are
// addresses.
enum class Command { Addresses, Split, Hosts, Range, Merge, Exclude, Reverse, Plan };

// What `plan` does: show a plan file (as text or JSON by the output form),
// export it as CSV, or write a plan file from a sheet or from networks.
enum class PlanMode { Show, Csv, FromCsv, New };

// An address as given, or the standard input, one address a line.
struct Source {
    bool standardInput = false;
    std::string address;
};

struct CommandLine {
    Command command = Command::Addresses;
    OutputForm form = OutputForm::Text;
    std::string key;             // for OutputForm::Value
    std::vector<Source> sources; // of the addresses
    // A planning command's operands, after its name.
    std::vector<std::string> operands;
    bool count = false; // split: only how many
    PlanMode planMode = PlanMode::Show;
    std::string sheet;   // plan --from-csv
    std::string profile; // plan --from-csv, --new; empty for the standard one
    bool help = false;
    bool version = false;
    // Why the command line cannot be followed; empty when it can.
    std::string usageError;
};

// `arguments` without the program's name. With no address and no "-" the
// sources are empty; the caller decides whether the standard input counts.
CommandLine readCommandLine(std::span<const std::string_view> arguments);

// The arguments as addresses. An argument that is a mask on its own joins
// the address before it when that has none, as "quellan 192.168.1.10
// 255.255.255.192" is meant: a network mask in dotted form or any text
// starting "255.", a length "26" or "/26"; after an IPv6 address only a
// length. A wildcard such as 0.0.0.63 is also an address and stays one.
std::vector<std::string> joinMaskArguments(std::span<const std::string_view> operands);

std::string usageText();
std::string helpText();
std::string versionText();

} // namespace quellan::cli
