#include "cli/CheckReport.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "cli/PlatformReports.h"
#include "cli/ReportText.h"
#include "marking/Exercise.h"
#include "marking/Marks.h"

namespace {

// No line of the text report is wider, but for a long file name or many cases.
constexpr size_t TextReportWidth = 100;

int PassedCount(const SubmissionOutcome& submission) {
    return static_cast<int>(std::count_if(submission.Cases.begin(), submission.Cases.end(),
                                          [](const CaseOutcome& c) { return c.Passed; }));
}

size_t UnmarkedCount(const SubmissionOutcome& submission) {
    return static_cast<size_t>(std::count_if(submission.Cases.begin(), submission.Cases.end(),
                                             [](const CaseOutcome& c) { return c.Unmarked; }));
}

double Seconds(const SubmissionOutcome& submission) {
    return std::accumulate(submission.Cases.begin(), submission.Cases.end(), 0.0,
                           [](double sum, const CaseOutcome& c) { return sum + c.Seconds; });
}

std::string Fraction(int64_t part, int64_t whole) {
    return std::to_string(part) + "/" + std::to_string(whole);
}

std::string Percent(double share) {
    return std::to_string(static_cast<int>(share * 100 + 0.5)) + "%";
}

std::string Cell(const ExerciseCase& exerciseCase, const CaseOutcome& outcome, bool student) {
    return outcome.Passed ? "pass" : Utf8(ShownReason(exerciseCase, outcome, student));
}

// A table row's cells padded by characters, two spaces between columns.
std::string TableLine(const std::vector<std::string>& cells, const std::vector<size_t>& widths) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        line += cells[i];
        if (i + 1 < cells.size()) {
            line += std::string(widths[i] - CharacterCount(cells[i]) + 2, ' ');
        }
    }
    return line;
}

// Under a submission's row, each failed case's reason, wrapped.
std::vector<std::string> ReasonLines(const Exercise& exercise, const SubmissionOutcome& submission,
                                     bool student) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < submission.Cases.size(); ++i) {
        if (submission.Cases[i].Passed) {
            continue;
        }
        const std::string text =
            ControlsEscaped(Utf8(exercise.Cases[i].Name) + ": " +
                            Cell(exercise.Cases[i], submission.Cases[i], student));
        const std::vector<std::string> wrapped = Wrapped(text, TextReportWidth - 6);
        for (size_t line = 0; line < wrapped.size(); ++line) {
            lines.push_back((line == 0 ? "    " : "      ") + wrapped[line]);
        }
    }
    return lines;
}

void PrintSimilarText(std::ostream& out, const std::vector<SimilarGroup>& groups,
                      const std::vector<SubmissionOutcome>& submissions) {
    out << "\nSimilar submissions (alike once comments, label names, case and spacing are set "
           "aside;\nfor a look, not a verdict):"
        << (groups.empty() ? " none\n" : "\n");
    for (const SimilarGroup& group : groups) {
        std::string line = Percent(group.Similarity);
        line.insert(0, 6 - line.size(), ' ');
        for (size_t i = 0; i < group.Members.size(); ++i) {
            line += (i ? ", " : "  ") + ControlsEscaped(submissions[group.Members[i]].File);
        }
        out << line << '\n';
    }
}

void PrintText(std::ostream& out, const ReportOptions& options, const Exercise& exercise,
               const std::vector<SubmissionOutcome>& submissions) {
    std::vector<std::vector<std::string>> rows{{"SUBMISSION"}};
    for (const ExerciseCase& c : exercise.Cases) {
        rows[0].push_back(ControlsEscaped(Utf8(c.Name)));
    }
    rows[0].insert(rows[0].end(), {"TOTAL", "SCORE"});
    for (const SubmissionOutcome& submission : submissions) {
        rows.push_back({ControlsEscaped(submission.File)});
        for (const CaseOutcome& outcome : submission.Cases) {
            rows.back().push_back(outcome.Passed ? "pass" : "FAIL");
        }
        rows.back().push_back(Fraction(PassedCount(submission), submission.Cases.size()));
        rows.back().push_back(Fraction(Score(exercise, submission.Cases), MaxScore(exercise)));
    }
    std::vector<size_t> widths(rows[0].size(), 0);
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], CharacterCount(row[i]));
        }
    }
    if (!exercise.Title.empty()) {
        out << ControlsEscaped(Utf8(exercise.Title)) << '\n';
    }
    out << TableLine(rows[0], widths) << '\n';
    for (size_t s = 0; s < submissions.size(); ++s) {
        out << TableLine(rows[s + 1], widths) << '\n';
        for (const std::string& line : ReasonLines(exercise, submissions[s], options.Student)) {
            out << line << '\n';
        }
    }
    const auto perfect =
        std::count_if(submissions.begin(), submissions.end(), [](const SubmissionOutcome& s) {
            return PassedCount(s) == static_cast<int>(s.Cases.size());
        });
    out << perfect << " of " << submissions.size() << " submissions passed every case\n";
    if (options.Similar) {
        PrintSimilarText(out, *options.Similar, submissions);
    }
}

void PrintSimilarJson(std::ostream& out, const std::vector<SimilarGroup>& groups,
                      const std::vector<SubmissionOutcome>& submissions) {
    out << ",\n \"similar\": [";
    for (size_t g = 0; g < groups.size(); ++g) {
        char similarity[16];
        std::snprintf(similarity, sizeof similarity, "%.2f", groups[g].Similarity);
        out << (g ? ",\n  " : "\n  ") << "{\"similarity\": " << similarity << ", \"files\": [";
        for (size_t i = 0; i < groups[g].Members.size(); ++i) {
            out << (i ? ", " : "") << JsonString(submissions[groups[g].Members[i]].File);
        }
        out << "]}";
    }
    out << "\n]";
}

void PrintJson(std::ostream& out, const ReportOptions& options, const Exercise& exercise,
               const std::vector<SubmissionOutcome>& submissions) {
    out << "{\"title\": " << JsonString(exercise.Title) << ", \"cases\": [";
    for (size_t i = 0; i < exercise.Cases.size(); ++i) {
        out << (i ? ", " : "") << JsonString(exercise.Cases[i].Name);
    }
    out << "], \"max_score\": " << MaxScore(exercise) << ",\n \"submissions\": [";
    for (size_t s = 0; s < submissions.size(); ++s) {
        const SubmissionOutcome& submission = submissions[s];
        out << (s ? ",\n  " : "\n  ") << "{\"file\": " << JsonString(submission.File)
            << ", \"passed\": " << PassedCount(submission)
            << ", \"score\": " << Score(exercise, submission.Cases)
            << ", \"max_score\": " << MaxScore(exercise) << ", \"results\": [";
        for (size_t i = 0; i < submission.Cases.size(); ++i) {
            const CaseOutcome& outcome = submission.Cases[i];
            const ExerciseCase& exerciseCase = exercise.Cases[i];
            out << (i ? ", " : "") << "{\"case\": " << JsonString(exerciseCase.Name)
                << ", \"passed\": " << (outcome.Passed ? "true" : "false") << ", \"reason\": "
                << JsonString(outcome.Passed ? ""
                                             : ShownReason(exerciseCase, outcome, options.Student))
                << ", \"score\": " << (outcome.Passed ? exerciseCase.Points : 0)
                << ", \"max_score\": " << exerciseCase.Points << '}';
        }
        out << "]}";
    }
    out << "\n]";
    if (options.Similar) {
        PrintSimilarJson(out, *options.Similar, submissions);
    }
    out << "}\n";
}

std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

void PrintJunitCase(std::ostream& out, const ExerciseCase& exerciseCase, const CaseOutcome& outcome,
                    const std::string& file, bool student) {
    out << "    <testcase name=\"" << XmlText(exerciseCase.Name) << "\" classname=\"" << file
        << "\" time=\"" << SecondsText(outcome.Seconds) << "\"";
    if (outcome.Passed) {
        out << "/>\n";
        return;
    }
    const std::string reason = XmlText(ShownReason(exerciseCase, outcome, student));
    const char* element = outcome.Unmarked ? "error" : "failure";
    out << "><" << element << " message=\"" << reason << "\" type=\"" << element << "\">" << reason
        << "</" << element << "></testcase>\n";
}

void PrintJunit(std::ostream& out, const ReportOptions& options, const Exercise& exercise,
                const std::vector<SubmissionOutcome>& submissions) {
    size_t tests = 0;
    size_t failures = 0;
    size_t errors = 0;
    double seconds = 0;
    for (const SubmissionOutcome& submission : submissions) {
        tests += submission.Cases.size();
        errors += UnmarkedCount(submission);
        failures += submission.Cases.size() - static_cast<size_t>(PassedCount(submission)) -
                    UnmarkedCount(submission);
        seconds += Seconds(submission);
    }
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites name=\"" << XmlText(exercise.Title) << "\" tests=\"" << tests
        << "\" failures=\"" << failures << "\" errors=\"" << errors << "\" time=\""
        << SecondsText(seconds) << "\">\n";
    for (const SubmissionOutcome& submission : submissions) {
        const std::string file = XmlText(submission.File);
        out << "  <testsuite name=\"" << file << "\" tests=\"" << submission.Cases.size()
            << "\" failures=\""
            << submission.Cases.size() - static_cast<size_t>(PassedCount(submission)) -
                   UnmarkedCount(submission)
            << "\" errors=\"" << UnmarkedCount(submission) << "\" time=\""
            << SecondsText(Seconds(submission)) << "\">\n"
            << "    <properties><property name=\"score\" value=\""
            << Score(exercise, submission.Cases) << "\"/><property name=\"max_score\" value=\""
            << MaxScore(exercise) << "\"/></properties>\n";
        for (size_t i = 0; i < submission.Cases.size(); ++i) {
            PrintJunitCase(out, exercise.Cases[i], submission.Cases[i], file, options.Student);
        }
        out << "  </testsuite>\n";
    }
    out << "</testsuites>\n";
}

void PrintCsv(std::ostream& out, const ReportOptions& options, const Exercise& exercise,
              const std::vector<SubmissionOutcome>& submissions) {
    out << "submission";
    for (const ExerciseCase& c : exercise.Cases) {
        out << ',' << CsvField(Utf8(c.Name));
    }
    out << ",passed,score,max_score\r\n";
    for (const SubmissionOutcome& submission : submissions) {
        out << CsvField(submission.File);
        for (size_t i = 0; i < submission.Cases.size(); ++i) {
            out << ',' << CsvField(Cell(exercise.Cases[i], submission.Cases[i], options.Student));
        }
        out << ',' << PassedCount(submission) << ',' << Score(exercise, submission.Cases) << ','
            << MaxScore(exercise) << "\r\n";
    }
}

} // namespace

void PrintCheckReport(std::ostream& out, const ReportOptions& options, const Exercise& exercise,
                      const std::vector<SubmissionOutcome>& submissions) {
    switch (options.Format) {
    case ReportFormat::Text:
        PrintText(out, options, exercise, submissions);
        break;
    case ReportFormat::Json:
        PrintJson(out, options, exercise, submissions);
        break;
    case ReportFormat::Junit:
        PrintJunit(out, options, exercise, submissions);
        break;
    case ReportFormat::Csv:
        PrintCsv(out, options, exercise, submissions);
        break;
    case ReportFormat::Gradescope:
        PrintGradescope(out, exercise, submissions.front());
        break;
    case ReportFormat::Coderunner:
        PrintCoderunner(out, exercise, submissions.front());
        break;
    }
}
