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

    // The code of the last key pressed, or the mark of a click beside the keys.
    struct State {
        uint8_t Code = 0;
        bool operator==(const State&) const = default;
    };
    const State& CurrentState() const { return state_; }
    void Restore(const State& state) { state_ = state; }

    uint8_t PortRead() const override { return state_.Code; }
    // A key pressed, by the character code it stores.
    void Press(uint8_t keyCode) {
        state_.Code = keyCode;
        machine_.RaiseInterrupt(vector_);
    }
    void PressBeside() { state_.Code = beside_; }

  private:
    MachineLink& machine_;
    int vector_;
    uint8_t beside_;
    State state_;
};
