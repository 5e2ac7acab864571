#pragma once

// A file replaced whole or not at all: the new bytes go to a temporary file
// in the same folder, are flushed to the disk, and take the old file's name
// in one rename, so a crash or a full disk leaves the old file as it was.
// The old file's permissions carry over; a link is followed to its file.

#include <string>
#include <string_view>

namespace quellan {

// Why the file could not be written, with the system's reason; empty once
// `bytes` are safely in `path`.
std::string replaceFile(const std::string& path, std::string_view bytes);

} // namespace quellan
