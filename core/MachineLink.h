#pragma once

#include <cstdint>

#include "core/RunEnd.h"

// What a device may ask of the machine it is plugged into, and no more: the devices know
// nothing else of the CPU.
class MachineLink {
  public:
    // Interrupts a program that runs with the I flag set through the vector at this address;
    // otherwise does nothing. None, unless the interrupt ended the run (the stack overflowed).
    virtual RunEnd RaiseInterrupt(int vectorAddress) = 0;
    virtual void EndRun(RunEnd why) = 0;

  protected:
    ~MachineLink() = default;
};
