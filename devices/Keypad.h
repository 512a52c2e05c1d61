#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "devices/InterruptingKeys.h"

// Port 08 and interrupt 04: a hexadecimal keypad with a backspace and an enter key. A
// press stores the key's code and, while a program runs with the I flag set, interrupts it
// through the vector at 04; a click beside the keys stores FF and raises nothing.
class Keypad : public InterruptingKeys {
  public:
    static constexpr int Vector = 0x04;
    static constexpr uint8_t Beside = 0xFF;

    // The keys in their rows and columns, by the character codes of their digits; backspace
    // 08 and enter 0D are two rows tall.
    static constexpr std::array<std::array<uint8_t, 5>, 4> Codes{{
        {0x31, 0x32, 0x33, 0x41, 0x08},
        {0x34, 0x35, 0x36, 0x42, 0x08},
        {0x37, 0x38, 0x39, 0x43, 0x0D},
        {0x46, 0x30, 0x45, 0x44, 0x0D},
    }};
    static constexpr bool HasKey(uint8_t code) {
        // Plain algorithms: the browser's C++ library has no ranges yet.
        return std::any_of(Codes.begin(), Codes.end(), [code](const auto& row) {
            return std::find(row.begin(), row.end(), code) != row.end();
        });
    }

    explicit Keypad(MachineLink& machine) : InterruptingKeys(machine, Vector, Beside) {}

    uint8_t PadCode() const { return PortRead(); }
};
