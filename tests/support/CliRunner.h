#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"

// corvane-cli run in-process, with what it printed and its exit code; input is what it
// reads as standard input.
struct CliResult {
    int Exit;
    std::string Out;
    std::string Err;
};

inline CliResult RunCli(const std::vector<std::string>& words, const std::string& input = {}) {
    const std::vector<std::string_view> views(words.begin(), words.end());
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int exit = RunCorvaneCli(views, in, out, err);
    return {exit, out.str(), err.str()};
}

// The first line of the output that begins with prefix, or nothing.
inline std::string Line(const CliResult& result, const std::string& prefix) {
    std::istringstream lines(result.Out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0) {
            return line;
        }
    }
    return {};
}
