#pragma once

#include <istream>
#include <ostream>
#include <string_view>
#include <vector>

// corvane-cli's commands: assemble, tokens and run. Takes the arguments after the program
// name and returns the exit code; standard input is read when FILE is "-".
int RunCorvaneCli(const std::vector<std::string_view>& words, std::istream& in, std::ostream& out,
                  std::ostream& err);
