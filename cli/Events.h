#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/VirtualClock.h"

class Peripherals;

// A click in a device window at a simulated time, as `--event TIME:WHAT` and an exercise's
// events give it: keypad:KEY, keyboard:KEY, lift:call-top, lift:call-bottom, lift:repair or
// thermometer:DEGREES.
struct DeviceEvent {
    enum class Target { Keypad, Keyboard, LiftCallTop, LiftCallBottom, LiftRepair, Thermometer };
    int64_t AtMs = 0;
    Target Where = Target::Keypad;
    // Where the click lands in the device's picture; y alone for the thermometer.
    int X = 0;
    int Y = 0;
};

// The event, or why the text is not one.
std::variant<DeviceEvent, std::string> ParseDeviceEvent(std::string_view text);

// The click, for the scheduler to do at the event's time.
TimedAction ClickAction(const DeviceEvent& event, Peripherals& devices);
