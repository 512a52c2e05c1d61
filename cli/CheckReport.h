#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Similarity.h"
#include "marking/CheckRun.h"

struct Exercise;
struct ExerciseCase;

enum class ReportFormat { Text, Json, Junit, Csv, Gradescope, Coderunner };

// One submission's outcome, case by case in the exercise's order.
struct SubmissionOutcome {
    std::string File;
    std::string Name; // the student's, for the feedback file
    std::vector<CaseOutcome> Cases;
    std::vector<std::string> Tokens; // with --similar: as ComparableTokens gives them
};

struct ReportOptions {
    ReportFormat Format = ReportFormat::Text;
    bool Student = false; // withholds hidden cases' reasons from the teacher's formats too
    std::optional<std::vector<SimilarGroup>> Similar;
};

// The marks: a table (text), an object (json), a JUnit XML report with one test suite per
// submission (junit), a spreadsheet (csv), or for one submission what Gradescope or
// CodeRunner's combinator grader reads. File names are written as the file system holds
// them where the format allows (text, csv), other texts as UTF-8.
void PrintCheckReport(std::ostream& out, const ReportOptions& options, const Exercise& exercise,
                      const std::vector<SubmissionOutcome>& submissions);
