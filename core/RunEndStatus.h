#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/RunEnd.h"
#include "core/StepReport.h"

// What the status line says when a run ends, where the engine's own line does not say why.
struct EndStatus {
    std::string Text;
    StatusStyle Style = StatusStyle::Halted;
};

// A halt says what the engine says at a halt with source ("END  Program has halted."), also
// where the byte executed has none; an error that a single step met keeps its message alone,
// one that ended a run adds that the program has to be assembled again.
// lastError: the message the engine put in the status line for the error.
std::optional<EndStatus> RunEndStatus(RunEnd end, bool wasRunning, std::string_view lastError);

// Stop, or Escape in the main window, while a program ran.
inline constexpr std::string_view StoppedByUserText = "STOP  Program stopped by the user.";
