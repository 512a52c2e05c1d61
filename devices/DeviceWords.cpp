#include "devices/DeviceWords.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "devices/Heater.h"
#include "devices/Keypad.h"
#include "devices/Lift.h"
#include "devices/Maze.h"
#include "devices/OnScreenKeyMap.h"
#include "devices/OnScreenKeyboard.h"
#include "devices/SevenSegmentDisplays.h"
#include "devices/StepperMotor.h"
#include "devices/TrafficLights.h"
#include "devices/Vdu.h"

namespace {

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

std::string HexText(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

// The segments in the order SevenSegmentDisplays::Segments lists them.
constexpr std::array<const char*, 7> SegmentNames{
    "top", "upper left", "lower left", "bottom", "lower right", "middle", "upper right"};

struct DigitPattern {
    uint8_t Segments; // the latch's bits 7..1
    const char* Name;
};

constexpr std::array<DigitPattern, 17> DigitPatterns{{
    {0x00, "blank"},
    {0xFA, "0"},
    {0x0A, "1"},
    {0xB6, "2"},
    {0x9E, "3"},
    {0x4E, "4"},
    {0xDC, "5"},
    {0xFC, "6"},
    {0x8A, "7"},
    {0xFE, "8"},
    {0xDE, "9"},
    {0xEE, "A"},
    {0x7C, "b"},
    {0xF0, "C"},
    {0x3E, "d"},
    {0xF4, "E"},
    {0xE4, "F"},
}};

std::string DigitWords(uint8_t latch) {
    const uint8_t segments = latch & 0xFE; // bit 0 only chose the digit
    for (const DigitPattern& pattern : DigitPatterns) {
        if (pattern.Segments == segments) {
            return pattern.Name;
        }
    }
    std::string lit = "segments";
    const char* separator = " ";
    for (size_t i = 0; i < SegmentNames.size(); ++i) {
        if (segments & SevenSegmentDisplays::Segments[i].Mask) {
            lit += separator;
            lit += SegmentNames[i];
            separator = ", ";
        }
    }
    return lit;
}

std::string LampWords(const TrafficLights& lights, const char* side, size_t first) {
    static constexpr std::array<const char*, 3> Colours{"red", "amber", "green"};
    std::string words = std::string(side) + " lights: ";
    for (size_t i = 0; i < Colours.size(); ++i) {
        words += std::string(i ? ", " : "") + Colours[i] + " " +
                 OnOff(lights.IsLit(TrafficLights::Lamps[first + i]));
    }
    return words;
}

std::string CarPlace(const Lift& lift) {
    if (lift.CarAt(Lift::Floor::Bottom)) {
        return "at the bottom";
    }
    if (lift.CarAt(Lift::Floor::Top)) {
        return "at the top";
    }
    return "between the floors";
}

std::string CarMotion(const Lift& lift) {
    if (lift.Crashed()) {
        return "crashed";
    }
    const bool up = lift.LiftBits() & Lift::MotorUp;
    const bool down = lift.LiftBits() & Lift::MotorDown;
    if (up && down) {
        return "driven both ways";
    }
    return up ? "going up" : (down ? "going down" : "stopped");
}

std::string KeyName(uint8_t code) {
    const KeyRegion* key = FindKeyByCode(code);
    return key ? std::string(key->Name) : "code " + HexText(code);
}

std::string LastKey(uint8_t code, uint8_t beside, const std::string& name) {
    if (code == 0) {
        return "no key pressed yet";
    }
    return code == beside ? "last click beside the keys" : "last key " + name;
}

} // namespace

std::string TrafficLightsWords(const TrafficLights& lights) {
    return LampWords(lights, "left", 0) + "; " + LampWords(lights, "right", 3);
}

std::string SevenSegmentWords(const SevenSegmentDisplays& displays) {
    return "left digit " + DigitWords(displays.LeftLatch()) + ", right digit " +
           DigitWords(displays.RightLatch());
}

std::string HeaterWords(const Heater& heater) {
    char degrees[16];
    std::snprintf(degrees, sizeof degrees, "%.1f", heater.Temperature());
    return std::string("heater ") + OnOff(heater.HeaterOn()) + ", " + degrees +
           " degrees, thermostat " + ((heater.PortRead() & 1) ? "warm" : "cold");
}

std::string LiftWords(const Lift& lift) {
    std::string words = "lift: car " + CarPlace(lift) + ", " + CarMotion(lift);
    if (!lift.SpeedButtonUpEnabled()) {
        words += ", top call waiting";
    }
    if (!lift.SpeedButtonDownEnabled()) {
        words += ", bottom call waiting";
    }
    if (lift.ButtonEngineerEnabled()) {
        words += ", repair offered";
    }
    return words;
}

std::string MazeWords(const Maze& maze) {
    const auto last = maze.CurrentState().LastByte;
    return "snake head at x " + std::to_string(maze.SnakeX()) + ", y " +
           std::to_string(maze.SnakeY()) + ", last byte " + (last ? HexText(*last) : "none");
}

std::string StepperWords(const StepperMotor& motor) {
    const int degrees = static_cast<int>(std::lround(StepperMotor::RotorOffset(motor.StepState())));
    std::string phases;
    int count = 0;
    for (int phase = 0; phase < 4; ++phase) {
        if (motor.StepState() & (1 << phase)) {
            phases += (count++ ? " and " : " ") + std::to_string(phase);
        }
    }
    return "stepper motor: rotor at " + std::to_string(degrees) + " degrees, phase" +
           (count > 1 ? "s" : "") + phases + " on";
}

std::string KeypadWords(const Keypad& pad) {
    const uint8_t code = pad.PadCode();
    const std::string name =
        code == 0x08 ? "backspace" : (code == 0x0D ? "enter" : std::string(1, char(code)));
    return LastKey(code, Keypad::Beside, name);
}

std::string KeyboardWords(const OnScreenKeyboard& keyboard) {
    const uint8_t code = keyboard.KeyCode();
    return LastKey(code, OnScreenKeyboard::Beside, KeyName(code));
}

std::string VduWords(const MachineState& machine) {
    std::string words;
    for (int row = 0; row < VduRows; ++row) {
        std::string text;
        for (int column = 0; column < VduColumns; ++column) {
            const uint8_t code = VduCharacter(machine, row, column);
            text += (code >= 0x20 && code < 0x7F) ? char(code) : ' ';
        }
        text.erase(text.find_last_not_of(' ') + 1);
        words += (row ? "; row " : "row ") + std::to_string(row + 1) + ": " + text;
    }
    return words;
}
