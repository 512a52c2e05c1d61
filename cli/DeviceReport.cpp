#include "cli/DeviceReport.h"

#include "core/RegisterText.h"
#include "devices/Peripherals.h"

void PrintDevices(std::ostream& out, const Peripherals& devices) {
    out << "TLIGHT " << devices.Lights.LabelText() << '\n';
    out << "SEVSEG " << BinaryText(devices.Digits.LeftLatch()) << ' '
        << BinaryText(devices.Digits.RightLatch()) << '\n';
    out << "HEATER " << devices.Heating.TemperatureText() << ' '
        << (devices.Heating.HeaterOn() ? "ON" : "OFF") << '\n';
    out << "MAZE " << devices.Snake.SnakeX() << ' ' << devices.Snake.SnakeY() << '\n';
    out << "STEPPER " << HexByte(devices.Motor.StepState()) << '\n';
    out << "LIFT " << devices.Car.CarTop() << ' ' << HexByte(devices.Car.LiftBits()) << ' '
        << (devices.Car.Crashed() ? "CRASHED" : "OK") << '\n';
    out << "KEYB " << HexByte(devices.Keyboard.KeyCode()) << '\n';
    out << "KEYPAD " << HexByte(devices.Pad.PadCode()) << '\n';
}
