#pragma once

#include <ostream>

struct Arguments;

// corvane-cli record EXERCISE SOLUTION: runs the model solution through every case that
// marks what to record and writes the exercise back, to the output or -o FILE, with those
// expectations filled in from its run. The text is edited, not written anew, so the
// teacher's comments and order stay. Exit 0, or 2 when the exercise cannot be read or the
// model cannot be run.
int RecordCommand(const Arguments& args, std::ostream& out, std::ostream& err);
