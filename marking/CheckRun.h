#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "assembler/SourceText.h"
#include "core/MachineState.h"
#include "core/PortMap.h"
#include "core/RunEnd.h"

struct ExerciseCase;
class Taaa;

// A case passed, or the first reason it failed, in one line. `Unmarked` when the program
// could not be read, assembled or run to its end, rather than ran and did the wrong thing.
struct CaseOutcome {
    bool Passed = true;
    std::string Reason;
    bool Unmarked = false;
    double Seconds = 0; // wall-clock time spent on it
    int64_t AtMs = 0;   // when the failed expectation looked: a device's time, or the run's end
};

CaseOutcome Failed(std::string reason);
CaseOutcome Unmarked(std::string reason);

// The wall-clock time a submission may take to mark, all its cases together.
struct MarkingDeadline {
    std::chrono::steady_clock::time_point At = std::chrono::steady_clock::time_point::max();
    int64_t Seconds = 0;
};

// The lines of a run's story as it happens: "EVENT", "PORT", "LOG" and "LOOK" lines in the
// order of simulated time, then "END".
using StoryTeller = std::function<void(std::string_view line)>;

// Assembles the source and runs it through one case in an engine of its own (machine,
// devices and interface), so nothing one run does reaches another. `file` names the source
// in error positions. A teller hears the story of the run.
CaseOutcome RunCase(const SourceText& source, const std::string& file,
                    const ExerciseCase& exerciseCase, const MarkingDeadline& deadline = {},
                    const StoryTeller& tell = {});

// What a model solution's run through a case left, for `record` to write down.
struct ModelRun {
    std::string Error; // why it did not run: it does not assemble, or has nothing to
    RunEnd Ended = RunEnd::None;
    std::array<uint8_t, RegisterCount> Registers{};
    std::array<uint8_t, 256> Ram{};
    std::vector<std::string> VduRows;
    std::vector<std::string> DeviceLines; // as --devices prints them
    std::array<std::vector<uint8_t>, PortCount> Written;
    std::array<std::vector<uint8_t>, PortCount> WrittenCollapsed; // repeats once
};

ModelRun RunModel(const SourceText& source, const std::string& file,
                  const ExerciseCase& exerciseCase);

// Writes the case's RAM bytes and registers into the machine, after assembly and before the run.
void PresetCase(Taaa& machine, const ExerciseCase& exerciseCase);
