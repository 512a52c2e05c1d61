#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/CheckReport.h"
#include "cli/Events.h"
#include "core/VirtualClock.h"

enum class Command { Assemble, Tokens, Run, Check };

struct Arguments {
    Command Action = Command::Assemble;
    std::string File; // "-" is standard input; the exercise for check
    int64_t ClockMs = DefaultCpuClockMs;
    int64_t HwTimerMs = DefaultHwTimerMs;
    int64_t MaxSteps = DefaultMaxSteps;
    std::string Keys; // decoded
    bool RunLog = false;
    bool Ram = false;
    bool Vdu = false;
    bool Devices = false;
    std::vector<DeviceEvent> Events;
    bool TracePorts = false;
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
};

// A command line that asks for no command: help or the version (exit 0, text for stdout),
// or a usage error (exit 2, one line for stderr).
struct ArgumentReply {
    std::string Text;
    int Exit = 0;
};

inline constexpr int UsageErrorExit = 2;

// Options may stand anywhere after the command, as --name value or --name=value; -- ends
// them.
std::variant<Arguments, ArgumentReply> ParseArguments(const std::vector<std::string_view>& args);

// Decodes --keys: one byte per character; \r \n \t \e \\ and \xHH stand for one byte.
std::optional<std::string> DecodeKeys(std::string_view text);
