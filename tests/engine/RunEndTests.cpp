#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/VirtualClock.h"
#include "support/TestMachine.h"

namespace {

struct StepEnd {
    const char* Name;
    const char* Source;
    int Steps; // the last of them ends the run
    RunEnd Ended;
};

void PrintTo(const StepEnd& c, std::ostream* os) {
    *os << c.Name;
}

class StepEnds : public ::testing::TestWithParam<StepEnd> {};

// Every step before the last reports None; the last reports how it ended the run and gives
// the editor back.
TEST_P(StepEnds, TheStepReportsHowItEndedTheRun) {
    const StepEnd& c = GetParam();
    TestMachine m(c.Source);
    ASSERT_TRUE(m.Assemble());
    m.control.ButtonRunClick();
    for (int step = 1; step < c.Steps; ++step) {
        EXPECT_EQ(m.control.TimerCPUTimer(), RunEnd::None) << step;
    }
    EXPECT_EQ(m.control.TimerCPUTimer(), c.Ended);
    EXPECT_EQ(m.machine.Ended, c.Ended);
    EXPECT_FALSE(m.machine.Machine.Running);
    EXPECT_FALSE(m.ui.EditorReadOnly());
    EXPECT_FALSE(m.ui.EditorGrey());
    // A stopped machine's clock tick does nothing and ends nothing.
    EXPECT_EQ(m.control.TimerCPUTimer(), RunEnd::None);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, StepEnds,
    ::testing::Values(StepEnd{"HALT", "NOP\nHALT\nEND\n", 2, RunEnd::Halt},
                      StepEnd{"END byte", "NOP\nEND\n", 2, RunEnd::Halt},
                      StepEnd{"illegal op code", "NOP\nDB 01\nEND\n", 2, RunEnd::Error},
                      StepEnd{"stack underflow", "POP AL\nEND\n", 1, RunEnd::Error},
                      StepEnd{"divide by zero", "MOV AL,5\nDIV AL,0\nEND\n", 2,
                              RunEnd::DivideByZero}));

// An execution error belongs to the instruction at IP when its step began, even when the
// instruction has moved IP before it failed.
TEST(ErrorReports, AnExecutionErrorIsPlacedAtItsInstruction) {
    TestMachine m("JMP T\nORG 70\nT:\nJMP S\nORG C0\nS:\nCALL D0\nORG D0\nJMP S\nEND\n");
    ASSERT_TRUE(m.Assemble());
    EXPECT_TRUE(m.machine.Errors.empty());
    m.control.ButtonRunClick();
    const RunOutcome run = RunInVirtualTime(m.machine, m.control, {}, {1, 100000, 1000});
    EXPECT_EQ(run.Ended, RunEnd::Error);
    ASSERT_EQ(m.machine.Errors.size(), 1u);
    const ErrorReport& error = m.machine.Errors[0];
    EXPECT_EQ(error.Message, "Stack overflow.");
    EXPECT_TRUE(error.OfProgram);
    // "CALL D0" begins after six lines of 26 characters and their CR LF: 38.
    EXPECT_EQ(error.SourceStart, std::optional<int32_t>(38));
}

TEST(ErrorReports, AssemblerErrorsInOrderAndBoxesWithoutAPlace) {
    TestMachine m(std::string(32767, 'A'));
    m.Assemble();
    ASSERT_EQ(m.machine.Errors.size(), 2u);
    EXPECT_EQ(m.machine.Errors[0].Message, "Block read error");
    EXPECT_FALSE(m.machine.Errors[0].OfProgram);
    EXPECT_TRUE(m.machine.Errors[1].OfProgram);
    EXPECT_EQ(m.machine.Errors[1].SourceStart, std::optional<int32_t>(0));
    // The next assembly starts a new list.
    m.Load("INC QL\nEND\n");
    m.Assemble();
    ASSERT_EQ(m.machine.Errors.size(), 1u);
    EXPECT_EQ(m.machine.Errors[0].SourceStart, std::optional<int32_t>(4));
}

// An interrupt that overflows the stack ends the run with an error.
TEST(RunEnds, AnInterruptThatOverflowsTheStackIsAnError) {
    TestMachine m("STI\nL:\nJMP L\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.control.ButtonRunClick();
    m.control.TimerCPUTimer();
    m.machine.Machine.SetRegister(SP, 0, false);
    EXPECT_EQ(m.control.TimerHWTimer(), RunEnd::Error);
    EXPECT_EQ(m.machine.Errors.back().Message, "Stack overflow.");
}

// At the same instant the hardware timer fires before the CPU clock: the interrupt of the
// third second is taken before that second's step.
TEST(VirtualTime, TheHardwareTimerFiresBeforeTheStepOfTheSameInstant) {
    TestMachine m("JMP S\nDB 50\nS:\nSTI\nL:\nJMP L\nORG 50\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.control.ButtonRunClick();
    const RunOutcome run = RunInVirtualTime(m.machine, m.control, {}, {1000, 1000, 100});
    EXPECT_EQ(run.Steps, 3);
    EXPECT_EQ(run.Ended, RunEnd::Halt);
}

TEST(VirtualTime, TheStepLimitIsAnEnd) {
    TestMachine m("L:\nJMP L\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.control.ButtonRunClick();
    const RunOutcome run = RunInVirtualTime(m.machine, m.control, {}, {3, 7, 250});
    EXPECT_EQ(run.Steps, 250);
    EXPECT_EQ(run.Ended, RunEnd::StepLimit);
    EXPECT_TRUE(m.machine.Machine.Running);
}

// Settings beyond their limits are taken as the limits: no time can overflow, and no
// setting can stop time.
TEST(VirtualTime, SettingsOutsideTheLimitsAreHeldToThem) {
    constexpr int64_t Huge = std::numeric_limits<int64_t>::max();
    struct Case {
        ClockSettings Settings;
        int64_t Steps;
    };
    for (const Case& c : {Case{{Huge, Huge, Huge}, 3}, Case{{0, 0, 0}, 1}, Case{{-5, -5, 2}, 2}}) {
        TestMachine m("NOP\nNOP\nHALT\nEND\n");
        ASSERT_TRUE(m.Assemble());
        m.control.ButtonRunClick();
        const RunOutcome run = RunInVirtualTime(m.machine, m.control, {}, c.Settings);
        EXPECT_EQ(run.Steps, c.Steps);
    }
}

} // namespace
