#pragma once

#include "devices/PortMap.h"

class Taaa;

// IN 00: the CPU waits for a key typed on the real keyboard. The key's code goes to AL and
// the run goes on if it was running; Escape stops the run and leaves AL as it was. Either
// way the IN instruction completes.
class KeyboardInput : public KeyWaiter {
  public:
    explicit KeyboardInput(Taaa& machine) : machine_(machine) {}

    void WaitForKey() override;

  private:
    Taaa& machine_;
};
