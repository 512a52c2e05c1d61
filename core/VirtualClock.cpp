#include "core/VirtualClock.h"

#include <algorithm>

#include "core/Assem.h"
#include "core/RunControl.h"

namespace {

int64_t Within(int64_t value, ClockLimit limit) {
    return std::clamp(value, limit.Least, limit.Most);
}

// A device asking for no interval at all would stop time.
int64_t DeviceInterval(const TimedDevice& device) {
    return std::max(1, device.TimerInterval());
}

class Scheduler {
  public:
    Scheduler(Taaa& machine, RunControl& control, const std::vector<TimedDevice*>& devices,
              const ClockSettings& settings)
        : machine_(machine), control_(control), devices_(devices),
          clock_(Within(settings.CpuClockMs, CpuClockLimit)),
          hwInterval_(Within(settings.HwTimerMs, HwTimerLimit)),
          maxSteps_(Within(settings.MaxSteps, StepCountLimit)), hwDue_(hwInterval_),
          cpuDue_(clock_) {
        for (const TimedDevice* device : devices) {
            deviceDue_.push_back(DeviceInterval(*device));
        }
    }

    RunOutcome Run() {
        while (Going()) {
            const int64_t next = NextOtherEvent();
            if (cpuDue_ < next) {
                StepUntil(next);
            } else {
                FireAt(next);
            }
        }
        return {steps_, machine_.Machine.Running ? RunEnd::StepLimit : machine_.Ended};
    }

  private:
    bool Going() const { return machine_.Machine.Running && steps_ < maxSteps_; }

    int64_t NextOtherEvent() const {
        int64_t next = hwDue_;
        for (int64_t due : deviceDue_) {
            next = std::min(next, due);
        }
        return next;
    }

    // Nothing but the CPU clock falls before `next`: step without looking at other timers.
    void StepUntil(int64_t next) {
        const int64_t ticks = std::min((next - cpuDue_ + clock_ - 1) / clock_, maxSteps_ - steps_);
        int64_t made = 0;
        while (made < ticks && machine_.Machine.Running) {
            machine_.ButtonStepClick();
            ++made;
        }
        steps_ += made;
        cpuDue_ += ticks * clock_;
    }

    void CpuTick() {
        if (machine_.Machine.Running) {
            control_.TimerCPUTimer();
            ++steps_;
        }
        cpuDue_ += clock_;
    }

    void FireAt(int64_t now) {
        for (size_t i = 0; i < devices_.size(); ++i) {
            if (deviceDue_[i] == now) {
                devices_[i]->Timer1Timer();
                deviceDue_[i] = now + DeviceInterval(*devices_[i]);
            }
        }
        if (hwDue_ == now) {
            control_.TimerHWTimer();
            hwDue_ += hwInterval_;
        }
        if (cpuDue_ == now && steps_ < maxSteps_) {
            CpuTick();
        }
    }

    Taaa& machine_;
    RunControl& control_;
    const std::vector<TimedDevice*>& devices_;
    const int64_t clock_;
    const int64_t hwInterval_;
    const int64_t maxSteps_;
    std::vector<int64_t> deviceDue_;
    int64_t hwDue_;
    int64_t cpuDue_;
    int64_t steps_ = 0;
};

} // namespace

RunOutcome RunInVirtualTime(Taaa& machine, RunControl& control,
                            const std::vector<TimedDevice*>& devices,
                            const ClockSettings& settings) {
    return Scheduler(machine, control, devices, settings).Run();
}
