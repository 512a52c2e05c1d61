#pragma once

#include <cstdint>
#include <vector>

#include "devices/TimedDevice.h"

class RunControl;
class Taaa;

struct ClockSettings {
    int64_t CpuClockMs = 1000;
    int64_t HwTimerMs = 5000;
    int64_t MaxSteps = 100000;
};

// Runs the timers in simulated time: the CPU clock, the hardware timer and the device
// timers tick at their intervals from program start (time 0). Events due at the same
// instant fire as device timers, hardware timer, CPU clock. Stops when Running is cleared
// or the step limit is reached; returns the number of steps made.
int64_t RunInVirtualTime(Taaa& machine, RunControl& control,
                         const std::vector<TimedDevice*>& devices, const ClockSettings& clock);
