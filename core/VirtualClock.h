#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/RunEnd.h"
#include "devices/TimedDevice.h"

class RunControl;
class Taaa;

// The range a setting of simulated time may take, both ends included.
struct ClockLimit {
    int64_t Least;
    int64_t Most;
};

inline constexpr ClockLimit CpuClockLimit{1, 60000};          // ms
inline constexpr ClockLimit HwTimerLimit{1, 86400000};        // ms, one day
inline constexpr ClockLimit StepCountLimit{1, 1000000000000}; // steps
inline constexpr int64_t DefaultCpuClockMs = 1000;
inline constexpr int64_t DefaultHwTimerMs = 5000;
inline constexpr int64_t DefaultMaxSteps = 100000;

struct ClockSettings {
    int64_t CpuClockMs = DefaultCpuClockMs;
    int64_t HwTimerMs = DefaultHwTimerMs;
    int64_t MaxSteps = DefaultMaxSteps;
};

struct RunOutcome {
    int64_t Steps = 0;
    RunEnd Ended = RunEnd::None;
};

// Something done at a simulated time, as a click in a device window would be.
struct TimedAction {
    int64_t AtMs = 0;
    std::function<void()> Act;
};

// What a front end adds to a run: actions at their times (in any order; those due at the
// same instant keep their order), a place where the current simulated time is kept for
// whoever records what happens, a call after every device timer's tick, and a call when a
// step leaves IN 00 awaiting a key, at that step's time: the key it supplies lets the run go
// on at once. A key left unsupplied stops the run there.
struct ClockHooks {
    std::vector<TimedAction> Actions;
    int64_t* NowMs = nullptr;
    std::function<void()> AfterDeviceTick;
    std::function<void()> KeyAwaited;
};

// Runs the timers in simulated time: the CPU clock, the hardware timer and the device
// timers tick at their intervals from program start (time 0). Events due at the same
// instant fire as device timers, actions, hardware timer, CPU clock. Stops when the run
// ends or the step limit is reached; actions due later are not done. Settings outside
// their limits are taken as the nearest limit, so no time computed here can overflow.
RunOutcome RunInVirtualTime(Taaa& machine, RunControl& control,
                            const std::vector<TimedDevice*>& devices, const ClockSettings& settings,
                            ClockHooks hooks = {});
