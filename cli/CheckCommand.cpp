#include "cli/CheckCommand.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <sstream>
#include <thread>

#include "cli/Arguments.h"
#include "cli/CheckReport.h"
#include "cli/PlatformReports.h"
#include "cli/Submissions.h"
#include "marking/Exercise.h"
#include "marking/Marks.h"
#include "marking/SourceFile.h"

namespace {

// What marking one submission needs besides the submission.
struct Marking {
    const Exercise& Marked;
    int64_t TimeoutSeconds = 10;
    bool KeepTokens = false;
};

SubmissionOutcome Mark(const Submission& submission, const Marking& marking) {
    SubmissionOutcome outcome{submission.File, submission.Name, {}, {}};
    const std::vector<ExerciseCase>& cases = marking.Marked.Cases;
    if (!submission.Problem.empty()) {
        outcome.Cases.assign(cases.size(), Unmarked(submission.Problem));
        return outcome;
    }
    const SourceRead read = ReadAssembledPart(submission.File);
    if (!read.Error.empty()) {
        outcome.Cases.assign(cases.size(), Unmarked(read.Error));
        return outcome;
    }
    if (marking.KeepTokens) {
        outcome.Tokens = ComparableTokens(read.Bytes);
    }
    const MarkingDeadline deadline{std::chrono::steady_clock::now() +
                                       std::chrono::seconds(marking.TimeoutSeconds),
                                   marking.TimeoutSeconds};
    outcome.Cases =
        MarkSource(SourceText::FromBytes(read.Bytes), submission.File, marking.Marked, deadline);
    return outcome;
}

// Each thread takes the next submission not yet taken; results keep the submissions' order.
std::vector<SubmissionOutcome> MarkAll(const std::vector<Submission>& submissions,
                                       const Marking& marking, int jobs) {
    std::vector<SubmissionOutcome> outcomes(submissions.size());
    std::atomic<size_t> next = 0;
    const auto work = [&] {
        for (size_t i = next++; i < submissions.size(); i = next++) {
            outcomes[i] = Mark(submissions[i], marking);
        }
    };
    const size_t threads = std::min(submissions.size(), static_cast<size_t>(std::max(jobs, 1)));
    std::vector<std::jthread> workers;
    for (size_t i = 1; i < threads; ++i) {
        workers.emplace_back(work);
    }
    work();
    return outcomes;
}

// Why the model solution fails the exercise: the first case it fails, and the reason.
std::optional<std::string> ModelFailure(const std::string& model, const Marking& marking) {
    const SubmissionOutcome outcome = Mark({model, model, {}}, marking);
    for (size_t i = 0; i < outcome.Cases.size(); ++i) {
        if (!outcome.Cases[i].Passed) {
            return "the model solution " + model + " fails case '" + marking.Marked.Cases[i].Name +
                   "': " + outcome.Cases[i].Reason;
        }
    }
    return std::nullopt;
}

// The story of one submission's run through one case, and its verdict.
int Explain(const std::string& file, const ExerciseCase& exerciseCase, std::ostream& out) {
    out << "CASE " << exerciseCase.Name << " of " << file << '\n';
    const SourceRead read = ReadAssembledPart(file);
    if (!read.Error.empty()) {
        out << "FAILED " << read.Error << '\n';
        return SomeCaseFailedExit;
    }
    if (read.SkippedByteOrderMark) {
        out << "NOTE the file begins with a UTF-8 byte-order mark, which was skipped\n";
    }
    const ClockSettings& clock = exerciseCase.Clock;
    out << "SETTINGS clock " << clock.CpuClockMs << " ms, hw_timer " << clock.HwTimerMs
        << " ms, max_steps " << clock.MaxSteps << ", " << exerciseCase.Keys.size()
        << " keys typed\n";
    const CaseOutcome outcome = RunCase(SourceText::FromBytes(read.Bytes), file, exerciseCase, {},
                                        [&out](std::string_view line) { out << line << '\n'; });
    if (outcome.Passed) {
        out << "PASSED\n";
        return 0;
    }
    out << "FAILED at " << outcome.AtMs << " ms: " << outcome.Reason << '\n';
    return SomeCaseFailedExit;
}

int DefaultJobs() {
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

bool TakesOneSubmission(ReportFormat format) {
    return format == ReportFormat::Gradescope || format == ReportFormat::Coderunner;
}

std::vector<SimilarGroup> Similar(const std::vector<SubmissionOutcome>& outcomes) {
    std::vector<std::vector<std::string>> streams;
    for (const SubmissionOutcome& outcome : outcomes) {
        streams.push_back(outcome.Tokens);
    }
    return SimilarGroups(streams);
}

} // namespace

int CheckCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
    auto parsed = ReadExercise(args.File);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        err << *problem << '\n';
        return UsageErrorExit;
    }
    Exercise& exercise = std::get<Exercise>(parsed);
    if (!args.CaseName.empty()) {
        const auto named = CaseNamed(exercise, args.CaseName);
        if (const auto* problem = std::get_if<std::string>(&named)) {
            err << "corvane-cli: " << *problem << '\n';
            return UsageErrorExit;
        }
        exercise.Cases = {*std::get<const ExerciseCase*>(named)};
    }
    if (!args.Model.empty()) {
        if (const auto refusal = ModelFailure(args.Model, {exercise, args.TimeoutSeconds})) {
            err << "corvane-cli: " << *refusal << '\n';
            return UsageErrorExit;
        }
    }
    const std::vector<Submission> submissions =
        FindSubmissions(args.Submissions, {args.PerFolder, args.Main}, err);
    if (submissions.empty()) {
        err << "corvane-cli: no submissions to check (a folder gives the *.asm files beneath it)\n";
        return UsageErrorExit;
    }
    if (args.Explain) {
        if (submissions.size() != 1 || exercise.Cases.size() != 1) {
            err << "corvane-cli: --explain tells of one submission in one case (choose it with "
                   "--case NAME); here there are "
                << submissions.size() << " and " << exercise.Cases.size() << "\n";
            return UsageErrorExit;
        }
        return Explain(submissions.front().File, exercise.Cases.front(), out);
    }
    if (TakesOneSubmission(args.Format) && submissions.size() > 1) {
        err << "corvane-cli: --format gradescope and coderunner mark one submission, not "
            << submissions.size() << '\n';
        return UsageErrorExit;
    }
    if (args.Similar && args.Format != ReportFormat::Text && args.Format != ReportFormat::Json) {
        err << "corvane-cli: --similar adds to the text and json reports only\n";
        return UsageErrorExit;
    }
    const auto outcomes = MarkAll(submissions, {exercise, args.TimeoutSeconds, args.Similar},
                                  args.Jobs > 0 ? args.Jobs : DefaultJobs());
    ReportOptions options{args.Format, args.Student, std::nullopt};
    if (args.Similar) {
        options.Similar = Similar(outcomes);
    }
    PrintCheckReport(out, options, exercise, outcomes);
    if (!args.FeedbackDir.empty()) {
        const std::string problem = WriteFeedbackFiles(args.FeedbackDir, exercise, outcomes);
        if (!problem.empty()) {
            err << "corvane-cli: " << problem << '\n';
            return UsageErrorExit;
        }
    }
    const bool allPassed = std::all_of(outcomes.begin(), outcomes.end(), [](const auto& s) {
        return std::all_of(s.Cases.begin(), s.Cases.end(),
                           [](const CaseOutcome& c) { return c.Passed; });
    });
    return allPassed ? 0 : SomeCaseFailedExit;
}
