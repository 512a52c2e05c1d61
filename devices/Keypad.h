#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "devices/PortMap.h"

class MachineLink;

// Port 08 and interrupt 04: a hexadecimal keypad with a backspace and an enter key. A
// click stores the key's code and, while a program runs with the I flag set, interrupts it
// through the vector at 04; a click beside the keys stores FF and raises nothing.
class Keypad : public InputDevice {
  public:
    static constexpr int Vector = 0x04;
    static constexpr uint8_t Beside = 0xFF;

    // A key's row is the first whose end lies below y, its column likewise for x.
    static constexpr std::array<int, 4> RowEnds{33, 61, 88, 113};
    static constexpr std::array<int, 5> ColumnEnds{32, 60, 89, 118, 146};
    // The character codes of the digits on the keys; backspace 08 and enter 0D are two
    // rows tall.
    static constexpr std::array<std::array<uint8_t, 5>, 4> Codes{{
        {0x31, 0x32, 0x33, 0x41, 0x08},
        {0x34, 0x35, 0x36, 0x42, 0x08},
        {0x37, 0x38, 0x39, 0x43, 0x0D},
        {0x46, 0x30, 0x45, 0x44, 0x0D},
    }};
    // The code of the key at x,y, or none beside the keys.
    static std::optional<uint8_t> KeyAt(int x, int y);

    explicit Keypad(MachineLink& machine) : machine_(machine) {}

    uint8_t PortRead() const override { return padCode_; }
    void ImageKeyPadMouseDown(int x, int y);

    uint8_t PadCode() const { return padCode_; }

  private:
    MachineLink& machine_;
    uint8_t padCode_ = 0;
};
