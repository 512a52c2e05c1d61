#pragma once

#include <cstdint>

#include "core/MachineLink.h"
#include "core/PortMap.h"

// Keys that interrupt a program: a press stores the key's code and, while a program runs
// with the I flag set, interrupts it through the device's vector; the handler reads the code
// with IN, which does not clear it. A click beside the keys stores the device's own mark for
// "no key" and raises nothing.
class InterruptingKeys : public InputDevice {
  public:
    InterruptingKeys(MachineLink& machine, int vector, uint8_t beside)
        : machine_(machine), vector_(vector), beside_(beside) {}

    uint8_t PortRead() const override { return code_; }
    // A key pressed, by the character code it stores.
    void Press(uint8_t keyCode) {
        code_ = keyCode;
        machine_.RaiseInterrupt(vector_);
    }
    void PressBeside() { code_ = beside_; }

  private:
    MachineLink& machine_;
    int vector_;
    uint8_t beside_;
    uint8_t code_ = 0;
};
