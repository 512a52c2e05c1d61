#pragma once

#include <chrono>
#include <string>

#include "assembler/SourceText.h"

struct ExerciseCase;

// A case passed, or the first reason it failed, in one line. `Unmarked` when the program
// could not be read, assembled or run to its end, rather than ran and did the wrong thing.
struct CaseOutcome {
    bool Passed = true;
    std::string Reason;
    bool Unmarked = false;
    double Seconds = 0; // wall-clock time spent on it
};

CaseOutcome Failed(std::string reason);
CaseOutcome Unmarked(std::string reason);

// The wall-clock time a submission may take to mark, all its cases together.
struct MarkingDeadline {
    std::chrono::steady_clock::time_point At = std::chrono::steady_clock::time_point::max();
    int64_t Seconds = 0;
};

// Assembles the source and runs it through one case in an engine of its own (machine,
// devices and interface), so nothing one run does reaches another. `file` names the source
// in error positions.
CaseOutcome RunCase(const SourceText& source, const std::string& file,
                    const ExerciseCase& exerciseCase, const MarkingDeadline& deadline = {});
