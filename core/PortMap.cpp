#include "core/PortMap.h"

PortMap::PortMap() {
    ports_[0x01].Window = Peripheral::TrafficLights;
    ports_[0x02].Window = Peripheral::SevenSegment;
    ports_[0x03].Window = Peripheral::Heater;
    ports_[0x04].Window = Peripheral::Maze;
    ports_[0x05].Window = Peripheral::Stepper;
    ports_[0x06].Window = Peripheral::Lift;
    ports_[0x07].Window = Peripheral::Keyboard;
    ports_[0x08].Window = Peripheral::Keypad;
}
