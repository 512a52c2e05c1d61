#pragma once

#include <array>

#include "core/Peripheral.h"

// The nine device windows in the order in which the one-at-a-time rule, the hide commands
// and CLO close them.
inline constexpr std::array<Peripheral, 9> DeviceCloseList = {
    Peripheral::TrafficLights, Peripheral::SevenSegment, Peripheral::Stepper,
    Peripheral::Maze,          Peripheral::Heater,       Peripheral::Vdu,
    Peripheral::Lift,          Peripheral::Keyboard,     Peripheral::Keypad};
