#pragma once

#include <string>

class Heater;
class Keypad;
class Lift;
class MachineState;
class Maze;
class OnScreenKeyboard;
class SevenSegmentDisplays;
class StepperMotor;
class TrafficLights;

// Each device's state in plain words, for a screen reader or any front end that cannot show
// the picture: what a person looking at the device would say about it.

// "left lights: red on, amber off, green off; right lights: ..."
std::string TrafficLightsWords(const TrafficLights& lights);
// "left digit 3, right digit blank"; a pattern that is no digit names its lit segments.
std::string SevenSegmentWords(const SevenSegmentDisplays& displays);
// "heater on, 21.3 degrees, thermostat cold"
std::string HeaterWords(const Heater& heater);
// "lift: car at the bottom, going up, top call waiting"
std::string LiftWords(const Lift& lift);
// "snake head at x 20, y 20, last byte none"
std::string MazeWords(const Maze& maze);
// "stepper motor: rotor at -5 degrees, phases 0 and 1 on"
std::string StepperWords(const StepperMotor& motor);
// "last key 7", "last key enter", "no key pressed yet", "last click beside the keys"
std::string KeypadWords(const Keypad& pad);
// "last key a", "last key Ctrl+C"
std::string KeyboardWords(const OnScreenKeyboard& keyboard);
// The screen's four rows, trailing spaces dropped: "row 1: HELLO; row 2: ; ..."
std::string VduWords(const MachineState& machine);
