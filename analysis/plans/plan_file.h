#pragma once

// The plan file, NAME.qplan: UTF-8 JSON written one way only, keys in a
// fixed order, networks and subnets in address order and one subnet a line,
// so that `git diff` of two saves shows one line for each subnet changed.
// Reading never guesses: whatever is wrong is refused as FILE:LINE: REASON
// and nothing of the file is used. Keys this program does not know are kept
// and written back after the ones it does.

#include "plans/plan.h"

#include <string>
#include <string_view>
#include <vector>

namespace quellan {

inline constexpr std::string_view kPlanFormat = "brevint-quellan-plan";
inline constexpr std::uint64_t kPlanVersion = 1;

struct PlanRead {
    Plan plan;
    // "FILE:LINE: REASON", each one printable line; the plan is empty when
    // there are any.
    std::vector<std::string> errors;
};

// A file's bytes, or why they could not be read ("FILE: cannot be read:
// REASON.").
struct FileBytes {
    std::string bytes;
    std::string error;
};
FileBytes readFileBytes(const std::string& path);

// `name` is the file's name as the errors show it.
PlanRead readPlanText(std::string_view text, std::string_view name);
PlanRead readPlanFile(const std::string& path);

// The whole file, its last line ended.
std::string planFileText(const Plan& plan);

// A subnet's CIDR as a file must give it: the network address and "/N".
// Empty reason when it is one; with host bits set, the reason names the
// block that was meant.
struct CidrRead {
    Block block;
    std::string reason;
};
CidrRead readStrictCidr(std::string_view text);

// `text` for a reason: printable ASCII, other bytes as '?', and cut short.
std::string shownText(std::string_view text, std::size_t longest = 60);

} // namespace quellan
