#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DeviceMachine.h"
#include "devices/DeviceWords.h"

// Each device's state in words, after driving the device as a program or a person would.
namespace {

struct WordsCase {
    const char* Name;
    std::function<void(Peripherals&)> Drive;
    std::function<std::string(const Peripherals&)> Words;
    const char* Expected;
};

const WordsCase Cases[] = {
    {"lights before any output", [](Peripherals&) {},
     [](const Peripherals& d) { return TrafficLightsWords(d.Lights); },
     "left lights: red off, amber off, green off; right lights: red off, amber off, green off"},
    {"lights red and amber left, green right", [](Peripherals& d) { d.Lights.PortWrite(0xC4); },
     [](const Peripherals& d) { return TrafficLightsWords(d.Lights); },
     "left lights: red on, amber on, green off; right lights: red off, amber off, green on"},
    {"digits 3 and 7",
     [](Peripherals& d) {
         d.Digits.PortWrite(0x9E);
         d.Digits.PortWrite(0x8B);
     },
     [](const Peripherals& d) { return SevenSegmentWords(d.Digits); },
     "left digit 3, right digit 7"},
    {"a pattern that is no digit", [](Peripherals& d) { d.Digits.PortWrite(0x85); },
     [](const Peripherals& d) { return SevenSegmentWords(d.Digits); },
     "left digit blank, right digit segments top, middle"},
    {"heater switched on in a cool room",
     [](Peripherals& d) {
         d.Heating.SetRoomTemperature(21);
         d.Heating.PortWrite(0x80);
     },
     [](const Peripherals& d) { return HeaterWords(d.Heating); },
     "heater on, 21.0 degrees, thermostat cold"},
    {"heater off in a warm room",
     [](Peripherals& d) {
         d.Heating.SetRoomTemperature(30);
         d.Heating.PortWrite(0x00);
     },
     [](const Peripherals& d) { return HeaterWords(d.Heating); },
     "heater off, 30.0 degrees, thermostat warm"},
    {"lift called to the top and driven up",
     [](Peripherals& d) {
         d.Car.CallLift(Lift::Floor::Top);
         d.Car.PortWrite(Lift::CalledUp | Lift::MotorUp);
         d.Car.Timer1Timer();
     },
     [](const Peripherals& d) { return LiftWords(d.Car); },
     "lift: car at the bottom, going up, top call waiting"},
    {"lift on its way up",
     [](Peripherals& d) {
         d.Car.PortWrite(Lift::MotorUp);
         for (int tick = 0; tick < 10; ++tick) {
             d.Car.Timer1Timer();
         }
     },
     [](const Peripherals& d) { return LiftWords(d.Car); },
     "lift: car between the floors, going up"},
    {"lift driven both ways crashes",
     [](Peripherals& d) {
         d.Car.PortWrite(Lift::MotorUp | Lift::MotorDown);
         d.Car.Timer1Timer();
         d.Car.Timer1Timer();
     },
     [](const Peripherals& d) { return LiftWords(d.Car); },
     "lift: car at the bottom, crashed, repair offered"},
    {"snake moved right", [](Peripherals& d) { d.Snake.PortWrite(0x15); },
     [](const Peripherals& d) { return MazeWords(d.Snake); },
     "snake head at x 25, y 20, last byte 15"},
    {"motor half a step on", [](Peripherals& d) { d.Motor.PortWrite(0x03); },
     [](const Peripherals& d) { return StepperWords(d.Motor); },
     "stepper motor: rotor at -5 degrees, phases 0 and 1 on"},
    {"keypad enter", [](Peripherals& d) { d.Pad.Press(0x0D); },
     [](const Peripherals& d) { return KeypadWords(d.Pad); }, "last key enter"},
    {"keypad beside the keys", [](Peripherals& d) { d.Pad.PressBeside(); },
     [](const Peripherals& d) { return KeypadWords(d.Pad); }, "last click beside the keys"},
    {"keyboard untouched", [](Peripherals&) {},
     [](const Peripherals& d) { return KeyboardWords(d.Keyboard); }, "no key pressed yet"},
    {"keyboard Ctrl+C", [](Peripherals& d) { d.Keyboard.Press(0x03); },
     [](const Peripherals& d) { return KeyboardWords(d.Keyboard); }, "last key Ctrl+C"},
    {"keyboard space", [](Peripherals& d) { d.Keyboard.Press(0x20); },
     [](const Peripherals& d) { return KeyboardWords(d.Keyboard); }, "last key Space"},
};

TEST(DeviceWords, EachDeviceSaysWhatItShows) {
    for (const WordsCase& c : Cases) {
        DeviceMachine m;
        c.Drive(m.devices);
        EXPECT_EQ(c.Words(m.devices), c.Expected) << c.Name;
    }
}

TEST(DeviceWords, TheScreenReadsItsRowsWithoutTrailingSpaces) {
    DeviceMachine m("MOV AL,48\nMOV [C0],AL\nMOV AL,49\nMOV [C1],AL\nMOV AL,0D\nMOV [D0],AL\n"
                    "MOV AL,5A\nMOV [FF],AL\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.Step(8);
    // A control character reads as a space, as the screen shows nothing there.
    EXPECT_EQ(VduWords(m.machine.Machine), "row 1: HI; row 2: ; row 3: ; row 4:                Z");
}

} // namespace
