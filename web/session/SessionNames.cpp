#include "web/session/SessionNames.h"

#include <array>

namespace {

constexpr std::array<std::string_view, PeripheralCount> PeripheralNames = {
    "Vdu",  "TrafficLights", "SevenSegment", "Heater",  "Maze",         "Stepper",
    "Lift", "Keyboard",      "Keypad",       "RamView", "KeyboardInput"};
constexpr std::array<std::string_view, 5> StatusStyleNames = {"Progress", "Error", "Instruction",
                                                              "Halted", "Blank"};
constexpr std::array<std::string_view, EditorCommandCount> EditorCommandNames = {
    "Lock",  "Unlock",   "ReadOnly",  "Writable", "ClearModified",
    "Focus", "EditMode", "SourceTab", "TokensTab"};
constexpr std::array<std::string_view, 5> WindowCommandKindNames = {
    "Show", "ShowIfHidden", "ShowRegardless", "Hide", "HideAllDevices"};
constexpr std::array<std::string_view, 3> MessageIconNames = {"Error", "Warning", "Information"};
constexpr std::array<std::string_view, 8> RunEndNames = {
    "None", "Halt", "StepLimit", "Escape", "MazeEdge", "Error", "DivideByZero", "Breakpoint"};

template <typename Enum, size_t Count>
std::string_view NameIn(const std::array<std::string_view, Count>& names, Enum value) {
    const auto index = static_cast<size_t>(value);
    return index < Count ? names[index] : std::string_view{};
}

} // namespace

std::string_view PeripheralName(Peripheral window) {
    return NameIn(PeripheralNames, window);
}

std::optional<Peripheral> PeripheralNamed(std::string_view name) {
    for (size_t index = 0; index < PeripheralNames.size(); ++index) {
        if (PeripheralNames[index] == name) {
            return static_cast<Peripheral>(index);
        }
    }
    return std::nullopt;
}

std::string_view StatusStyleName(StatusStyle style) {
    return NameIn(StatusStyleNames, style);
}

std::string_view EditorCommandName(EditorCommand command) {
    return NameIn(EditorCommandNames, command);
}

std::string_view WindowCommandKindName(WindowCommandKind kind) {
    return NameIn(WindowCommandKindNames, kind);
}

std::string_view MessageIconName(MessageIcon icon) {
    return NameIn(MessageIconNames, icon);
}

std::string_view RunEndEnumeratorName(RunEnd end) {
    return NameIn(RunEndNames, end);
}
