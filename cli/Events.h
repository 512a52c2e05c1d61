#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/VirtualClock.h"

class Peripherals;

// A device's input at a simulated time, as `--event TIME:WHAT` and an exercise's events give
// it: keypad:KEY, keyboard:KEY, lift:call-top, lift:call-bottom, lift:repair or
// thermometer:DEGREES.
struct DeviceEvent {
    enum class Target { Keypad, Keyboard, LiftCallTop, LiftCallBottom, LiftRepair, Thermometer };
    int64_t AtMs = 0;
    Target Where = Target::Keypad;
    uint8_t KeyCode = 0; // the key pressed on the keypad or the keyboard
    int Degrees = 0;     // the room's temperature, for the thermometer
};

// The event, or why the text is not one.
std::variant<DeviceEvent, std::string> ParseDeviceEvent(std::string_view text);

// The input, for the scheduler to give the device at the event's time.
TimedAction InputAction(const DeviceEvent& event, Peripherals& devices);
