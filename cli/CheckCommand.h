#pragma once

#include <ostream>

struct Arguments;

inline constexpr int SomeCaseFailedExit = 4;

// corvane-cli check: reads the exercise, marks every submission against every case on
// parallel threads, each in engines of its own, and prints the report. Exit 0 when all
// passed, 4 when a case failed, 2 for an exercise that cannot be read or is wrong, or no
// submission at all.
int CheckCommand(const Arguments& args, std::ostream& out, std::ostream& err);
