#pragma once

#include <cstdint>

#include "devices/InterruptingKeys.h"

// Port 07 and interrupt 03: a press on a key of the picture stores the key's code and,
// while a program runs with the I flag set, interrupts it through the vector at 03; the
// handler reads the code with IN 07. A click beside the keys stores 0 and raises nothing.
class OnScreenKeyboard : public InterruptingKeys {
  public:
    static constexpr int Vector = 0x03;
    static constexpr uint8_t Beside = 0x00;

    explicit OnScreenKeyboard(MachineLink& machine) : InterruptingKeys(machine, Vector, Beside) {}

    uint8_t KeyCode() const { return PortRead(); }
};
