#pragma once

// Where the tool writes results and messages: the standard output and error
// in the program (file_streams.h), strings in the tests. Results leave in
// large blocks, written whole with the system call.

#include <string_view>

namespace quellan::cli {

class TextOutput {
public:
    virtual ~TextOutput() = default;
    // 0 when the text was written whole, else the errno of the failure:
    // EPIPE when the reader has gone, anything else a fault to report.
    virtual int write(std::string_view text) = 0;
};

} // namespace quellan::cli
