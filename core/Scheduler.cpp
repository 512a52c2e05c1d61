#include "core/Scheduler.h"

#include <algorithm>
#include <stdexcept>

#include "core/Assem.h"
#include "core/RunControl.h"

namespace {

// Far beyond any run, and far enough from the end of int64_t that no due time overflows.
constexpr int64_t LastInstant = std::numeric_limits<int64_t>::max() / 2;

// An interval of none at all would stop time.
int64_t AtLeastOne(int interval) {
    return std::max(1, interval);
}

} // namespace

Scheduler::Scheduler(Taaa& machine, RunControl& control, std::vector<TimedDevice*> devices,
                     ClockHooks hooks)
    : machine_(machine), control_(control), devices_(std::move(devices)), hooks_(std::move(hooks)),
      published_(hooks_.NowMs ? hooks_.NowMs : &phases_.NowMs) {
    if (devices_.size() > ClockPhases::MaxDevices) {
        throw std::length_error("more timed devices than ClockPhases holds");
    }
    Begin();
}

void Scheduler::StartOver(std::vector<TimedAction> actions, std::function<void()> keyAwaited) {
    hooks_.Actions = std::move(actions);
    hooks_.KeyAwaited = std::move(keyAwaited);
    phases_ = {};
    SetNow(0);
    Begin();
}

// Time 0: every timer due one interval on, and the actions in the order they fall due.
void Scheduler::Begin() {
    for (size_t i = 0; i < devices_.size(); ++i) {
        phases_.DeviceDueMs[i] = AtLeastOne(devices_[i]->TimerInterval());
    }
    std::stable_sort(hooks_.Actions.begin(), hooks_.Actions.end(),
                     [](const TimedAction& a, const TimedAction& b) { return a.AtMs < b.AtMs; });
    FollowIntervals();
}

SliceReport Scheduler::RunFor(int64_t ms, int64_t maxSteps) {
    FollowIntervals();
    const int64_t until = phases_.NowMs + std::clamp<int64_t>(ms, 0, LastInstant - phases_.NowMs);
    maxSteps_ = maxSteps;
    wasRunning_ = machine_.Machine.Running;
    report_ = {};
    while (!SliceOver()) {
        const int64_t next = NextOtherEvent();
        if (phases_.CpuDueMs < next) {
            if (phases_.CpuDueMs > until) {
                break;
            }
            StepUntil(std::min(next, until + 1));
        } else {
            if (next > until) {
                break;
            }
            FireAt(next);
        }
    }
    if (report_.How == SliceEnd::TimeUsed) {
        SetNow(until);
        if (machine_.AwaitingKey()) {
            report_.How = SliceEnd::AwaitingKey;
        }
    }
    return report_;
}

SliceReport Scheduler::Step() {
    FollowIntervals();
    for (int64_t next = NextOtherEvent(); next <= phases_.CpuDueMs; next = NextOtherEvent()) {
        FireOthersAt(next);
    }
    SetNow(phases_.CpuDueMs);
    phases_.CpuDueMs += phases_.CpuIntervalMs;
    const RunEnd ended = machine_.ButtonStepClick();
    phases_.PassBreakpointAt = ClockPhases::NoAddress;
    AnswerAwaitedKey();
    if (hooks_.AfterStep) {
        hooks_.AfterStep();
    }
    if (machine_.AwaitingKey()) {
        return {SliceEnd::AwaitingKey, ended, 1};
    }
    return {ended == RunEnd::None ? SliceEnd::TimeUsed : SliceEnd::RunEnded, ended, 1};
}

void Scheduler::FollowIntervals() {
    const auto follow = [this](int wanted, int64_t& interval, int64_t& due) {
        if (AtLeastOne(wanted) != interval) {
            interval = AtLeastOne(wanted);
            due = phases_.NowMs + interval;
        }
    };
    follow(control_.CpuClockInterval(), phases_.CpuIntervalMs, phases_.CpuDueMs);
    follow(control_.HwTimerInterval(), phases_.HwIntervalMs, phases_.HwDueMs);
}

bool Scheduler::Stepping() const {
    return machine_.Machine.Running && !ClocksHeld;
}

// Also says why the slice is over, when the run has ended or made its steps.
bool Scheduler::SliceOver() {
    if (report_.How != SliceEnd::TimeUsed) {
        return true;
    }
    if (wasRunning_ && !machine_.Machine.Running && !machine_.AwaitingKey()) {
        report_.How = SliceEnd::RunEnded;
        report_.Ended = machine_.Ended;
    } else if (report_.Steps >= maxSteps_) {
        report_.How = SliceEnd::StepLimit;
    }
    return report_.How != SliceEnd::TimeUsed;
}

int64_t Scheduler::NextOtherEvent() const {
    int64_t next = std::min(phases_.HwDueMs, NextActionTime());
    for (size_t i = 0; i < devices_.size(); ++i) {
        next = std::min(next, phases_.DeviceDueMs[i]);
    }
    return next;
}

int64_t Scheduler::NextActionTime() const {
    return phases_.ActionsDone < hooks_.Actions.size() ? hooks_.Actions[phases_.ActionsDone].AtMs
                                                       : std::numeric_limits<int64_t>::max();
}

// Nothing but the CPU clock falls before `bound`: step without looking at other timers.
void Scheduler::StepUntil(int64_t bound) {
    const int64_t interval = phases_.CpuIntervalMs;
    const int64_t first = phases_.CpuDueMs;
    const int64_t ticks = (bound - first + interval - 1) / interval;
    if (!Stepping()) {
        phases_.CpuDueMs = first + ticks * interval;
        return;
    }
    const int64_t most = std::min(ticks, maxSteps_ - report_.Steps);
    // Every step observed (Step Back keeps one moment each) is a watched step too.
    if (Breakpoints.none() && !machine_.Settings.RunLog && !hooks_.AfterStep) {
        StepTicks<true>(most);
    } else {
        StepTicks<false>(most);
    }
}

// Steps at most `most` ticks of the CPU clock from the next one. The counts stay in locals
// here, where a long run spends its time. Unwatched: no run log, no breakpoints and no call
// after each step, so that the steps that only compute need not publish the time or report
// one by one.
template <bool Unwatched> void Scheduler::StepTicks(int64_t most) {
    const int64_t interval = phases_.CpuIntervalMs;
    const int64_t first = phases_.CpuDueMs;
    int64_t spent = 0; // ticks, one that found a breakpoint included
    int64_t made = 0;
    const bool watched = !Unwatched && Breakpoints.any();
    const bool observed = !Unwatched && static_cast<bool>(hooks_.AfterStep);
    bool atBreakpoint = false;
    while (made < most && machine_.Machine.Running) {
        if constexpr (Unwatched) {
            const int64_t quiet = machine_.StepUnwatched(most - made);
            if (quiet > 0) {
                made += quiet;
                spent += quiet;
                phases_.PassBreakpointAt = ClockPhases::NoAddress;
                SetNow(first + (spent - 1) * interval); // the last step's time
                if (made == most) {
                    break;
                }
            }
        }
        SetNow(first + spent * interval);
        ++spent;
        if (watched && AtBreakpoint()) {
            atBreakpoint = true;
            break;
        }
        phases_.PassBreakpointAt = ClockPhases::NoAddress;
        machine_.ButtonStepClick();
        AnswerAwaitedKey();
        ++made;
        if (observed) [[unlikely]] {
            phases_.CpuDueMs = first + spent * interval;
            hooks_.AfterStep();
        }
    }
    phases_.CpuDueMs = first + spent * interval;
    report_.Steps += made;
    if (atBreakpoint) {
        StopAtBreakpoint();
    }
}

void Scheduler::AnswerAwaitedKey() {
    if (machine_.AwaitingKey() && hooks_.KeyAwaited) {
        hooks_.KeyAwaited();
    }
}

bool Scheduler::AtBreakpoint() const {
    const int ip = machine_.Machine.RegisterLow(IP);
    return Breakpoints[ip] && ip != phases_.PassBreakpointAt;
}

void Scheduler::StopAtBreakpoint() {
    phases_.PassBreakpointAt = machine_.Machine.RegisterLow(IP);
    machine_.EndRun(RunEnd::Breakpoint);
    report_.How = SliceEnd::Breakpoint;
}

void Scheduler::FireAt(int64_t now) {
    FireOthersAt(now);
    if (phases_.CpuDueMs == now) {
        StepUntil(now + 1);
    }
}

void Scheduler::FireOthersAt(int64_t now) {
    SetNow(now);
    for (size_t i = 0; i < devices_.size(); ++i) {
        if (phases_.DeviceDueMs[i] == now) {
            devices_[i]->Timer1Timer();
            phases_.DeviceDueMs[i] = now + AtLeastOne(devices_[i]->TimerInterval());
            if (hooks_.AfterDeviceTick) {
                hooks_.AfterDeviceTick();
            }
        }
    }
    for (; NextActionTime() == now; ++phases_.ActionsDone) {
        hooks_.Actions[phases_.ActionsDone].Act();
    }
    if (phases_.HwDueMs == now) {
        phases_.HwDueMs += phases_.HwIntervalMs;
        if (!ClocksHeld) {
            control_.TimerHWTimer();
        }
    }
}
