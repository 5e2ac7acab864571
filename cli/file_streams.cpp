#include "file_streams.h"

#include <unistd.h>

#include <cerrno>

namespace quellan::cli {

int FileOutput::write(std::string_view text) {
    while (!text.empty()) {
        const ssize_t count = ::write(descriptor_, text.data(), text.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno;
        // A write of nothing for something would repeat forever.
        if (count == 0)
            return EIO;
        text.remove_prefix(static_cast<std::size_t>(count));
    }
    return 0;
}

} // namespace quellan::cli
