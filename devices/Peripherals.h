#pragma once

#include <vector>

#include "core/TimedDevice.h"
#include "devices/Heater.h"
#include "devices/Keypad.h"
#include "devices/Lift.h"
#include "devices/Maze.h"
#include "devices/OnScreenKeyboard.h"
#include "devices/SevenSegmentDisplays.h"
#include "devices/StepperMotor.h"
#include "devices/TrafficLights.h"

// Every device model, made once and kept for the life of the program, plugged into the
// machine's port map as the device table (devices/DeviceTable.h) says. Their state survives CPU
// Reset and assembly: only a device's own controls reset it.
class Peripherals {
  public:
    Peripherals(MachineLink& machine, UserInterface& ui, PortMap& ports);
    Peripherals(const Peripherals&) = delete;
    Peripherals& operator=(const Peripherals&) = delete;

    Heater Heating;              // IN and OUT 03
    Lift Car;                    // IN and OUT 06
    Maze Snake;                  // OUT 04
    SevenSegmentDisplays Digits; // OUT 02
    StepperMotor Motor;          // OUT 05
    TrafficLights Lights;        // OUT 01
    OnScreenKeyboard Keyboard;   // IN 07, interrupt 03
    Keypad Pad;                  // IN 08, interrupt 04

    // The devices with timers of their own, in the order of the device table; at the same
    // instant they tick in this order.
    std::vector<TimedDevice*> Timers();

    // Every device's state; the VDU has none of its own, it is RAM.
    struct State {
        Heater::State Heating;
        Lift::State Car;
        Maze::State Snake;
        SevenSegmentDisplays::State Digits;
        StepperMotor::State Motor;
        TrafficLights::State Lights;
        OnScreenKeyboard::State Keyboard;
        Keypad::State Pad;
        bool operator==(const State&) const = default;
    };
    State CurrentState() const;
    // Each model tells its window, which draws its picture again.
    void Restore(const State& state);
};
