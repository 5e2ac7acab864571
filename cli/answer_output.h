#pragma once

// The tool's answers on their way out. Results are collected and written in
// large blocks: a batch of a million addresses is half a gigabyte of text,
// and a split can print far more. They go out before a message, so the two
// streams stay in order in a terminal. Once the reader of the results has
// gone (`quellan split 64 2001:db8::/16 | head -3`), the work stops.

#include "text_streams.h"

#include <cstdint>
#include <istream>
#include <limits>
#include <string>
#include <string_view>

namespace quellan::cli {

// "quellan: INPUT: REASON" and a line end, the input without the blanks
// around it, its control characters made visible as "?", and cut short when
// it is longer than any address with its mask. With a `line` number from 1
// (the standard input's), "quellan: line N: INPUT: REASON".
void appendMessage(std::string& messages, std::string_view input, std::string_view reason,
                   std::uint64_t line = 0);

class AnswerOutput {
public:
    AnswerOutput(TextOutput& out, TextOutput& err)
        : out_(out)
        , err_(err) {}

    // Where results are appended; call added() after each.
    std::string& pending() { return pending_; }
    // Writes the results once a block has gathered. False once the reader
    // has gone.
    bool added() { return pending_.size() < kBlockSize ? !gone_ : flush(); }
    // Writes what has gathered; false once the reader has gone or a write
    // failed.
    bool flush();
    // Writes what has gathered. False, with "quellan: write error: REASON"
    // reported as coreutils do, when results could not be written; a reader
    // that went away is no fault.
    bool finish();

    // Messages go to the error stream at once, after the results before them.
    void message(std::string_view messages);
    // Reports why `input` was refused; the run then ends with status 1.
    void refuse(std::string_view input, std::string_view reason, std::uint64_t line = 0);
    void markRefused() { refused_ = true; }
    // Reports that the standard input could not be read, with errno's reason.
    void readFailed();
    bool refused() const { return refused_; }

private:
    static constexpr std::size_t kBlockSize = std::size_t{64} * 1024;

    TextOutput& out_;
    TextOutput& err_;
    std::string pending_;
    bool gone_ = false;
    int writeError_ = 0; // errno
    bool refused_ = false;
};

// Blank lines and lines starting with '#' hold no input.
bool skippedLine(std::string_view line);

// Far longer than any address with its mask, and what a line without an end
// (quellan < /dev/zero) may take of memory.
inline constexpr std::size_t kLongestLine = std::size_t{64} * 1024;
inline constexpr std::string_view kLineTooLong = "The line is longer than 65536 bytes.";
static_assert(kLongestLine == 65536, "kLineTooLong names the limit");

struct InputLine {
    // Without its line end; only its first kLongestLine bytes when tooLong.
    std::string_view text;
    std::uint64_t number = 0; // from 1
    bool tooLong = false;
};

// Calls `take` with each line of `in` that holds input, until it returns
// false; a line over kLongestLine bytes as soon as that is known, the rest of
// it then skipped. A UTF-8 byte-order mark before the first line is no input.
// What has gathered is written whenever the next line may have to be waited
// for, so that a program feeding lines one by one gets each answer at once. A
// failure to read is reported. False when `take` stopped it or the reader of
// the results has gone.
template <typename Take> bool forEachInputLine(std::istream& in, AnswerOutput& output, Take take) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::string buffer(kLongestLine + 1, '\0');
    for (std::uint64_t number = 1;; ++number) {
        if (in.rdbuf()->in_avail() <= 0 && !output.flush())
            return false;
        in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto extracted = static_cast<std::size_t>(in.gcount());
        const bool ended = !in.fail() && !in.eof();
        const bool tooLong = in.fail() && !in.eof() && extracted == kLongestLine;
        if (extracted == 0 && in.fail())
            break;
        InputLine line{std::string_view(buffer.data(), ended ? extracted - 1 : extracted), number,
                       tooLong};
        if (number == 1 && line.text.starts_with(kByteOrderMark))
            line.text.remove_prefix(kByteOrderMark.size());
        if (!(skippedLine(line.text) && !tooLong) && !take(line))
            return false;
        if (tooLong) {
            in.clear(in.rdstate() & ~std::ios::failbit);
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        }
        if (in.eof())
            break;
    }
    if (in.bad())
        output.readFailed();
    return true;
}

} // namespace quellan::cli
