#pragma once

// Where the tool reads addresses and writes results and messages: the
// standard streams in the program (file_streams.h), strings in the tests.
// Not iostreams: setting up their locales would take longer than a whole
// answer, and one answer must come back as fast as ipcalc-ng's.

#include <string>
#include <string_view>

namespace quellan::cli {

class LineInput {
public:
    virtual ~LineInput() = default;
    // The next line, without its line end; false at the end of the input or
    // when it cannot be read (failure() then says why).
    virtual bool readLine(std::string& line) = 0;
    // Whether the next line may have to be waited for: nothing of it has
    // arrived yet.
    virtual bool mayWait() const = 0;
    // Why reading stopped early; empty when it reached the end.
    virtual std::string failure() const = 0;
};

class TextOutput {
public:
    virtual ~TextOutput() = default;
    virtual void write(std::string_view text) = 0;
};

} // namespace quellan::cli
