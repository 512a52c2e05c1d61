#pragma once

#include <optional>
#include <string_view>

#include "core/Peripheral.h"
#include "core/RunEnd.h"
#include "core/StepReport.h"
#include "core/UserInterface.h"

// The names the page knows the engine's values by: each enumerator's own name
// ("TrafficLights", "Progress", "ShowIfHidden", "DivideByZero").

std::string_view PeripheralName(Peripheral window);
std::optional<Peripheral> PeripheralNamed(std::string_view name);
std::string_view StatusStyleName(StatusStyle style);
std::string_view EditorCommandName(EditorCommand command);
std::string_view WindowCommandKindName(WindowCommandKind kind);
std::string_view MessageIconName(MessageIcon icon);
std::string_view RunEndEnumeratorName(RunEnd end);
