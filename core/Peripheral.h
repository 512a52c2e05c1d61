#pragma once

#include <cstddef>

// The windows a front end shows for the machine, as the engine asks for them: first the
// devices', one for each row of the device table (devices/DeviceTable.h) and in its order,
// then the machine's own.
enum class Peripheral {
    Vdu,
    TrafficLights,
    SevenSegment,
    Heater,
    Maze,
    Stepper,
    Lift,
    Keyboard,
    Keypad,
    RamView,
    KeyboardInput, // where IN 00's key is typed
};

inline constexpr size_t DeviceWindowCount = static_cast<size_t>(Peripheral::RamView);
inline constexpr size_t PeripheralCount = static_cast<size_t>(Peripheral::KeyboardInput) + 1;
