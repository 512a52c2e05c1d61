#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/VirtualClock.h"
#include "devices/DeviceEvents.h"

class Peripherals;

// A device's input at a simulated time, as `--event TIME:DEVICE:WHAT` and an exercise's
// events give it; the devices and what they take are the device table's: keypad:KEY,
// keyboard:KEY, lift:call-top, lift:call-bottom, lift:repair or thermometer:DEGREES.
struct DeviceEvent {
    int64_t AtMs = 0;
    DeviceInput Input;
    std::string Text; // DEVICE:WHAT, as given
};

// The event, or why the text is not one.
std::variant<DeviceEvent, std::string> ParseDeviceEvent(std::string_view text);

// "TIME:keypad:KEY, TIME:keyboard:KEY, ...": every form an event may take, for the help.
std::string EventForms();

// The input, for the scheduler to give the device at the event's time.
TimedAction InputAction(const DeviceEvent& event, Peripherals& devices);
