#pragma once

#include <string>

#include "core/RunEnd.h"

class Taaa;

// Run, Continue, Stop, CPU Reset and the two clocks' intervals. A Scheduler runs the clocks
// at these intervals and calls the tick handlers.
class RunControl {
  public:
    explicit RunControl(Taaa& machine) : machine_(machine) {}

    static constexpr int FastestClock = 2;
    static constexpr int SlowestClock = 4096;
    static constexpr int ShortestHwInterval = 1000;
    static constexpr int LongestHwInterval = 10000;

    // The timers' intervals in milliseconds. Whatever sets them, the clock stays within
    // what Slower and Faster reach and the hardware timer within what Reduce and Increase
    // reach, so doubling or halving never leaves that range.
    int CpuClockInterval() const { return cpuClockInterval_; }
    int HwTimerInterval() const { return hwTimerInterval_; }
    void SetCpuClockInterval(int milliseconds);
    void SetHwTimerInterval(int milliseconds);
    // corvane-cli's --clock and --hw-timer, which have ranges of their own beyond the
    // buttons': the values are taken as they are.
    void SetIntervalsExactly(int cpuClockMs, int hwTimerMs) {
        cpuClockInterval_ = cpuClockMs;
        hwTimerInterval_ = hwTimerMs;
    }

    void ButtonRunClick();
    void ButtonContinuousClick();
    void ButtonStopClick();
    void ButtonResetClick();
    void ButtonSlowClick();
    void ButtonFastClick();
    void ButtonIntervalReduceClick();
    void ButtonIntervalIncreaseClick();

    // Each tick reports how it ended the run (None: the run goes on, or none was running).
    RunEnd TimerCPUTimer();
    RunEnd TimerHWTimer();

    // "Hardware Timer Interval = 5 Seconds"
    std::string HwTimerCaption() const;
    // "1000 ms · 1 step/s" in UTF-8: the interval and the steps a second it gives, to three
    // figures ("4096 ms · 0.244 steps/s").
    std::string CpuClockCaption() const;

  private:
    void PrepareRun();
    Taaa& machine_;
    int cpuClockInterval_ = 128; // TimerCPU, until the settings are read
    int hwTimerInterval_ = 5000; // TimerHW
};
