#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class Peripherals;

// One line per device that the device table names for a report, its name first: TLIGHT,
// SEVSEG, HEATER, MAZE, STEPPER, LIFT, KEYB, KEYPAD.
std::vector<std::string> DeviceLines(const Peripherals& devices);
// The line of the device named, or "" for no such device.
std::string DeviceLine(const Peripherals& devices, std::string_view device);
// The device lines `corvane-cli run --devices` prints after a run, one per device.
void PrintDevices(std::ostream& out, const Peripherals& devices);
// The names that begin the device lines, in their order.
std::vector<std::string_view> ReportedDeviceNames();
// The names as a message lists them: "A, B and C".
std::string ListedNames(const std::vector<std::string_view>& names);
