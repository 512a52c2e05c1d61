#pragma once

#include "devices/MachineSnapshot.h"

class RunControl;
class Taaa;

// The machine, its run controls, its devices and its clock together: what a snapshot takes
// and gives back. Every front end composes these four; this puts the pair in one place.
class WholeMachine {
  public:
    WholeMachine(Taaa& machine, RunControl& control, Peripherals& devices, Scheduler& clock)
        : machine_(machine), control_(control), devices_(devices), clock_(clock) {}

    MachineSnapshot Snapshot() const;
    // Gives back exactly what the snapshot holds, from the same assembly: the views of the
    // registers and cells that differ are told, and the devices redraw their pictures.
    void Restore(const MachineSnapshot& snapshot);

  private:
    void RestoreCpu(const MachineSnapshot& snapshot);

    Taaa& machine_;
    RunControl& control_;
    Peripherals& devices_;
    Scheduler& clock_;
};
