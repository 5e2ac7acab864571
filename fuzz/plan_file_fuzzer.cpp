// Reads the input as a plan file and as a CSV sheet. Whatever is refused is
// refused with printable lines of FILE:LINE: REASON and no plan; whatever is
// read tiles its networks, is written and read back to the same bytes, and
// then takes operations drawn from the same bytes, each undone again.

#include "fuzz_checks.h"
#include "plan_model_checks.h"
#include "plans/plan_csv.h"
#include "plans/plan_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quellan::fuzz::require;

void checkRefusals(const quellan::PlanRead& read, std::string_view name) {
    require(read.errors.empty() || read.plan.networks.empty(), "a refused file gives no plan");
    for (const std::string& error : read.errors) {
        require(error.starts_with(std::string(name) + ":"), "a refusal names its file");
        require(
            std::all_of(error.begin(), error.end(), [](char c) { return c >= ' ' && c <= '~'; }),
            "a refusal is one printable line");
    }
}

// Operations drawn from `draw` on `plan`: the tiling holds after each, and
// undoing them all gives the plan back.
void checkOperations(const quellan::Plan& start, const quellan::check::Draw& draw) {
    quellan::Plan plan = start;
    std::vector<quellan::PlanChange> done;
    for (int step = 0; step < 8; ++step) {
        const quellan::PlanResult result = quellan::check::drawOperation(plan, draw);
        if (!result.reason.empty())
            continue;
        quellan::apply(plan, result.change);
        done.push_back(result.change);
        const std::string fault = quellan::check::tilingFault(plan);
        if (!fault.empty())
            std::fprintf(stderr, "%s\n", fault.c_str());
        require(fault.empty(), "operations keep the tiling");
        require(plan.subnetCount() <= quellan::kMostSubnets, "operations keep the limit");
    }
    for (std::size_t i = done.size(); i-- > 0;)
        quellan::apply(plan, quellan::inverse(done[i]));
    require(plan == start, "undoing every change gives the plan back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const quellan::check::Draw draw = quellan::fuzz::ByteDraw(data, size);

    const quellan::PlanRead file = quellan::readPlanText(input, "f.qplan");
    checkRefusals(file, "f.qplan");
    if (file.errors.empty()) {
        require(quellan::check::tilingFault(file.plan).empty(), "a plan read tiles its networks");
        const std::string saved = quellan::planFileText(file.plan);
        const quellan::PlanRead again = quellan::readPlanText(saved, "f.qplan");
        require(again.errors.empty() && again.plan == file.plan, "a saved plan reads back");
        require(quellan::planFileText(again.plan) == saved, "save, open, save: the same bytes");
        if (file.plan.subnetCount() < 4096)
            checkOperations(file.plan, draw);
    }

    const auto profile = static_cast<quellan::Profile>(size % 5);
    const quellan::PlanRead sheet = quellan::readPlanCsv(input, "f.csv", profile);
    checkRefusals(sheet, "f.csv");
    if (sheet.errors.empty()) {
        require(quellan::check::tilingFault(sheet.plan).empty(), "a sheet read tiles its networks");
        const std::string exported = quellan::planCsvText(sheet.plan);
        const quellan::PlanRead again = quellan::readPlanCsv(exported, "f.csv", profile);
        require(again.errors.empty(), "an export reads back");
        require(quellan::planCsvText(again.plan) == exported,
                "export, import, export: the same bytes");
    }
    return 0;
}
