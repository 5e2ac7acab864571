#include "run.h"

#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char* argv[]) {
    // Results go out in large blocks rather than through C's stdio.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return quellan::cli::run(arguments, std::cin, isatty(STDIN_FILENO) == 1, std::cout, std::cerr);
}
