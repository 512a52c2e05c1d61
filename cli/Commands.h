#pragma once

#include <ostream>
#include <string_view>
#include <vector>

// corvane-cli's commands: assemble, tokens and run. Takes the arguments after the program
// name and returns the exit code.
int RunCorvaneCli(const std::vector<std::string_view>& words, std::ostream& out, std::ostream& err);
