#pragma once

// Where the tool writes results and messages: the standard output and error
// in the program (file_streams.h), strings in the tests. Results leave in
// large blocks, written whole with the system call.

#include <string_view>

namespace quellan::cli {

class TextOutput {
public:
    virtual ~TextOutput() = default;
    // False when the text could not be written whole: the reader has gone.
    virtual bool write(std::string_view text) = 0;
};

} // namespace quellan::cli
