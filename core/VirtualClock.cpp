#include "core/VirtualClock.h"

#include <algorithm>
#include <limits>

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
              const ClockSettings& settings, ClockHooks hooks)
        : machine_(machine), control_(control), devices_(devices), hooks_(std::move(hooks)),
          now_(hooks_.NowMs ? hooks_.NowMs : &unwatched_),
          clock_(Within(settings.CpuClockMs, CpuClockLimit)),
          hwInterval_(Within(settings.HwTimerMs, HwTimerLimit)),
          maxSteps_(Within(settings.MaxSteps, StepCountLimit)), hwDue_(hwInterval_),
          cpuDue_(clock_) {
        for (const TimedDevice* device : devices) {
            deviceDue_.push_back(DeviceInterval(*device));
        }
        std::stable_sort(
            hooks_.Actions.begin(), hooks_.Actions.end(),
            [](const TimedAction& a, const TimedAction& b) { return a.AtMs < b.AtMs; });
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
        int64_t next = std::min(hwDue_, NextActionTime());
        for (int64_t due : deviceDue_) {
            next = std::min(next, due);
        }
        return next;
    }

    int64_t NextActionTime() const {
        return nextAction_ < hooks_.Actions.size() ? hooks_.Actions[nextAction_].AtMs
                                                   : std::numeric_limits<int64_t>::max();
    }

    // Nothing but the CPU clock falls before `next`: step without looking at other timers.
    void StepUntil(int64_t next) {
        const int64_t ticks = std::min((next - cpuDue_ + clock_ - 1) / clock_, maxSteps_ - steps_);
        int64_t made = 0;
        while (made < ticks && machine_.Machine.Running) {
            *now_ = cpuDue_ + made * clock_;
            machine_.ButtonStepClick();
            AnswerAwaitedKey();
            ++made;
        }
        steps_ += made;
        cpuDue_ += ticks * clock_;
    }

    void CpuTick() {
        if (machine_.Machine.Running) {
            *now_ = cpuDue_;
            control_.TimerCPUTimer();
            AnswerAwaitedKey();
            ++steps_;
        }
        cpuDue_ += clock_;
    }

    void AnswerAwaitedKey() {
        if (machine_.AwaitingKey() && hooks_.KeyAwaited) {
            hooks_.KeyAwaited();
        }
    }

    void FireAt(int64_t now) {
        *now_ = now;
        for (size_t i = 0; i < devices_.size(); ++i) {
            if (deviceDue_[i] == now) {
                devices_[i]->Timer1Timer();
                deviceDue_[i] = now + DeviceInterval(*devices_[i]);
                if (hooks_.AfterDeviceTick) {
                    hooks_.AfterDeviceTick();
                }
            }
        }
        for (; NextActionTime() == now; ++nextAction_) {
            hooks_.Actions[nextAction_].Act();
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
    ClockHooks hooks_;
    int64_t unwatched_ = 0;
    int64_t* const now_;
    size_t nextAction_ = 0;
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
                            const std::vector<TimedDevice*>& devices, const ClockSettings& settings,
                            ClockHooks hooks) {
    return Scheduler(machine, control, devices, settings, std::move(hooks)).Run();
}
