#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/RunEnd.h"
#include "core/Scheduler.h"
#include "core/TimedDevice.h"

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

// Runs the program to its end in simulated time, without sleeping: a Scheduler from time 0,
// with the clock intervals of `settings` set on `control`. Stops when the run ends or the
// step limit is reached; actions due later are not done. Settings outside their limits are
// taken as the nearest limit, so no time computed here can overflow. `outOfTime`, asked
// between slices of simulated time, stops the run early (it is left running).
RunOutcome RunInVirtualTime(Taaa& machine, RunControl& control,
                            const std::vector<TimedDevice*>& devices, const ClockSettings& settings,
                            ClockHooks hooks = {}, const std::function<bool()>& outOfTime = {});
