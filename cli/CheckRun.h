#pragma once

#include <string>

#include "assembler/SourceText.h"

struct ExerciseCase;

// A case passed, or the first reason it failed, in one line.
struct CaseOutcome {
    bool Passed = true;
    std::string Reason;
};

// Assembles the source and runs it through one case in an engine of its own (machine,
// devices and interface), so nothing one run does reaches another. `file` names the source
// in error positions.
CaseOutcome RunCase(const SourceText& source, const std::string& file,
                    const ExerciseCase& exerciseCase);
