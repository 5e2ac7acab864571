#include "answer_output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace quellan::cli {

void appendMessage(std::string& messages, std::string_view input, std::string_view reason,
                   std::uint64_t line) {
    constexpr std::string_view kBlanks = " \t\r\n";
    constexpr std::size_t kLongest = 64;
    input.remove_prefix(std::min(input.find_first_not_of(kBlanks), input.size()));
    input = input.substr(0, input.find_last_not_of(kBlanks) + 1);
    messages.append("quellan: ");
    if (line > 0)
        messages.append("line ").append(std::to_string(line)).append(": ");
    if (input.empty())
        messages.append("\"\"");
    for (const char c : input.substr(0, kLongest))
        messages.push_back((c >= 0 && c < ' ') || c == '\x7F' ? '?' : c);
    if (input.size() > kLongest)
        messages.append("...");
    messages.append(": ").append(reason).push_back('\n');
}

bool skippedLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos || line[first] == '#';
}

void AnswerOutput::readFailed() {
    const int error = errno;
    message("quellan: cannot read the standard input: " + std::string(std::strerror(error)) + "\n");
    refused_ = true;
}

bool AnswerOutput::flush() {
    if (!gone_ && !pending_.empty()) {
        const int error = out_.write(pending_);
        gone_ = error != 0;
        if (error != EPIPE)
            writeError_ = error;
    }
    pending_.clear();
    return !gone_;
}

bool AnswerOutput::finish() {
    flush();
    if (writeError_ != 0)
        err_.write("quellan: write error: " + std::string(std::strerror(writeError_)) + "\n");
    return writeError_ == 0;
}

void AnswerOutput::message(std::string_view messages) {
    flush();
    err_.write(messages);
}

void AnswerOutput::refuse(std::string_view input, std::string_view reason, std::uint64_t line) {
    std::string text;
    appendMessage(text, input, reason, line);
    message(text);
    refused_ = true;
}

} // namespace quellan::cli
