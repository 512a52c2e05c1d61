#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assembler/SourceText.h"
#include "marking/CheckRun.h"

struct Exercise;
struct ExerciseCase;

// Runs the source through every case of the exercise, in the exercise's order. A case that
// cannot be run at all is unmarked, with why.
std::vector<CaseOutcome> MarkSource(const SourceText& source, const std::string& file,
                                    const Exercise& exercise, const MarkingDeadline& deadline = {});

// The points of the cases passed, and of all cases.
int64_t Score(const Exercise& exercise, const std::vector<CaseOutcome>& cases);
int64_t MaxScore(const Exercise& exercise);

// A failed case's reason as shown: hidden cases say only "hidden case failed" to students.
std::string ShownReason(const ExerciseCase& exerciseCase, const CaseOutcome& outcome, bool student);
