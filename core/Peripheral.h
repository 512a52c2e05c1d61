#pragma once

// The windows a front end shows for the machine, as the engine asks for them.
enum class Peripheral {
    RamView,
    Vdu,
    TrafficLights,
    SevenSegment,
    Heater,
    Maze,
    Stepper,
    Lift,
    Keyboard,
    Keypad,
    KeyboardInput,
};
