// corvane-cli: the engine without a screen, for scripts, marking and tests.

#include <iostream>

#include "cli/Commands.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    return RunCorvaneCli(words, std::cin, std::cout, std::cerr);
}
