#include "run.h"

#include "address_report.h"
#include "command_line.h"

#include <istream>
#include <ostream>
#include <string>

namespace quellan::cli {

namespace {

bool skippedLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos || line[first] == '#';
}

class Reporter {
public:
    Reporter(const CommandLine& line, std::ostream& out, std::ostream& err)
        : line_(line)
        , out_(out)
        , err_(err) {}

    void report(std::string_view input) {
        const AddressReport report = reportAddress(input, line_.form, line_.key);
        if (!report.messages.empty()) {
            // Notes and reasons come after the results before them, in a terminal too.
            out_.flush();
            err_ << report.messages;
        }
        refused_ = refused_ || report.refused;
        if (report.results.empty())
            return;
        if (line_.form == OutputForm::Text && shown_)
            out_.put('\n');
        out_ << report.results;
        shown_ = true;
    }

    void reportLines(std::istream& in) {
        std::string line;
        while (std::getline(in, line))
            if (!skippedLine(line))
                report(line);
    }

    bool refused() const { return refused_; }

private:
    const CommandLine& line_;
    std::ostream& out_;
    std::ostream& err_;
    bool shown_ = false;
    bool refused_ = false;
};

} // namespace

int run(std::span<const std::string_view> arguments, std::istream& in, bool inIsTerminal,
        std::ostream& out, std::ostream& err) {
    CommandLine line = readCommandLine(arguments);
    if (!line.usageError.empty()) {
        err << "quellan: " << line.usageError << '\n' << usageText();
        return kExitUsage;
    }
    if (line.help) {
        out << helpText();
        return 0;
    }
    if (line.version) {
        out << versionText();
        return 0;
    }
    if (line.sources.empty()) {
        if (inIsTerminal) {
            err << "quellan: no address given\n" << usageText();
            return kExitUsage;
        }
        line.sources.push_back({.standardInput = true, .address = {}});
    }

    Reporter reporter(line, out, err);
    for (const Source& source : line.sources) {
        if (source.standardInput)
            reporter.reportLines(in);
        else
            reporter.report(source.address);
    }
    out.flush();
    return reporter.refused() ? kExitRefused : 0;
}

} // namespace quellan::cli
