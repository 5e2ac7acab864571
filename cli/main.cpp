#include "file_streams.h"
#include "run.h"

#include <unistd.h>

#include <string_view>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    quellan::cli::FileInput in(STDIN_FILENO);
    quellan::cli::FileOutput out(STDOUT_FILENO);
    quellan::cli::FileOutput err(STDERR_FILENO);
    return quellan::cli::run(arguments, in, isatty(STDIN_FILENO) == 1, out, err);
}
