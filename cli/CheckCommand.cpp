#include "cli/CheckCommand.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
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

int DefaultJobs() {
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

} // namespace

int CheckCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
    std::istringstream noInput;
    const SourceRead read = ReadSourceBytes(args.File, noInput);
    if (!read.Error.empty()) {
        err << read.Error << '\n';
        return UsageErrorExit;
    }
    const auto parsed = ParseExercise(read.Bytes, args.File);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        err << *problem << '\n';
        return UsageErrorExit;
    }
    const Exercise& exercise = std::get<Exercise>(parsed);
    const std::vector<std::string> files = SubmissionFiles(args.Submissions);
    if (files.empty()) {
        err << "corvane-cli: no submissions to check (a folder gives its *.asm files)\n";
        return UsageErrorExit;
    }
    const auto outcomes = MarkAll(files, exercise, args.Jobs > 0 ? args.Jobs : DefaultJobs());
    PrintCheckReport(out, args.Format, exercise, outcomes);
    const bool allPassed = std::all_of(outcomes.begin(), outcomes.end(), [](const auto& s) {
        return std::all_of(s.Cases.begin(), s.Cases.end(),
                           [](const CaseOutcome& c) { return c.Passed; });
    });
    return allPassed ? 0 : SomeCaseFailedExit;
}
