#pragma once

// The standard streams as the tool's input and outputs, read and written
// with the system calls directly.

#include "text_streams.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quellan::cli {

class FileInput : public LineInput {
public:
    explicit FileInput(int descriptor);

    bool readLine(std::string& line) override;
    bool mayWait() const override;
    std::string failure() const override { return failure_; }

private:
    // Reads more after the unread part; false at the end or on an error.
    bool fill();

    int descriptor_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0; // the unread part of buffer_
    std::size_t end_ = 0;
    std::string failure_;
};

class FileOutput : public TextOutput {
public:
    explicit FileOutput(int descriptor)
        : descriptor_(descriptor) {}

    // Everything is written before it returns; what cannot be written (the
    // reader has gone) is dropped.
    void write(std::string_view text) override;

private:
    int descriptor_;
};

} // namespace quellan::cli
