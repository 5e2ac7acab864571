#include "run.h"

#include "address_report.h"
#include "answer_output.h"
#include "command_line.h"
#include "planning.h"

#include <string>

namespace quellan::cli {

namespace {

class AnswerWriter {
public:
    AnswerWriter(const CommandLine& line, AnswerOutput& output)
        : line_(line)
        , calculator_(line.form, line.key)
        , output_(output) {}

    // False once the reader of the results has gone.
    bool answer(std::string_view input, std::uint64_t line = 0) {
        return show(calculator_.calculate(input, line));
    }

    bool answerLines(std::istream& in) {
        return forEachInputLine(in, output_, [this](const InputLine& line) {
            if (!line.tooLong)
                return answer(line.text, line.number);
            AddressReport report;
            appendMessage(report.messages, line.text, kLineTooLong, line.number);
            report.refused = true;
            return show(std::move(report));
        });
    }

private:
    bool show(AddressReport report) {
        if (!report.messages.empty())
            output_.message(report.messages);
        if (report.refused)
            output_.markRefused();
        // A line for every input keeps a script's list and the values in step
        // (paste list <(quellan --get cidr < list)).
        if (report.refused && line_.form == OutputForm::Value)
            report.results = "\n";
        if (report.results.empty())
            return output_.added();
        if (line_.form == OutputForm::Text && shown_)
            output_.pending().push_back('\n');
        output_.pending() += report.results;
        shown_ = true;
        return output_.added();
    }

    const CommandLine& line_;
    AddressCalculator calculator_;
    AnswerOutput& output_;
    bool shown_ = false;
};

int exitStatus(AnswerOutput& output) {
    const bool written = output.finish();
    return written && !output.refused() ? 0 : kExitRefused;
}

} // namespace

int run(std::span<const std::string_view> arguments, std::istream& in, bool inIsTerminal,
        TextOutput& out, TextOutput& err) {
    CommandLine line = readCommandLine(arguments);
    if (!line.usageError.empty()) {
        err.write("quellan: " + line.usageError + "\n" + usageText());
        return kExitUsage;
    }
    AnswerOutput output(out, err);
    if (line.help || line.version) {
        output.pending() = line.help ? helpText() : versionText();
        return exitStatus(output);
    }
    if (line.command != Command::Addresses) {
        runPlanning(line, in, output);
        return exitStatus(output);
    }
    if (line.sources.empty()) {
        if (inIsTerminal) {
            err.write("quellan: no address given\n" + usageText());
            return kExitUsage;
        }
        line.sources.push_back({.standardInput = true, .address = {}});
    }

    AnswerWriter writer(line, output);
    for (const Source& source : line.sources) {
        const bool goOn =
            source.standardInput ? writer.answerLines(in) : writer.answer(source.address);
        if (!goOn)
            break;
    }
    return exitStatus(output);
}

} // namespace quellan::cli
