#include "cli/VirtualClock.h"

#include <algorithm>

#include "core/Assem.h"
#include "core/RunControl.h"

int64_t RunInVirtualTime(Taaa& machine, RunControl& control,
                         const std::vector<TimedDevice*>& devices, const ClockSettings& clock) {
    std::vector<int64_t> deviceDue;
    for (const TimedDevice* device : devices) {
        deviceDue.push_back(device->TimerInterval());
    }
    int64_t hwDue = clock.HwTimerMs;
    int64_t cpuDue = clock.CpuClockMs;
    int64_t steps = 0;

    while (machine.Machine.Running && steps < clock.MaxSteps) {
        int64_t now = std::min(hwDue, cpuDue);
        for (int64_t due : deviceDue) {
            now = std::min(now, due);
        }
        for (size_t i = 0; i < devices.size(); ++i) {
            if (deviceDue[i] == now) {
                devices[i]->Timer1Timer();
                deviceDue[i] = now + devices[i]->TimerInterval();
            }
        }
        if (hwDue == now) {
            control.TimerHWTimer();
            hwDue += clock.HwTimerMs;
        }
        if (cpuDue == now) {
            if (machine.Machine.Running) {
                control.TimerCPUTimer();
                ++steps;
            }
            cpuDue += clock.CpuClockMs;
        }
    }
    return steps;
}
