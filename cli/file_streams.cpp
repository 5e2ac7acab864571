#include "file_streams.h"

#include <unistd.h>

#include <cerrno>

namespace quellan::cli {

bool FileOutput::write(std::string_view text) {
    while (!text.empty()) {
        const ssize_t count = ::write(descriptor_, text.data(), text.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

} // namespace quellan::cli
