#include "plans/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace quellan {

namespace {

std::string failed(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno) + ".";
}

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            if (count == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// The folder of `path`, for the temporary file and for flushing the rename.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::string replaceFile(const std::string& path, std::string_view bytes) {
    // A link stays a link: its file is the one replaced.
    std::string target = path;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists) {
        const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                               &std::free);
        if (real)
            target = real.get();
    }
    const std::string folder = folderOf(target);
    std::string temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary =
            target + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        // 0666 less the umask, as any new file gets; an old file's mode
        // replaces it below.
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST)
            return failed("Cannot create a file in", folder);
    }
    if (descriptor < 0)
        return failed("Cannot create a file in", folder);
    std::string reason;
    if (exists && ::fchmod(descriptor, old.st_mode & 07777) != 0)
        reason = failed("Cannot give the old permissions to", temporary);
    if (reason.empty() && !writeAll(descriptor, bytes))
        reason = failed("Cannot write", temporary);
    if (reason.empty() && ::fsync(descriptor) != 0)
        reason = failed("Cannot flush", temporary);
    if (::close(descriptor) != 0 && reason.empty())
        reason = failed("Cannot write", temporary);
    if (reason.empty() && ::rename(temporary.c_str(), target.c_str()) != 0)
        reason = failed("Cannot replace", target);
    if (!reason.empty()) {
        ::unlink(temporary.c_str());
        return reason;
    }
    // The rename itself is on the disk once the folder is.
    const int folderDescriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderDescriptor < 0)
        return failed("Cannot open the folder", folder);
    const bool flushed = ::fsync(folderDescriptor) == 0;
    ::close(folderDescriptor);
    return flushed ? std::string{} : failed("Cannot flush the folder", folder);
}

} // namespace quellan
