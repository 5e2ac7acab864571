#include "run.h"

#include "address_report.h"
#include "command_line.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace quellan::cli {

namespace {

bool skippedLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos || line[first] == '#';
}

// Results are collected and written in large blocks: a batch of a million
// addresses is half a gigabyte of text. They go out before a message, so the
// two streams stay in order in a terminal, and before reading input that is
// not there yet, so that a program feeding addresses one by one gets each
// answer at once.
class AnswerWriter {
public:
    AnswerWriter(const CommandLine& line, TextOutput& out, TextOutput& err)
        : line_(line)
        , calculator_(line.form, line.key)
        , out_(out)
        , err_(err) {}

    void answer(std::string_view input) {
        const AddressReport report = calculator_.calculate(input);
        if (!report.messages.empty()) {
            flush();
            err_.write(report.messages);
        }
        refused_ = refused_ || report.refused;
        if (report.results.empty())
            return;
        if (line_.form == OutputForm::Text && shown_)
            pending_.push_back('\n');
        pending_ += report.results;
        shown_ = true;
        if (pending_.size() >= kBlockSize)
            flush();
    }

    void answerLines(std::istream& in) {
        std::string line;
        while (true) {
            if (in.rdbuf()->in_avail() <= 0)
                flush();
            if (!std::getline(in, line))
                break;
            if (!skippedLine(line))
                answer(line);
        }
        if (in.bad()) {
            const int error = errno;
            flush();
            err_.write("quellan: cannot read the standard input: " +
                       std::string(std::strerror(error)) + "\n");
            refused_ = true;
        }
    }

    void flush() {
        out_.write(pending_);
        pending_.clear();
    }

    bool refused() const { return refused_; }

private:
    static constexpr std::size_t kBlockSize = std::size_t{64} * 1024;

    const CommandLine& line_;
    AddressCalculator calculator_;
    TextOutput& out_;
    TextOutput& err_;
    std::string pending_;
    bool shown_ = false;
    bool refused_ = false;
};

} // namespace

int run(std::span<const std::string_view> arguments, std::istream& in, bool inIsTerminal,
        TextOutput& out, TextOutput& err) {
    CommandLine line = readCommandLine(arguments);
    if (!line.usageError.empty()) {
        err.write("quellan: " + line.usageError + "\n" + usageText());
        return kExitUsage;
    }
    if (line.help) {
        out.write(helpText());
        return 0;
    }
    if (line.version) {
        out.write(versionText());
        return 0;
    }
    if (line.sources.empty()) {
        if (inIsTerminal) {
            err.write("quellan: no address given\n" + usageText());
            return kExitUsage;
        }
        line.sources.push_back({.standardInput = true, .address = {}});
    }

    AnswerWriter writer(line, out, err);
    for (const Source& source : line.sources) {
        if (source.standardInput)
            writer.answerLines(in);
        else
            writer.answer(source.address);
    }
    writer.flush();
    return writer.refused() ? kExitRefused : 0;
}

} // namespace quellan::cli
