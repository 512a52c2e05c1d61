#include "marking/Marks.h"

#include <exception>
#include <numeric>

#include "marking/Exercise.h"

std::vector<CaseOutcome> MarkSource(const SourceText& source, const std::string& file,
                                    const Exercise& exercise, const MarkingDeadline& deadline) {
    std::vector<CaseOutcome> outcomes;
    for (const ExerciseCase& exerciseCase : exercise.Cases) {
        try {
            outcomes.push_back(RunCase(source, file, exerciseCase, deadline));
        } catch (const std::exception& error) {
            outcomes.push_back(Unmarked(std::string("could not be run: ") + error.what()));
        }
    }
    return outcomes;
}

int64_t Score(const Exercise& exercise, const std::vector<CaseOutcome>& cases) {
    int64_t score = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        score += cases[i].Passed ? exercise.Cases[i].Points : 0;
    }
    return score;
}

int64_t MaxScore(const Exercise& exercise) {
    return std::accumulate(exercise.Cases.begin(), exercise.Cases.end(), int64_t{0},
                           [](int64_t sum, const ExerciseCase& c) { return sum + c.Points; });
}

std::string ShownReason(const ExerciseCase& exerciseCase, const CaseOutcome& outcome,
                        bool student) {
    return student && exerciseCase.Hidden ? "hidden case failed" : outcome.Reason;
}
