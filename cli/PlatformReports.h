#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/CheckReport.h"

// What students are shown, so a hidden case's reason is never in it. Hints go with the
// cases that failed.

// Gradescope's results.json for one submission: the score, the most it could be, and one
// test per case, hidden cases visible to students once the grades are published.
void PrintGradescope(std::ostream& out, const Exercise& exercise,
                     const SubmissionOutcome& submission);

// What a CodeRunner combinator template grader prints: the fraction of the points earned and
// a results table whose first row names its columns, hidden cases in rows hidden from
// students.
void PrintCoderunner(std::ostream& out, const Exercise& exercise,
                     const SubmissionOutcome& submission);

// A submission's feedback to hand back: its score, its first failure, and every case with
// its points, reason and hint.
std::string FeedbackText(const Exercise& exercise, const SubmissionOutcome& submission);

// One feedback file per submission in `folder`, named after the student; the error, or "".
std::string WriteFeedbackFiles(const std::string& folder, const Exercise& exercise,
                               const std::vector<SubmissionOutcome>& submissions);
