#pragma once

// Simulated time, one scheduler for every front end. It advances the CPU clock, the hardware
// timer, the device timers and a front end's timed actions in one fixed order and comes back
// when the time asked for is used up, the run ends or a breakpoint is reached:
//
//     Scheduler clock(machine, control, devices.Timers());
//     control.ButtonRunClick();
//     const SliceReport report = clock.RunFor(40); // 40 ms of simulated time at most
//     if (report.How == SliceEnd::RunEnded) { /* report.Ended says how */ }
//
// The workbench calls RunFor with the real time that has passed since its last call;
// corvane-cli runs a program to its end through RunInVirtualTime (core/VirtualClock.h).

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "core/RunEnd.h"
#include "core/TimedDevice.h"

class RunControl;
class Taaa;

// Something done at a simulated time, as a click in a device window would be.
struct TimedAction {
    int64_t AtMs = 0;
    std::function<void()> Act;
};

// What a front end adds to the timers: actions at their times (in any order; those due at
// the same instant keep their order), a place where the current simulated time is kept for
// whoever records what happens, a call after every device timer's tick, a call when a
// step leaves IN 00 awaiting a key, at that step's time: the key it supplies lets the run go
// on at once (a key left unsupplied ends the slice there), and a call after every
// instruction, with the clocks standing as a slice that ended there would leave them.
struct ClockHooks {
    std::vector<TimedAction> Actions;
    int64_t* NowMs = nullptr;
    std::function<void()> AfterDeviceTick;
    std::function<void()> KeyAwaited;
    std::function<void()> AfterStep;
};

// Where simulated time stands, in milliseconds from the scheduler's start: the present, and
// each timer's interval and next tick. Fixed in size, so copying it never allocates.
struct ClockPhases {
    static constexpr int NoAddress = -1;
    static constexpr size_t MaxDevices = 4;
    int64_t NowMs = 0;
    int64_t CpuIntervalMs = 0;
    int64_t CpuDueMs = 0;
    int64_t HwIntervalMs = 0;
    int64_t HwDueMs = 0;
    std::array<int64_t, MaxDevices> DeviceDueMs{}; // in the order of the devices
    size_t ActionsDone = 0;
    // The breakpoint a run last stopped at: the next step executes its instruction.
    int PassBreakpointAt = NoAddress;

    bool operator==(const ClockPhases&) const = default;
};

// Why RunFor or Step came back.
enum class SliceEnd {
    TimeUsed,    // the time asked for has passed, or the single step is made
    RunEnded,    // the run ended; SliceReport::Ended says how
    Breakpoint,  // the run stopped before the instruction at a breakpoint
    StepLimit,   // the most steps asked for were made
    AwaitingKey, // the time has passed, and IN 00 still waits for its key
};

struct SliceReport {
    SliceEnd How = SliceEnd::TimeUsed;
    RunEnd Ended = RunEnd::None;
    int64_t Steps = 0; // instructions executed
};

// At one instant the device timers tick first (in the order given), then the actions due,
// then the hardware timer, then the CPU clock. Every timer ticks at its interval from the
// scheduler's start; the CPU clock and the hardware timer take their intervals from
// `control`, and one given a new interval starts again from the present, as a timer does. A
// device may change its interval at any tick.
class Scheduler {
  public:
    static constexpr int64_t NoStepLimit = std::numeric_limits<int64_t>::max();

    Scheduler(Taaa& machine, RunControl& control, std::vector<TimedDevice*> devices,
              ClockHooks hooks = {});
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    // Addresses that a run stops before, as Stop stops it but ending with
    // RunEnd::Breakpoint. Going on from there executes the instruction at the breakpoint; a
    // single Step is never stopped.
    std::bitset<256> Breakpoints;
    // While set, the CPU clock and the hardware timer tick without acting, as the
    // workbench's do while one of its boxes waits for an answer. Device timers go on.
    bool ClocksHeld = false;

    // Advances simulated time by `ms`, or less when the run ends, reaches a breakpoint or
    // has made `maxSteps` steps; time goes on whether a program runs or not. A slice may be
    // as long as wanted: it ends, at the latest, far beyond any run. Neither this nor
    // Step may be called from inside one of the scheduler's own steps.
    SliceReport RunFor(int64_t ms, int64_t maxSteps = NoStepLimit);
    // Advances to the next tick of the CPU clock, doing all that falls due before it and at
    // it, and executes one instruction there, running or not.
    SliceReport Step();

    // The next run stops at a breakpoint also where the last one stopped (going on from a
    // breakpoint would pass it): a run from the top stops at every breakpoint again.
    void StopAtEveryBreakpoint() { phases_.PassBreakpointAt = ClockPhases::NoAddress; }

    // Time starts again from 0, as in a scheduler just made, with these actions and this
    // answer to an awaited key in place of those it had: a run replayed from its start.
    void StartOver(std::vector<TimedAction> actions, std::function<void()> keyAwaited);

    int64_t NowMs() const { return phases_.NowMs; }
    const ClockPhases& Phases() const { return phases_; }
    // Puts simulated time back where it stood: every timer and the actions done.
    void Restore(const ClockPhases& phases) { SetNow((phases_ = phases).NowMs); }

  private:
    void Begin();
    void FollowIntervals();
    void SetNow(int64_t ms) {
        phases_.NowMs = ms;
        *published_ = ms;
    }
    bool Stepping() const;
    bool SliceOver();
    int64_t NextOtherEvent() const;
    int64_t NextActionTime() const;
    void StepUntil(int64_t bound);
    template <bool Unwatched> void StepTicks(int64_t most);
    bool AtBreakpoint() const;
    void AnswerAwaitedKey();
    void StopAtBreakpoint();
    void FireAt(int64_t now);
    void FireOthersAt(int64_t now);

    Taaa& machine_;
    RunControl& control_;
    const std::vector<TimedDevice*> devices_;
    ClockHooks hooks_;
    ClockPhases phases_;
    int64_t* const published_;
    // The slice in progress.
    int64_t maxSteps_ = NoStepLimit;
    bool wasRunning_ = false;
    SliceReport report_;
};
