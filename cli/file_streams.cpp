#include "file_streams.h"

#include <unistd.h>

#include <cerrno>

namespace quellan::cli {

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
