#include "file_streams.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quellan::cli {

namespace {

constexpr std::size_t kReadSize = std::size_t{64} * 1024;

} // namespace

FileInput::FileInput(int descriptor)
    : descriptor_(descriptor) {}

bool FileInput::mayWait() const {
    return begin_ == end_;
}

bool FileInput::fill() {
    // Keep the unread part, at the front, and make room for a read after it.
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_),
              buffer_.begin() + static_cast<std::ptrdiff_t>(end_), buffer_.begin());
    end_ -= begin_;
    begin_ = 0;
    // Only on the first read: addresses given as arguments leave it unmade,
    // and touching its pages would slow the answer to them.
    if (buffer_.empty())
        buffer_.resize(kReadSize);
    else if (buffer_.size() - end_ < kReadSize / 2)
        buffer_.resize(buffer_.size() * 2);
    while (true) {
        const ssize_t count = ::read(descriptor_, buffer_.data() + end_, buffer_.size() - end_);
        if (count > 0) {
            end_ += static_cast<std::size_t>(count);
            return true;
        }
        if (count == 0)
            return false;
        if (errno != EINTR) {
            failure_ = std::strerror(errno);
            return false;
        }
    }
}

bool FileInput::readLine(std::string& line) {
    std::size_t searched = begin_;
    while (true) {
        const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(searched);
        const auto last = buffer_.begin() + static_cast<std::ptrdiff_t>(end_);
        const auto lineEnd = std::find(first, last, '\n');
        if (lineEnd != last) {
            line.assign(buffer_.data() + begin_,
                        static_cast<std::size_t>(lineEnd - buffer_.begin()) - begin_);
            begin_ = static_cast<std::size_t>(lineEnd - buffer_.begin()) + 1;
            return true;
        }
        searched = end_ - begin_; // where the search goes on once fill() has moved the rest
        if (!fill()) {
            // A last line without its line end still counts.
            if (begin_ == end_)
                return false;
            line.assign(buffer_.data() + begin_, end_ - begin_);
            begin_ = end_;
            return true;
        }
    }
}

void FileOutput::write(std::string_view text) {
    while (!text.empty()) {
        const ssize_t count = ::write(descriptor_, text.data(), text.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(count));
    }
}

} // namespace quellan::cli
