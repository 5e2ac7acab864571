#pragma once

// The standard output and error as the tool's outputs, written with the
// system call directly.

#include "text_streams.h"

namespace quellan::cli {

class FileOutput : public TextOutput {
public:
    explicit FileOutput(int descriptor)
        : descriptor_(descriptor) {}

    // Everything is written before it returns, or nothing more can be.
    int write(std::string_view text) override;

private:
    int descriptor_;
};

} // namespace quellan::cli
