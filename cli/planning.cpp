#include "planning.h"

#include "addresses/address_text.h"
#include "addresses/number_text.h"
#include "networks/block_exclude.h"
#include "networks/block_merge.h"
#include "networks/block_split.h"
#include "networks/block_text.h"
#include "networks/host_plan.h"
#include "networks/operand_text.h"
#include "networks/reverse_zones.h"
#include "plan_command.h"

#include <optional>
#include <string>
#include <vector>

namespace quellan::cli {

namespace {

class BlockWriter {
public:
    BlockWriter(OutputForm form, AnswerOutput& output)
        : form_(form)
        , output_(output) {}

    // False once the reader has gone.
    bool operator()(const Block& block) const {
        std::string& out = output_.pending();
        if (form_ == OutputForm::Json)
            appendBlockJson(out, block);
        else
            appendCidr(out, block);
        out.push_back('\n');
        return output_.added();
    }

private:
    OutputForm form_;
    AnswerOutput& output_;
};

constexpr std::string_view kNoSubnetLength =
    "The length of the subnets is not a prefix length such as 26 or /26.";
constexpr std::string_view kMaskOnItsOwn =
    "A mask on its own is no network; write ADDRESS/MASK, or MASK/32 for the address.";

// "merge 10.0.0.0 255.255.255.0" means one network, not 10.0.0.0/32 and
// 255.255.255.0/32: a network mask starting "255." after the operand
// `first`, where the networks or items begin, is refused.
bool maskAfterAnother(const std::vector<std::string>& operands, std::size_t i, std::size_t first) {
    const std::string_view text = trimBlanks(operands[i]);
    return i > first && text.starts_with("255.") && dottedNetworkMask(text);
}

std::optional<Block> network(std::string_view text, AnswerOutput& output) {
    const ParsedNetwork parsed = parseNetwork(text);
    if (!parsed.reason.empty()) {
        output.refuse(text, parsed.reason);
        return std::nullopt;
    }
    return parsed.block;
}

std::optional<Range> item(std::string_view text, AnswerOutput& output, std::uint64_t line = 0) {
    const ParsedItem parsed = parseItem(text);
    if (!parsed.reason.empty()) {
        output.refuse(text, parsed.reason, line);
        return std::nullopt;
    }
    return parsed.range;
}

// The network or item at `i` of operands whose networks or items begin at
// `first`.
std::optional<Block> networkAt(const std::vector<std::string>& operands, std::size_t i,
                               std::size_t first, AnswerOutput& output) {
    if (maskAfterAnother(operands, i, first)) {
        output.refuse(operands[i], kMaskOnItsOwn);
        return std::nullopt;
    }
    return network(operands[i], output);
}
std::optional<Range> itemAt(const std::vector<std::string>& operands, std::size_t i,
                            std::size_t first, AnswerOutput& output) {
    if (maskAfterAnother(operands, i, first)) {
        output.refuse(operands[i], kMaskOnItsOwn);
        return std::nullopt;
    }
    return item(operands[i], output);
}

void split(const CommandLine& line, AnswerOutput& output) {
    const BlockWriter write(line.form, output);
    const std::string& lengthText = line.operands.front();
    // A length that is none for any family is the length's fault, not each
    // network's.
    std::string_view digits = trimBlanks(lengthText);
    if (digits.starts_with('/'))
        digits = trimBlanks(digits.substr(1));
    if (!readPrefixLength(digits, Family::IPv6).reason.empty()) {
        output.refuse(lengthText, kNoSubnetLength);
        return;
    }
    for (std::size_t i = 1; i < line.operands.size(); ++i) {
        const std::optional<Block> whole = networkAt(line.operands, i, 1, output);
        if (!whole)
            continue;
        const PrefixLength length = readSplitLength(lengthText, *whole);
        if (!length.reason.empty()) {
            output.refuse(line.operands[i], length.reason);
            continue;
        }
        bool goOn = true;
        if (line.count) {
            appendSubnetCount(output.pending(), *whole, length.length);
            output.pending().push_back('\n');
            goOn = output.added();
        } else {
            goOn = forEachSubnet(*whole, length.length, write);
        }
        if (!goOn)
            return;
    }
}

void hosts(const CommandLine& line, AnswerOutput& output) {
    const std::optional<Block> whole = network(line.operands.front(), output);
    std::vector<Uint128> counts;
    bool allRead = whole.has_value();
    for (std::size_t i = 1; i < line.operands.size(); ++i) {
        const HostCount count = readHostCount(line.operands[i]);
        if (count.reason.empty()) {
            counts.push_back(count.count);
        } else {
            output.refuse(line.operands[i], count.reason);
            allRead = false;
        }
    }
    if (!allRead)
        return;
    const HostPlan plan = planHosts(*whole, counts);
    if (!plan.reason.empty()) {
        output.refuse(line.operands.front(), plan.reason);
        return;
    }
    for (const HostBlock& entry : plan.blocks) {
        std::string& out = output.pending();
        if (line.form == OutputForm::Json)
            appendBlockJson(out, entry.block, entry.hosts);
        else
            appendHostBlockLine(out, entry);
        out.push_back('\n');
        if (!output.added())
            return;
    }
}

void range(const CommandLine& line, AnswerOutput& output) {
    const BlockWriter write(line.form, output);
    // "range 10.0.0.1 - 10.0.0.6", the shell's three words, is one range.
    std::vector<std::string> ranges;
    const std::vector<std::string>& operands = line.operands;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        if (i + 2 < operands.size() && operands[i + 1] == "-") {
            ranges.push_back(operands[i] + " - " + operands[i + 2]);
            i += 2;
        } else {
            ranges.push_back(operands[i]);
        }
    }
    for (std::size_t i = 0; i < ranges.size(); ++i)
        if (const std::optional<Range> range = itemAt(ranges, i, 0, output); range)
            if (!forEachBlock(*range, write))
                return;
}

void merge(const CommandLine& line, std::istream& in, AnswerOutput& output) {
    Merger merger;
    const auto take = [&merger, &output](const InputLine& input) {
        if (input.tooLong)
            output.refuse(input.text, kLineTooLong, input.number);
        else if (const std::optional<Range> range = item(input.text, output, input.number); range)
            merger.add(*range);
        return true;
    };
    if (line.operands.empty())
        forEachInputLine(in, output, take);
    for (std::size_t i = 0; i < line.operands.size(); ++i) {
        if (line.operands[i] == "-")
            forEachInputLine(in, output, take);
        else if (const std::optional<Range> range = itemAt(line.operands, i, 0, output); range)
            merger.add(*range);
    }
    // One answer from all the items: without one of them it would be wrong.
    if (!output.refused())
        merger.blocks(BlockWriter(line.form, output));
}

void exclude(const CommandLine& line, AnswerOutput& output) {
    const std::optional<Block> whole = network(line.operands.front(), output);
    Exclusion exclusion(whole.value_or(Block{}));
    for (std::size_t i = 1; i < line.operands.size(); ++i) {
        const std::optional<Range> range = itemAt(line.operands, i, 0, output);
        if (whole && range && !exclusion.add(*range))
            output.refuse(line.operands[i], kNotTheNetworksFamily);
    }
    // What is left without an item that was refused would be more than asked.
    if (!output.refused())
        exclusion.blocks(BlockWriter(line.form, output));
}

void reverse(const CommandLine& line, AnswerOutput& output) {
    for (std::size_t i = 0; i < line.operands.size(); ++i) {
        const std::optional<Block> whole = networkAt(line.operands, i, 0, output);
        if (!whole)
            continue;
        for (const std::string& zone : reverseZones(*whole)) {
            output.pending().append(zone).push_back('\n');
            if (!output.added())
                return;
        }
    }
}

} // namespace

void runPlanning(const CommandLine& line, std::istream& in, AnswerOutput& output) {
    switch (line.command) {
    case Command::Split:
        split(line, output);
        break;
    case Command::Hosts:
        hosts(line, output);
        break;
    case Command::Range:
        range(line, output);
        break;
    case Command::Merge:
        merge(line, in, output);
        break;
    case Command::Exclude:
        exclude(line, output);
        break;
    case Command::Reverse:
        reverse(line, output);
        break;
    case Command::Plan:
        runPlan(line, output);
        break;
    case Command::Addresses:
        break;
    }
}

} // namespace quellan::cli
