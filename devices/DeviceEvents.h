#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

class Peripherals;

// What an event does to the devices when its time comes, as a click in the device's window
// would.
using DeviceInput = std::function<void(Peripherals&)>;
// The input an event's WHAT names, or why it names none.
using ParsedInput = std::variant<DeviceInput, std::string>;

// The WHAT of each device's events: keypad:KEY, keyboard:KEY,
// lift:call-top|call-bottom|repair and thermometer:DEGREES.
ParsedInput KeypadEvent(std::string_view key);
ParsedInput KeyboardEvent(std::string_view name);
ParsedInput LiftEvent(std::string_view button);
ParsedInput ThermometerEvent(std::string_view degrees);

// The decimal number that is the whole text, or none.
std::optional<int64_t> WholeNumber(std::string_view text);
