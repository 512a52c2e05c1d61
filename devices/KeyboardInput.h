#pragma once

#include "devices/MachineLink.h"
#include "devices/PortMap.h"

// IN 00: the CPU waits for a key typed on the real keyboard. The key's code goes to AL and
// the run goes on if it was running; Escape stops the run and leaves AL as it was. Either
// way the IN instruction completes.
class KeyboardInput : public KeyWaiter {
  public:
    KeyboardInput(MachineLink& machine, UserInterface& ui) : machine_(machine), ui_(ui) {}

    void WaitForKey() override { machine_.SupplyKey(ui_.WaitForKey()); }

  private:
    MachineLink& machine_;
    UserInterface& ui_;
};
