#include "cli/DeviceReport.h"

#include "core/RegisterText.h"
#include "devices/Peripherals.h"

std::vector<std::string> DeviceLines(const Peripherals& devices) {
    return {
        "TLIGHT " + devices.Lights.LabelText(),
        "SEVSEG " + BinaryText(devices.Digits.LeftLatch()) + ' ' +
            BinaryText(devices.Digits.RightLatch()),
        "HEATER " + devices.Heating.TemperatureText() + ' ' +
            (devices.Heating.HeaterOn() ? "ON" : "OFF"),
        "MAZE " + std::to_string(devices.Snake.SnakeX()) + ' ' +
            std::to_string(devices.Snake.SnakeY()),
        "STEPPER " + HexByte(devices.Motor.StepState()),
        "LIFT " + std::to_string(devices.Car.CarTop()) + ' ' + HexByte(devices.Car.LiftBits()) +
            ' ' + (devices.Car.Crashed() ? "CRASHED" : "OK"),
        "KEYB " + HexByte(devices.Keyboard.KeyCode()),
        "KEYPAD " + HexByte(devices.Pad.PadCode()),
    };
}

std::string DeviceLine(const Peripherals& devices, std::string_view device) {
    for (std::string& line : DeviceLines(devices)) {
        if (line.starts_with(device) && line.size() > device.size() && line[device.size()] == ' ') {
            return line;
        }
    }
    return {};
}

void PrintDevices(std::ostream& out, const Peripherals& devices) {
    for (const std::string& line : DeviceLines(devices)) {
        out << line << '\n';
    }
}
