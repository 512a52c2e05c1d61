#include "cli/PlatformReports.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "cli/ReportText.h"
#include "marking/Exercise.h"
#include "marking/Marks.h"

namespace {

constexpr size_t FeedbackWidth = 100;

std::string Points(int64_t points) {
    return std::to_string(points) + (points == 1 ? " point" : " points");
}

// The case's reason as a student may see it, with the teacher's hint after it.
std::string StudentText(const ExerciseCase& exerciseCase, const CaseOutcome& outcome) {
    if (outcome.Passed) {
        return "";
    }
    const std::string reason = ShownReason(exerciseCase, outcome, true);
    return exerciseCase.Hint.empty() ? reason : reason + "\nHint: " + exerciseCase.Hint;
}

std::string ScoreLine(const Exercise& exercise, const SubmissionOutcome& submission) {
    return std::to_string(Score(exercise, submission.Cases)) + " of " + Points(MaxScore(exercise));
}

// The line wrapped, its first part after `indent`, the rest two spaces further in.
void AddWrapped(std::string& text, const std::string& indent, std::string_view line) {
    const std::vector<std::string> parts =
        Wrapped(ControlsEscaped(Utf8(line)), FeedbackWidth - indent.size() - 2);
    for (size_t i = 0; i < parts.size(); ++i) {
        text += indent + (i ? "  " : "") + parts[i] + '\n';
    }
}

// Feedback files named after students, '/' read as '_', each name once.
std::string FeedbackFileName(const std::string& name, std::set<std::string>& taken) {
    std::string base = name;
    std::replace(base.begin(), base.end(), '/', '_');
    std::string file = base + ".txt";
    for (int n = 2; !taken.insert(file).second; ++n) {
        file = base + "-" + std::to_string(n) + ".txt";
    }
    return file;
}

} // namespace

void PrintGradescope(std::ostream& out, const Exercise& exercise,
                     const SubmissionOutcome& submission) {
    out << "{\"score\": " << Score(exercise, submission.Cases)
        << ", \"max_score\": " << MaxScore(exercise) << ", \"output\": "
        << JsonString(exercise.Title + (exercise.Title.empty() ? "" : ": ") +
                      ScoreLine(exercise, submission))
        << ", \"visibility\": \"visible\", \"stdout_visibility\": \"hidden\",\n \"tests\": [";
    for (size_t i = 0; i < submission.Cases.size(); ++i) {
        const ExerciseCase& exerciseCase = exercise.Cases[i];
        const CaseOutcome& outcome = submission.Cases[i];
        out << (i ? ",\n  " : "\n  ") << "{\"name\": " << JsonString(exerciseCase.Name)
            << ", \"score\": " << (outcome.Passed ? exerciseCase.Points : 0)
            << ", \"max_score\": " << exerciseCase.Points
            << ", \"status\": " << (outcome.Passed ? "\"passed\"" : "\"failed\"")
            << ", \"output\": " << JsonString(StudentText(exerciseCase, outcome))
            << ", \"visibility\": " << (exerciseCase.Hidden ? "\"after_published\"" : "\"visible\"")
            << '}';
    }
    out << "\n]}\n";
}

void PrintCoderunner(std::ostream& out, const Exercise& exercise,
                     const SubmissionOutcome& submission) {
    const int64_t most = MaxScore(exercise);
    const int64_t score = Score(exercise, submission.Cases);
    const bool allPassed = std::all_of(submission.Cases.begin(), submission.Cases.end(),
                                       [](const CaseOutcome& c) { return c.Passed; });
    const double fraction =
        most > 0 ? static_cast<double>(score) / static_cast<double>(most) : (allPassed ? 1.0 : 0.0);
    out << "{\"fraction\": " << fraction << ", \"prologuehtml\": "
        << JsonString("<p>" + XmlText(ScoreLine(exercise, submission)) + "</p>")
        << ",\n \"testresults\": [\n  [\"iscorrect\", \"Case\", \"Points\", \"Result\", "
           "\"ishidden\"]";
    for (size_t i = 0; i < submission.Cases.size(); ++i) {
        const ExerciseCase& exerciseCase = exercise.Cases[i];
        const CaseOutcome& outcome = submission.Cases[i];
        out << ",\n  [" << (outcome.Passed ? 1 : 0) << ", " << JsonString(exerciseCase.Name) << ", "
            << JsonString(std::to_string(outcome.Passed ? exerciseCase.Points : 0) + "/" +
                          std::to_string(exerciseCase.Points))
            << ", " << JsonString(outcome.Passed ? "pass" : StudentText(exerciseCase, outcome))
            << ", " << (exerciseCase.Hidden ? 1 : 0) << ']';
    }
    out << "\n]}\n";
}

std::string FeedbackText(const Exercise& exercise, const SubmissionOutcome& submission) {
    std::string text;
    if (!exercise.Title.empty()) {
        AddWrapped(text, "", exercise.Title);
    }
    AddWrapped(text, "", "Submission: " + submission.File);
    text += "Score: " + ScoreLine(exercise, submission) + '\n';
    const auto first = std::find_if(submission.Cases.begin(), submission.Cases.end(),
                                    [](const CaseOutcome& c) { return !c.Passed; });
    if (first == submission.Cases.end()) {
        text += "Every case passed.\n";
    } else {
        const ExerciseCase& failed =
            exercise.Cases[static_cast<size_t>(first - submission.Cases.begin())];
        AddWrapped(text, "",
                   "First failure: " + failed.Name + ": " + ShownReason(failed, *first, true));
    }
    text += '\n';
    for (size_t i = 0; i < submission.Cases.size(); ++i) {
        const ExerciseCase& exerciseCase = exercise.Cases[i];
        const CaseOutcome& outcome = submission.Cases[i];
        AddWrapped(text, "",
                   std::string(outcome.Passed ? "pass  " : "FAIL  ") + exerciseCase.Name + " (" +
                       std::to_string(outcome.Passed ? exerciseCase.Points : 0) + " of " +
                       Points(exerciseCase.Points) + ")");
        if (!outcome.Passed) {
            AddWrapped(text, "      ", ShownReason(exerciseCase, outcome, true));
            if (!exerciseCase.Hint.empty()) {
                AddWrapped(text, "      ", "Hint: " + exerciseCase.Hint);
            }
        }
    }
    return text;
}

std::string WriteFeedbackFiles(const std::string& folder, const Exercise& exercise,
                               const std::vector<SubmissionOutcome>& submissions) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return "cannot make the folder " + folder + ": " + error.message();
    }
    std::set<std::string> taken;
    for (const SubmissionOutcome& submission : submissions) {
        const std::filesystem::path path =
            std::filesystem::path(folder) / FeedbackFileName(submission.Name, taken);
        std::ofstream file(path, std::ios::binary);
        file << FeedbackText(exercise, submission);
        if (!file.flush()) {
            return "cannot write " + path.native();
        }
    }
    return "";
}
