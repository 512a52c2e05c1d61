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

    int CpuClockInterval = 128; // TimerCPU, until the settings are read
    int HwTimerInterval = 5000; // TimerHW

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

  private:
    void PrepareRun();
    Taaa& machine_;
};
