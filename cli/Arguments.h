#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/CheckReport.h"
#include "core/VirtualClock.h"
#include "marking/Events.h"

enum class Command { Assemble, Tokens, Run, Check, Record };

struct Arguments {
    Command Action = Command::Assemble;
    std::string File; // "-" is standard input; the exercise for check
    int64_t ClockMs = DefaultCpuClockMs;
    int64_t HwTimerMs = DefaultHwTimerMs;
    int64_t MaxSteps = DefaultMaxSteps;
    std::string Keys; // decoded
    bool RunLog = false;
    bool Interrupts = false; // with RunLog: the interrupts taken too
    bool Ram = false;
    bool Vdu = false;
    bool Devices = false;
    std::vector<DeviceEvent> Events;
    bool TracePorts = false;
    std::string From; // EXERCISE:CASE, whose keys, presets, events and limits run uses
    // Which settings the command line gave, to take the place of the case's.
    struct {
        bool Clock = false, HwTimer = false, MaxSteps = false, Keys = false;
    } Given;
    std::vector<int64_t> BreakLines; // from 1, as given
    // check
    std::vector<std::string> Submissions;
    ReportFormat Format = ReportFormat::Text;
    int Jobs = 0; // 0: one per core
    bool PerFolder = false;
    std::string Main;
    bool Student = false;
    std::string FeedbackDir;
    bool Similar = false;
    int64_t TimeoutSeconds = 10; // wall-clock time to mark one submission
    std::string CaseName;        // only this case
    std::string Model;           // the model solution, which must pass every case
    bool Explain = false;
    // record: the exercise is File, the model solution Model, written to Output ("" for stdout)
    std::string Output;
};

// A command line that asks for no command: help or the version (exit 0, text for stdout),
// or a usage error (exit 2, one line for stderr).
struct ArgumentReply {
    std::string Text;
    int Exit = 0;
};

inline constexpr int UsageErrorExit = 2;

// A usage error's reply: the message on one line with a pointer to --help.
ArgumentReply UsageError(const std::string& message);

// Options may stand anywhere after the command, as --name value or --name=value; -- ends
// them.
std::variant<Arguments, ArgumentReply> ParseArguments(const std::vector<std::string_view>& args);
