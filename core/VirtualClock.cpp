#include "core/VirtualClock.h"

#include <algorithm>

#include "core/Assem.h"
#include "core/RunControl.h"

namespace {

// Simulated time goes by in slices of an hour; any slice gives the same run.
constexpr int64_t SliceMs = 3600000;

int64_t Within(int64_t value, ClockLimit limit) {
    return std::clamp(value, limit.Least, limit.Most);
}

} // namespace

RunOutcome RunInVirtualTime(Taaa& machine, RunControl& control,
                            const std::vector<TimedDevice*>& devices, const ClockSettings& settings,
                            ClockHooks hooks, const std::function<bool()>& outOfTime) {
    control.SetIntervalsExactly(static_cast<int>(Within(settings.CpuClockMs, CpuClockLimit)),
                                static_cast<int>(Within(settings.HwTimerMs, HwTimerLimit)));
    const int64_t maxSteps = Within(settings.MaxSteps, StepCountLimit);
    Scheduler clock(machine, control, devices, std::move(hooks));
    int64_t steps = 0;
    while (machine.Machine.Running && steps < maxSteps && !(outOfTime && outOfTime())) {
        steps += clock.RunFor(SliceMs, maxSteps - steps).Steps;
    }
    return {steps, machine.Machine.Running ? RunEnd::StepLimit : machine.Ended};
}
