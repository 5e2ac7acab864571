#include "planning.h"

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

std::optional<Block> network(std::string_view text, AnswerOutput& output) {
    const ParsedNetwork parsed = parseNetwork(text);
    if (!parsed.reason.empty()) {
        output.refuse(text, parsed.reason);
        return std::nullopt;
    }
    return parsed.block;
}

std::optional<Range> item(std::string_view text, AnswerOutput& output) {
    const ParsedItem parsed = parseItem(text);
    if (!parsed.reason.empty()) {
        output.refuse(text, parsed.reason);
        return std::nullopt;
    }
    return parsed.range;
}

void split(const CommandLine& line, AnswerOutput& output) {
    const BlockWriter write(line.form, output);
    const std::string& lengthText = line.operands.front();
    for (std::size_t i = 1; i < line.operands.size(); ++i) {
        const std::optional<Block> whole = network(line.operands[i], output);
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
    for (const std::string& text : line.operands)
        if (const std::optional<Range> range = item(text, output); range)
            if (!forEachBlock(*range, write))
                return;
}

void merge(const CommandLine& line, std::istream& in, AnswerOutput& output) {
    Merger merger;
    const auto take = [&merger, &output](std::string_view text) {
        if (const std::optional<Range> range = item(text, output); range)
            merger.add(*range);
        return true;
    };
    if (line.operands.empty())
        forEachInputLine(in, output, take);
    for (const std::string& text : line.operands) {
        if (text == "-")
            forEachInputLine(in, output, take);
        else
            take(text);
    }
    merger.blocks(BlockWriter(line.form, output));
}

void exclude(const CommandLine& line, AnswerOutput& output) {
    const std::optional<Block> whole = network(line.operands.front(), output);
    if (!whole)
        return;
    Exclusion exclusion(*whole);
    for (std::size_t i = 1; i < line.operands.size(); ++i) {
        const std::optional<Range> range = item(line.operands[i], output);
        if (range && !exclusion.add(*range))
            output.refuse(line.operands[i], kNotTheNetworksFamily);
    }
    exclusion.blocks(BlockWriter(line.form, output));
}

void reverse(const CommandLine& line, AnswerOutput& output) {
    for (const std::string& text : line.operands) {
        const std::optional<Block> whole = network(text, output);
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
