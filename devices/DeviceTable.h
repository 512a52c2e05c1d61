#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "assembler/RegisterText.h"
#include "core/Peripheral.h"
#include "core/PortMap.h"
#include "core/TimedDevice.h"
#include "devices/DeviceEvents.h"
#include "devices/Peripherals.h"

// Every device, one row each. The port map, the device timers, the close list, the
// settings sections and corvane-cli's device lines and events are all made from these rows;
// docs/adding-a-device.md says how a device joins them.

inline constexpr int NoPort = -1;

// The parts of a device's model the machine drives; a part the device lacks is null.
struct DeviceModel {
    InputDevice* Input = nullptr;   // IN on the device's port reads it
    OutputDevice* Output = nullptr; // OUT on the device's port writes it
    TimedDevice* Timer = nullptr;   // ticks from program start to exit
};

struct DeviceRow {
    Peripheral Window;
    // OUT to the port shows the window, whether the device takes the byte or not.
    int Port = NoPort;
    DeviceModel (*Model)(Peripherals& devices) = nullptr;
    // The window's caption, as every front end titles it.
    const char* Caption = nullptr;
    // Where the settings file keeps the window's place.
    const char* SettingsSection = nullptr;
    // The window's place in DeviceCloseList.
    size_t CloseRank = 0;
    // corvane-cli's line of the device, "NAME " and then the text Report makes; a device
    // without a name has no line.
    const char* ReportName = nullptr;
    std::string (*Report)(const Peripherals& devices) = nullptr;
    // `--event TIME:EventName:WHAT`, WHAT as EventForms shows it; a device without an event
    // name takes no events.
    const char* EventName = nullptr;
    const char* EventForms = nullptr;
    ParsedInput (*ParseEvent)(std::string_view what) = nullptr;
};

// In the order of the window ids.
inline constexpr std::array DeviceTable = {
    DeviceRow{
        .Window = Peripheral::Vdu,
        .Model = [](Peripherals&) { return DeviceModel{}; },
        .Caption = "VDU C0..FF",
        .SettingsSection = "Vdu",
        .CloseRank = 5,
    },
    DeviceRow{
        .Window = Peripheral::TrafficLights,
        .Port = 0x01,
        .Model = [](Peripherals& d) { return DeviceModel{.Output = &d.Lights}; },
        .Caption = "Traffic Lights on Port One",
        .SettingsSection = "TLight",
        .CloseRank = 0,
        .ReportName = "TLIGHT",
        .Report = [](const Peripherals& d) { return d.Lights.LabelText(); },
    },
    DeviceRow{
        .Window = Peripheral::SevenSegment,
        .Port = 0x02,
        .Model = [](Peripherals& d) { return DeviceModel{.Output = &d.Digits}; },
        .Caption = "Seven Segment Displays",
        .SettingsSection = "SevSeg",
        .CloseRank = 1,
        .ReportName = "SEVSEG",
        .Report =
            [](const Peripherals& d) {
                return BinaryText(d.Digits.LeftLatch()) + ' ' + BinaryText(d.Digits.RightLatch());
            },
    },
    DeviceRow{
        .Window = Peripheral::Heater,
        .Port = 0x03,
        .Model =
            [](Peripherals& d) {
                return DeviceModel{&d.Heating, &d.Heating, &d.Heating};
            },
        .Caption = "Heater and Thermostat",
        .SettingsSection = "Heat",
        .CloseRank = 4,
        .ReportName = "HEATER",
        .Report =
            [](const Peripherals& d) {
                return d.Heating.TemperatureText() + (d.Heating.HeaterOn() ? " ON" : " OFF");
            },
        .EventName = "thermometer",
        .EventForms = "DEGREES",
        .ParseEvent = ThermometerEvent,
    },
    DeviceRow{
        .Window = Peripheral::Maze,
        .Port = 0x04,
        .Model = [](Peripherals& d) { return DeviceModel{.Output = &d.Snake}; },
        .Caption = "Snake and Maze",
        .SettingsSection = "Maze",
        .CloseRank = 3,
        .ReportName = "MAZE",
        .Report =
            [](const Peripherals& d) {
                return std::to_string(d.Snake.SnakeX()) + ' ' + std::to_string(d.Snake.SnakeY());
            },
    },
    DeviceRow{
        .Window = Peripheral::Stepper,
        .Port = 0x05,
        .Model = [](Peripherals& d) { return DeviceModel{.Output = &d.Motor}; },
        .Caption = "Stepper Motor - Port 5",
        .SettingsSection = "Stepper",
        .CloseRank = 2,
        .ReportName = "STEPPER",
        .Report = [](const Peripherals& d) { return HexByte(d.Motor.StepState()); },
    },
    DeviceRow{
        .Window = Peripheral::Lift,
        .Port = 0x06,
        .Model =
            [](Peripherals& d) {
                return DeviceModel{&d.Car, &d.Car, &d.Car};
            },
        .Caption = "Lift on Port 06",
        .SettingsSection = "Lift",
        .CloseRank = 6,
        .ReportName = "LIFT",
        .Report =
            [](const Peripherals& d) {
                return std::to_string(d.Car.CarTop()) + ' ' + HexByte(d.Car.LiftBits()) +
                       (d.Car.Crashed() ? " CRASHED" : " OK");
            },
        .EventName = "lift",
        .EventForms = "call-top|call-bottom|repair",
        .ParseEvent = LiftEvent,
    },
    DeviceRow{
        .Window = Peripheral::Keyboard,
        .Port = 0x07,
        .Model = [](Peripherals& d) { return DeviceModel{.Input = &d.Keyboard}; },
        .Caption = "Key press generates INT 03 - Read key from port 07",
        .SettingsSection = "Keyb",
        .CloseRank = 7,
        .ReportName = "KEYB",
        .Report = [](const Peripherals& d) { return HexByte(d.Keyboard.KeyCode()); },
        .EventName = "keyboard",
        .EventForms = "KEY",
        .ParseEvent = KeyboardEvent,
    },
    DeviceRow{
        .Window = Peripheral::Keypad,
        .Port = 0x08,
        .Model = [](Peripherals& d) { return DeviceModel{.Input = &d.Pad}; },
        .Caption = "Key Pad",
        .SettingsSection = "KeyPad",
        .CloseRank = 8,
        .ReportName = "KEYPAD",
        .Report = [](const Peripherals& d) { return HexByte(d.Pad.PadCode()); },
        .EventName = "keypad",
        .EventForms = "KEY",
        .ParseEvent = KeypadEvent,
    },
};

constexpr const DeviceRow& DeviceRowOf(Peripheral window) {
    return DeviceTable[static_cast<size_t>(window)];
}

namespace device_table_checks {

constexpr bool RowsFollowTheWindowIds() {
    for (size_t i = 0; i < DeviceTable.size(); ++i) {
        if (DeviceTable[i].Window != static_cast<Peripheral>(i)) {
            return false;
        }
    }
    return true;
}

// Each of 0..size-1 taken by exactly one row.
constexpr bool CloseRanksTakeEachPlaceOnce() {
    std::array<int, DeviceTable.size()> taken{};
    for (const DeviceRow& row : DeviceTable) {
        if (row.CloseRank >= taken.size() || taken[row.CloseRank]++ != 0) {
            return false;
        }
    }
    return true;
}

// IN 00 is the machine's own; no two devices share a port.
constexpr bool PortsAreDistinctAndFree() {
    std::array<int, PortCount> taken{};
    for (const DeviceRow& row : DeviceTable) {
        if (row.Port == NoPort) {
            continue;
        }
        if (row.Port <= 0 || row.Port >= PortCount || taken[row.Port]++ != 0) {
            return false;
        }
    }
    return true;
}

} // namespace device_table_checks

static_assert(DeviceTable.size() == DeviceWindowCount, "one row for each device window id");
static_assert(device_table_checks::RowsFollowTheWindowIds(), "rows in the order of the ids");
static_assert(device_table_checks::CloseRanksTakeEachPlaceOnce());
static_assert(device_table_checks::PortsAreDistinctAndFree());

// The device windows in the order in which the one-at-a-time rule, the hide commands and
// CLO close them.
inline constexpr std::array<Peripheral, DeviceTable.size()> DeviceCloseList = [] {
    std::array<Peripheral, DeviceTable.size()> list{};
    for (const DeviceRow& row : DeviceTable) {
        list[row.CloseRank] = row.Window;
    }
    return list;
}();
