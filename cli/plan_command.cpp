#include "plan_command.h"

#include "addresses/json_text.h"
#include "addresses/number_text.h"
#include "networks/block_text.h"
#include "networks/operand_text.h"
#include "plans/plan_csv.h"
#include "plans/plan_file.h"

#include <vector>

namespace quellan::cli {

namespace {

// "10.0.0.0/24 10.0.0.1-10.0.0.254 254 Servers vlan 10"; "none" for a
// subnet the profile leaves no host in, "free" for one without a name.
void appendSubnetText(std::string& out, Profile profile, const Subnet& subnet) {
    const Block& block = subnet.block;
    appendCidr(out, block);
    out.push_back(' ');
    const Usable usable = usableOf(profile, block);
    if (usable.any) {
        appendAddress(out, block.family, usable.first);
        out.push_back('-');
        appendAddress(out, block.family, usable.last);
    } else {
        out.append("none");
    }
    out.push_back(' ');
    appendUsableCount(out, profile, block);
    out.push_back(' ');
    out.append(subnet.labels->name.empty() ? "free" : subnet.labels->name);
    if (subnet.labels->vlan) {
        out.append(" vlan ");
        appendDecimal(out, *subnet.labels->vlan);
    }
}

void appendJsonText(std::string& out, std::string_view key, std::string_view text) {
    out.append(",\"").append(key).append("\":");
    if (text.empty())
        out.append("null");
    else
        appendJsonString(out, text);
}

// The block's keys as `--json` has them, the plan network, the labels, and
// the usable part.
void appendSubnetJson(std::string& out, Profile profile, const Block& network,
                      const Subnet& subnet) {
    const Block& block = subnet.block;
    const Labels& labels = subnet.labels;
    appendBlockJsonFields(out, block);
    out.append(",\"planNetwork\":\"");
    appendCidr(out, network);
    out.push_back('"');
    appendJsonText(out, "name", labels.name);
    out.append(",\"vlan\":");
    if (labels.vlan)
        appendDecimal(out, *labels.vlan);
    else
        out.append("null");
    out.append(",\"hosts\":");
    if (labels.hosts)
        appendDecimal128(out, *labels.hosts);
    else
        out.append("null");
    appendJsonText(out, "note", labels.note);
    appendJsonText(out, "color", labels.color);
    const Usable usable = usableOf(profile, block);
    for (const auto& [key, bits] :
         {std::pair{"usableFirst", usable.first}, std::pair{"usableLast", usable.last}}) {
        out.append(",\"").append(key).append("\":");
        if (usable.any) {
            out.push_back('"');
            appendAddress(out, block.family, bits);
            out.push_back('"');
        } else {
            out.append("null");
        }
    }
    out.append(",\"usable\":\"");
    appendUsableCount(out, profile, block);
    out.append("\"}");
}

void refuseAll(const std::vector<std::string>& errors, AnswerOutput& output) {
    std::string lines;
    for (const std::string& error : errors)
        lines.append(error).push_back('\n');
    output.message(lines);
    output.markRefused();
}

// Whole texts (a plan file, a sheet) go out in blocks as well.
void writeText(std::string_view text, AnswerOutput& output) {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    for (std::size_t at = 0; at < text.size(); at += kPiece) {
        output.pending().append(text.substr(at, kPiece));
        if (!output.added())
            return;
    }
}

void show(const CommandLine& line, AnswerOutput& output) {
    const PlanRead read = readPlanFile(line.operands.front());
    if (!read.errors.empty()) {
        refuseAll(read.errors, output);
        return;
    }
    const Plan& plan = read.plan;
    if (line.planMode == PlanMode::Csv) {
        writeText(planCsvText(plan), output);
        return;
    }
    for (const PlanNetwork& network : plan.networks) {
        for (const Subnet& subnet : network.subnets) {
            std::string& out = output.pending();
            if (line.form == OutputForm::Json)
                appendSubnetJson(out, plan.profile, network.block, subnet);
            else
                appendSubnetText(out, plan.profile, subnet);
            out.push_back('\n');
            if (!output.added())
                return;
        }
    }
}

Profile profileOf(const CommandLine& line) {
    return line.profile.empty() ? Profile::Standard : *profileNamed(line.profile);
}

void fromSheet(const CommandLine& line, AnswerOutput& output) {
    const FileBytes sheet = readFileBytes(line.sheet);
    if (!sheet.error.empty()) {
        refuseAll({sheet.error}, output);
        return;
    }
    const PlanRead read = readPlanCsv(sheet.bytes, line.sheet, profileOf(line));
    if (!read.errors.empty())
        refuseAll(read.errors, output);
    else
        writeText(planFileText(read.plan), output);
}

void fromNetworks(const CommandLine& line, AnswerOutput& output) {
    std::vector<Block> networks;
    bool allRead = true;
    for (const std::string& text : line.operands) {
        const ParsedNetwork parsed = parseNetwork(text);
        if (parsed.reason.empty())
            networks.push_back(parsed.block);
        else
            output.refuse(text, parsed.reason);
        allRead = allRead && parsed.reason.empty();
    }
    if (!allRead)
        return;
    const NewPlan made = newPlan(networks, profileOf(line));
    if (!made.reason.empty())
        output.refuse(line.operands.front(), made.reason);
    else
        writeText(planFileText(made.plan), output);
}

} // namespace

void runPlan(const CommandLine& line, AnswerOutput& output) {
    switch (line.planMode) {
    case PlanMode::Show:
    case PlanMode::Csv:
        show(line, output);
        break;
    case PlanMode::FromCsv:
        fromSheet(line, output);
        break;
    case PlanMode::New:
        fromNetworks(line, output);
        break;
    }
}

} // namespace quellan::cli
