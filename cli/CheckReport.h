#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/CheckRun.h"

struct Exercise;

enum class ReportFormat { Text, Json, Junit, Csv };

// One submission's outcome, case by case in the exercise's order.
struct SubmissionOutcome {
    std::string File;
    std::vector<CaseOutcome> Cases;
};

// The marks: a table (text), an object (json), a JUnit XML report with one test suite per
// submission (junit), or a spreadsheet (csv). Texts read from sources are Latin-1; they are
// written as UTF-8 wherever they are not UTF-8 already.
void PrintCheckReport(std::ostream& out, ReportFormat format, const Exercise& exercise,
                      const std::vector<SubmissionOutcome>& submissions);
