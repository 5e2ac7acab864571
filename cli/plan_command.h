#pragma once

// `quellan plan`: a plan file shown as text, JSON or CSV, and plan files
// written from a sheet or from networks. A broken file gives its
// FILE:LINE: REASON lines on standard error and nothing on standard output.

#include "answer_output.h"
#include "command_line.h"

namespace quellan::cli {

void runPlan(const CommandLine& line, AnswerOutput& output);

} // namespace quellan::cli
