#include "core/RunControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/Assem.h"

void RunControl::PrepareRun() {
    machine_.Report.SetEditor(EditorCommand::Lock);
    const bool assembles = machine_.Machine.NeedsAssembly;
    if (assembles) {
        machine_.ButtonAssembleClick();
    }
    if (machine_.EnterRunMode()) {
        return;
    }
    // Nothing runs, so the student gets the editor back at once. An assembly that has just
    // failed has already said why.
    machine_.Report.SetEditor(EditorCommand::Unlock);
    if (!assembles) {
        machine_.ShowStatus("Assemble the program again before running it.", StatusStyle::Error);
    }
}

void RunControl::ButtonRunClick() {
    if (machine_.Assembling) {
        return;
    }
    machine_.Machine.CpuReset();
    machine_.Ui.ClearRunLog();
    PrepareRun();
}

void RunControl::ButtonContinuousClick() {
    if (machine_.Assembling) {
        return;
    }
    PrepareRun();
}

void RunControl::ButtonStopClick() {
    machine_.LeaveRunMode();
}

void RunControl::ButtonResetClick() {
    machine_.LeaveRunMode();
    machine_.Machine.CpuReset();
    machine_.ShowCurrentInstruction();
}

void RunControl::SetCpuClockInterval(int milliseconds) {
    cpuClockInterval_ = std::clamp(milliseconds, FastestClock, SlowestClock);
}

void RunControl::SetHwTimerInterval(int milliseconds) {
    hwTimerInterval_ = std::clamp(milliseconds, ShortestHwInterval, LongestHwInterval);
}

void RunControl::ButtonSlowClick() {
    SetCpuClockInterval(cpuClockInterval_ * 2);
}

void RunControl::ButtonFastClick() {
    SetCpuClockInterval(cpuClockInterval_ / 2);
}

void RunControl::ButtonIntervalReduceClick() {
    if (hwTimerInterval_ >= ShortestHwInterval + 1000) {
        hwTimerInterval_ -= 1000;
    }
}

void RunControl::ButtonIntervalIncreaseClick() {
    if (hwTimerInterval_ <= LongestHwInterval - 1000) {
        hwTimerInterval_ += 1000;
    }
}

RunEnd RunControl::TimerCPUTimer() {
    return machine_.Machine.Running ? machine_.ButtonStepClick() : RunEnd::None;
}

RunEnd RunControl::TimerHWTimer() {
    return machine_.RaiseInterrupt(0x02);
}

namespace {

// The steps a second to `decimals` places, ties to even, without trailing zeros. Worked out
// in whole numbers: the browser's C++ library has no to_chars for floating point.
std::string StepsPerSecondText(int intervalMs, int decimals) {
    int64_t scale = 1;
    for (int place = 0; place < decimals; ++place) {
        scale *= 10;
    }
    const auto scaled = static_cast<int64_t>(
        std::nearbyint(static_cast<double>(1000 * scale) / static_cast<double>(intervalMs)));
    std::string fraction = std::to_string(scaled % scale + scale).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    const std::string whole = std::to_string(scaled / scale);
    return fraction.empty() ? whole : whole + '.' + fraction;
}

} // namespace

std::string RunControl::CpuClockCaption() const {
    const double perSecond = 1000.0 / cpuClockInterval_;
    const int decimals = perSecond >= 100 ? 0 : perSecond >= 10 ? 1 : perSecond >= 1 ? 2 : 3;
    const std::string steps = StepsPerSecondText(cpuClockInterval_, decimals);
    const char* const middleDot = "\xC2\xB7";
    return std::to_string(cpuClockInterval_) + " ms " + middleDot + " " + steps +
           (steps == "1" ? " step/s" : " steps/s");
}

std::string RunControl::HwTimerCaption() const {
    return "Hardware Timer Interval = " + std::to_string(hwTimerInterval_ / 1000) + " Seconds";
}
