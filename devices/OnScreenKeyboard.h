#pragma once

#include <cstdint>
#include <string_view>

#include "devices/PortMap.h"

class MachineLink;

// Port 07 and interrupt 03: a click on a key of the picture stores the key's code and,
// while a program runs with the I flag set, interrupts it through the vector at 03; the
// handler reads the code with IN 07. Reading does not clear the code.
class OnScreenKeyboard : public InputDevice {
  public:
    static constexpr int Vector = 0x03;

    explicit OnScreenKeyboard(MachineLink& machine) : machine_(machine) {}

    uint8_t PortRead() const override { return keyCode_; }
    void Image1MouseDown(int x, int y);
    // What Label1 shows for the mouse at x,y: the key's name, or nothing beside the keys.
    static std::string_view KeyNameAt(int x, int y);

    uint8_t KeyCode() const { return keyCode_; }

  private:
    MachineLink& machine_;
    uint8_t keyCode_ = 0;
};
