#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/Scheduler.h"
#include "support/TestMachine.h"

namespace {

// A device timer that counts its ticks.
struct CountingDevice : TimedDevice {
    int TimerInterval() const override { return 300; }
    void Timer1Timer() override { ++Ticks; }
    int Ticks = 0;
};

// A machine with a scheduler, a counting device and the clock intervals given.
struct ClockedMachine : TestMachine {
    CountingDevice device;
    Scheduler clock{machine, control, {&device}};

    ClockedMachine(std::string_view source, int cpuMs, int hwMs) : TestMachine(source) {
        control.SetIntervalsExactly(cpuMs, hwMs);
    }
    bool Running() const { return machine.Machine.Running; }
};

// 00 MOV AL,0; 03 INC AL; 05 JMP 03.
const char* const Counter = "MOV AL,0\nL:\nINC AL\nJMP L\nEND\n";
// Interrupts on; the hardware timer's routine at 50 counts in AL.
const char* const Interrupted = "JMP S\nDB 50\nS:\nSTI\nL:\nJMP L\nORG 50\nINC AL\nIRET\nEND\n";

struct BreakpointCase {
    const char* Name;
    const char* Source;
    int Breakpoint;
    int64_t Steps; // made before the run stops
    int64_t StopMs;
};

void PrintTo(const BreakpointCase& c, std::ostream* os) {
    *os << c.Name;
}

class BreakpointStops : public ::testing::TestWithParam<BreakpointCase> {};

// The run stops before the instruction at the breakpoint, as Stop stops it, at the tick that
// found it; the machine and the editor are as Stop leaves them.
TEST_P(BreakpointStops, BeforeTheInstructionAtTheBreakpoint) {
    const BreakpointCase& c = GetParam();
    ClockedMachine m(c.Source, 100, 1000);
    ASSERT_TRUE(m.Assemble());
    m.clock.Breakpoints.set(c.Breakpoint);
    m.control.ButtonRunClick();
    const SliceReport report = m.clock.RunFor(5000);
    EXPECT_EQ(report.How, SliceEnd::Breakpoint);
    EXPECT_EQ(report.Ended, RunEnd::None);
    EXPECT_EQ(report.Steps, c.Steps);
    EXPECT_EQ(m.clock.NowMs(), c.StopMs);
    EXPECT_EQ(m.RegLow(IP), c.Breakpoint);
    EXPECT_EQ(m.Reg(AL), 0);
    EXPECT_FALSE(m.Running());
    EXPECT_FALSE(m.ui.EditorReadOnly());
}

INSTANTIATE_TEST_SUITE_P(
    Breakpoints, BreakpointStops,
    ::testing::Values(BreakpointCase{"at the first instruction", Counter, 0x00, 0, 100},
                      BreakpointCase{"inside a loop", Counter, 0x03, 1, 200},
                      // The interrupt of the tenth tick moves IP to 50 before that tick's step.
                      BreakpointCase{"at an interrupt routine", Interrupted, 0x50, 9, 1000}));

TEST(Breakpoints, GoingOnExecutesTheBreakpointsInstructionAndStopsThereNextTime) {
    ClockedMachine m(Counter, 100, 100000);
    ASSERT_TRUE(m.Assemble());
    m.clock.Breakpoints.set(0x03);
    m.control.ButtonRunClick();
    EXPECT_EQ(m.clock.RunFor(5000).Steps, 1);
    m.control.ButtonContinuousClick();
    const SliceReport again = m.clock.RunFor(5000);
    EXPECT_EQ(again.How, SliceEnd::Breakpoint);
    EXPECT_EQ(again.Steps, 2);
    EXPECT_EQ(m.Reg(AL), 1);
    m.clock.Breakpoints.reset();
    m.control.ButtonContinuousClick();
    const SliceReport free = m.clock.RunFor(1000);
    EXPECT_EQ(free.How, SliceEnd::TimeUsed);
    EXPECT_EQ(free.Steps, 10);
}

TEST(Breakpoints, ASingleStepIsNotStopped) {
    ClockedMachine m(Counter, 100, 100000);
    ASSERT_TRUE(m.Assemble());
    m.clock.Breakpoints.set(0x00);
    const SliceReport step = m.clock.Step();
    EXPECT_EQ(step.How, SliceEnd::TimeUsed);
    EXPECT_EQ(step.Steps, 1);
    EXPECT_EQ(m.RegLow(IP), 0x03);
}

// Time goes on whether a program runs or not; a slice comes back early only when the run
// ends or has made the steps asked for, and the next slice goes on from there.
TEST(RunFor, AdvancesTimeAndComesBackWhenTheRunEnds) {
    struct Slice {
        int64_t Ms;
        int64_t MaxSteps;
        SliceEnd How;
        int64_t Steps;
        int64_t NowMs;
    };
    struct Case {
        const char* Name;
        const char* Source;
        bool Run;
        std::vector<Slice> Slices;
    };
    constexpr int64_t Any = Scheduler::NoStepLimit;
    const Case cases[] = {
        {"slices of any length",
         Counter,
         true,
         {{29, Any, SliceEnd::TimeUsed, 2, 29},
          {1, Any, SliceEnd::TimeUsed, 1, 30},
          {0, Any, SliceEnd::TimeUsed, 0, 30},
          {70, Any, SliceEnd::TimeUsed, 7, 100}}},
        {"no program running", Counter, false, {{1000, Any, SliceEnd::TimeUsed, 0, 1000}}},
        {"the run halts",
         "NOP\nNOP\nHALT\nEND\n",
         true,
         {{std::numeric_limits<int64_t>::max(), Any, SliceEnd::RunEnded, 3, 30},
          {20, Any, SliceEnd::TimeUsed, 0, 50}}},
        {"a step limit",
         Counter,
         true,
         {{1000, 4, SliceEnd::StepLimit, 4, 40}, {15, 4, SliceEnd::TimeUsed, 1, 55}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ClockedMachine m(c.Source, 10, 100000);
        ASSERT_TRUE(m.Assemble());
        if (c.Run) {
            m.control.ButtonRunClick();
        }
        for (const Slice& slice : c.Slices) {
            const SliceReport report = m.clock.RunFor(slice.Ms, slice.MaxSteps);
            EXPECT_EQ(report.How, slice.How);
            EXPECT_EQ(report.Steps, slice.Steps);
            EXPECT_EQ(m.clock.NowMs(), slice.NowMs);
            EXPECT_EQ(report.Ended, slice.How == SliceEnd::RunEnded ? RunEnd::Halt : RunEnd::None);
        }
    }
}

// The clock ticks from the scheduler's start whether a program runs or not: a run started
// later steps at the same ticks.
TEST(RunFor, ARunStartedLaterStepsAtTheClocksTicks) {
    ClockedMachine m(Counter, 10, 100000);
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.clock.RunFor(1005).Steps, 0);
    m.control.ButtonRunClick();
    EXPECT_EQ(m.clock.RunFor(5).Steps, 1);
    EXPECT_EQ(m.clock.RunFor(9).Steps, 0);
    EXPECT_EQ(m.clock.RunFor(1).Steps, 1);
}

// Faster and Reduce start their clock again from the moment they are pressed, as a timer
// given a new interval does.
TEST(RunFor, AClockGivenANewIntervalStartsAgainFromThePresent) {
    ClockedMachine fast(Counter, 1000, 100000);
    ASSERT_TRUE(fast.Assemble());
    fast.control.ButtonRunClick();
    EXPECT_EQ(fast.clock.RunFor(1300).Steps, 1);
    fast.control.ButtonFastClick(); // 500 ms from 1300
    EXPECT_EQ(fast.clock.RunFor(600).Steps, 1);
    EXPECT_EQ(fast.clock.RunFor(399).Steps, 0);
    EXPECT_EQ(fast.clock.RunFor(1).Steps, 1);

    ClockedMachine reduced(Interrupted, 10, 5000);
    ASSERT_TRUE(reduced.Assemble());
    reduced.control.ButtonRunClick();
    reduced.clock.RunFor(4500);
    for (int press = 0; press < 4; ++press) {
        reduced.control.ButtonIntervalReduceClick(); // 1000 ms from 4500
    }
    reduced.clock.RunFor(999);
    EXPECT_EQ(reduced.Reg(AL), 0);
    reduced.clock.RunFor(1); // the interrupt, then INC AL
    EXPECT_EQ(reduced.Reg(AL), 1);
}

// While held, the CPU clock and the hardware timer pass their ticks by; device timers go on.
TEST(RunFor, HeldClocksLetTheirTicksPassAndTheDevicesGoOn) {
    ClockedMachine m(Interrupted, 100, 1000);
    ASSERT_TRUE(m.Assemble());
    m.control.ButtonRunClick();
    EXPECT_EQ(m.clock.RunFor(300).Steps, 3);
    EXPECT_EQ(m.device.Ticks, 1);
    m.clock.ClocksHeld = true;
    EXPECT_EQ(m.clock.RunFor(1000).Steps, 0); // past the hardware timer's tick at 1000
    EXPECT_EQ(m.device.Ticks, 4);
    m.clock.ClocksHeld = false;
    EXPECT_EQ(m.clock.RunFor(700).Steps, 7); // the interrupt at 2000 comes before its step
    EXPECT_EQ(m.Reg(AL), 1);
    EXPECT_EQ(m.RegLow(IP), 0x52);
}

// Step goes to the CPU clock's next tick, doing on the way and at that instant all that the
// device timers and the hardware timer have due, and executes one instruction there.
TEST(ScheduledStep, ExecutesOneInstructionAtTheNextTickAfterAllThatFallsDueUpToIt) {
    ClockedMachine m(Interrupted, 1000, 1000);
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.clock.Step().Steps, 1); // stopped: one instruction all the same
    EXPECT_EQ(m.clock.NowMs(), 1000);
    EXPECT_EQ(m.device.Ticks, 3);
    EXPECT_EQ(m.RegLow(IP), 0x03);
    m.control.ButtonContinuousClick();
    m.clock.Step(); // STI at 2000
    m.clock.Step(); // the interrupt at 3000, then INC AL
    EXPECT_EQ(m.Reg(AL), 1);
    EXPECT_EQ(m.RegLow(IP), 0x52);

    ClockedMachine halting("HALT\nEND\n", 10, 1000);
    ASSERT_TRUE(halting.Assemble());
    halting.control.ButtonRunClick();
    const SliceReport halted = halting.clock.Step();
    EXPECT_EQ(halted.How, SliceEnd::RunEnded);
    EXPECT_EQ(halted.Ended, RunEnd::Halt);
}

} // namespace

namespace {

// Starting over is as a new scheduler: time and the device timer from 0, and the new actions
// done at their times from there, also after the old actions and time had gone far beyond.
TEST(SchedulerStartOver, RunsFromTimeZeroWithTheNewActions) {
    ClockedMachine m(Counter, 100, 1000);
    ASSERT_TRUE(m.Assemble());
    std::vector<int64_t> acted;
    m.control.ButtonRunClick();
    m.clock.RunFor(2000);
    m.clock.StartOver({{500, [&] { acted.push_back(m.clock.NowMs()); }},
                       {250, [&] { acted.push_back(m.clock.NowMs()); }}},
                      {});
    EXPECT_EQ(m.clock.NowMs(), 0);
    const int ticksBefore = m.device.Ticks;
    const SliceReport report = m.clock.RunFor(600);
    EXPECT_EQ(acted, (std::vector<int64_t>{250, 500}));
    EXPECT_EQ(m.device.Ticks - ticksBefore, 2); // at 300 and 600
    EXPECT_EQ(report.Steps, 6);                 // at 100, 200 ... 600
}

} // namespace
