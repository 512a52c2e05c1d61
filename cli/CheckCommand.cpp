#include "cli/CheckCommand.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <optional>
#include <sstream>
#include <thread>

#include "cli/Arguments.h"
#include "cli/CheckReport.h"
#include "cli/Exercise.h"
#include "cli/SourceFile.h"

namespace {

// A folder stands for every *.asm in it, sorted by name.
std::vector<std::string> SubmissionFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::string> inFolder;
        for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
            if (entry.path().extension() == ".asm" && entry.is_regular_file(error)) {
                inFolder.push_back(entry.path().string());
            }
        }
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

SubmissionOutcome Mark(const std::string& file, const Exercise& exercise) {
    SubmissionOutcome outcome{file, {}};
    std::istringstream noInput;
    const SourceRead read = ReadSourceBytes(file, noInput);
    if (!read.Error.empty()) {
        outcome.Cases.assign(exercise.Cases.size(), {false, read.Error});
        return outcome;
    }
    const SourceText source = SourceText::FromBytes(read.Bytes);
    for (const ExerciseCase& exerciseCase : exercise.Cases) {
        try {
            outcome.Cases.push_back(RunCase(source, file, exerciseCase));
        } catch (const std::exception& error) {
            outcome.Cases.push_back({false, std::string("could not be run: ") + error.what()});
        }
    }
    return outcome;
}

// Each thread takes the next submission not yet taken; results keep the submissions' order.
std::vector<SubmissionOutcome> MarkAll(const std::vector<std::string>& files,
                                       const Exercise& exercise, int jobs) {
    std::vector<SubmissionOutcome> outcomes(files.size());
    std::atomic<size_t> next = 0;
    const auto work = [&] {
        for (size_t i = next++; i < files.size(); i = next++) {
            outcomes[i] = Mark(files[i], exercise);
        }
    };
    const size_t threads = std::min(files.size(), static_cast<size_t>(std::max(jobs, 1)));
    std::vector<std::jthread> workers;
    for (size_t i = 1; i < threads; ++i) {
        workers.emplace_back(work);
    }
    work();
    return outcomes;
}

// Why the model solution fails the exercise: the first case it fails, and the reason.
std::optional<std::string> ModelFailure(const std::string& model, const Exercise& exercise) {
    const SubmissionOutcome outcome = Mark(model, exercise);
    for (size_t i = 0; i < outcome.Cases.size(); ++i) {
        if (!outcome.Cases[i].Passed) {
            return "the model solution " + model + " fails case '" + exercise.Cases[i].Name +
                   "': " + outcome.Cases[i].Reason;
        }
    }
    return std::nullopt;
}

// The story of one submission's run through one case, and its verdict.
int Explain(const std::string& file, const ExerciseCase& exerciseCase, std::ostream& out) {
    out << "CASE " << exerciseCase.Name << " of " << file << '\n';
    std::istringstream noInput;
    const SourceRead read = ReadSourceBytes(file, noInput);
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
    const CaseOutcome outcome = RunCase(SourceText::FromBytes(read.Bytes), file, exerciseCase,
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
        if (const auto refusal = ModelFailure(args.Model, exercise)) {
            err << "corvane-cli: " << *refusal << '\n';
            return UsageErrorExit;
        }
    }
    const std::vector<std::string> files = SubmissionFiles(args.Submissions);
    if (files.empty()) {
        err << "corvane-cli: no submissions to check (a folder gives its *.asm files)\n";
        return UsageErrorExit;
    }
    if (args.Explain) {
        if (files.size() != 1 || exercise.Cases.size() != 1) {
            err << "corvane-cli: --explain tells of one submission in one case (choose it with "
                   "--case NAME); here there are "
                << files.size() << " and " << exercise.Cases.size() << "\n";
            return UsageErrorExit;
        }
        return Explain(files.front(), exercise.Cases.front(), out);
    }
    const auto outcomes = MarkAll(files, exercise, args.Jobs > 0 ? args.Jobs : DefaultJobs());
    PrintCheckReport(out, args.Format, exercise, outcomes);
    const bool allPassed = std::all_of(outcomes.begin(), outcomes.end(), [](const auto& s) {
        return std::all_of(s.Cases.begin(), s.Cases.end(),
                           [](const CaseOutcome& c) { return c.Passed; });
    });
    return allPassed ? 0 : SomeCaseFailedExit;
}
