#include "file_streams.h"
#include "run.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    // The standard input gets a buffer of its own, which says whether a
    // line has arrived before the tool waits for it.
    std::ios::sync_with_stdio(false);
    // A reader that goes away ends the work through a failed write, which
    // leaves the exit status to say how the work went, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    quellan::cli::FileOutput out(STDOUT_FILENO);
    quellan::cli::FileOutput err(STDERR_FILENO);
    const int status = quellan::cli::run(arguments, std::cin, isatty(STDIN_FILENO) == 1, out, err);
    // A file system may report a failed write only when the file is closed.
    if (close(STDOUT_FILENO) != 0 && errno != EBADF) {
        err.write("quellan: write error: " + std::string(std::strerror(errno)) + "\n");
        return quellan::cli::kExitRefused;
    }
    return status;
}
