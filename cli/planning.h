#pragma once

// The planning commands (split, hosts, range, merge, exclude, reverse): their
// operands read, refused with a reason each, and their blocks written one at
// a time as they are worked out.

#include "answer_output.h"
#include "command_line.h"

#include <istream>

namespace quellan::cli {

// `line` names a planning command and its operands. Stops early once the
// reader of the results has gone.
void runPlanning(const CommandLine& line, std::istream& in, AnswerOutput& output);

} // namespace quellan::cli
