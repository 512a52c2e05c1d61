#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeviceMachine.h"
#include "marking/QueuedKeys.h"

namespace {

struct KeyboardInputTest : ::testing::Test {
    DeviceMachine m{"MOV AL,55\nIN 00\nHALT\nEND\n"};
    std::vector<std::string> log;
    void SetUp() override {
        ASSERT_TRUE(m.Assemble());
        m.machine.Settings.RunLog = true;
        m.ui.OnRunLogLine = [this](std::string_view line) { log.emplace_back(line); };
    }
    // Runs up to IN 00, which then awaits its key.
    void RunToIn00() {
        m.Start();
        m.Tick(2);
        ASSERT_TRUE(m.machine.AwaitingKey());
    }
};

TEST_F(KeyboardInputTest, ATypedKeyGoesToALAndARunGoesOn) {
    RunToIn00();
    EXPECT_EQ(m.machine.SupplyKey('a'), RunEnd::None);
    EXPECT_FALSE(m.machine.AwaitingKey());
    EXPECT_EQ(m.RegLow(AL), 0x61);
    EXPECT_TRUE(m.Running());
    // Stepping, the machine stays stopped; a code above 7F is held folded.
    m.control.ButtonResetClick();
    m.Step(2);
    m.machine.SupplyKey(0xA3);
    EXPECT_EQ(m.Reg(AL), -93);
    EXPECT_FALSE(m.Running());
    EXPECT_EQ(m.RegLow(IP), 0x05);
}

// Escape ends the run as every other end does: SupplyKey says so and the editor is given back.
TEST_F(KeyboardInputTest, EscapeEndsTheRunAndLeavesAL) {
    RunToIn00();
    EXPECT_EQ(m.machine.SupplyKey(EscapeKey), RunEnd::Escape);
    EXPECT_EQ(m.machine.Ended, RunEnd::Escape);
    EXPECT_EQ(m.RegLow(AL), 0x55);
    EXPECT_FALSE(m.Running());
    EXPECT_FALSE(m.ui.EditorReadOnly());
    EXPECT_FALSE(m.ui.EditorGrey());
    EXPECT_TRUE(m.NoError());
    EXPECT_EQ(m.RegLow(IP), 0x05);
}

// The step that reaches IN 00 stops half way: the instruction stays at IP and selected, and
// nothing moves the machine on but the key.
TEST_F(KeyboardInputTest, StepsAndTimerTicksDoNothingWhileAKeyIsAwaited) {
    m.Start();
    m.machine.Machine.SetRegister(SR, FlagI, false);
    m.Tick(2);
    ASSERT_TRUE(m.machine.AwaitingKey());
    const int32_t selected = m.ui.SelectionStart();
    const std::string status = m.ui.StatusText();
    const size_t logged = log.size();
    EXPECT_FALSE(m.Running());
    EXPECT_EQ(m.machine.ButtonStepClick(), RunEnd::None);
    EXPECT_EQ(m.control.TimerCPUTimer(), RunEnd::None);
    EXPECT_EQ(m.control.TimerHWTimer(), RunEnd::None); // I is set, yet no interrupt
    EXPECT_TRUE(m.machine.AwaitingKey());
    EXPECT_EQ(m.RegLow(IP), 0x03);
    EXPECT_EQ(m.RegLow(SP), StackBottom);
    EXPECT_EQ(m.RegLow(AL), 0x55);
    EXPECT_EQ(m.ui.SelectionStart(), selected);
    EXPECT_EQ(m.ui.StatusText(), status);
    EXPECT_EQ(log.size(), logged);
    m.machine.SupplyKey('k');
    EXPECT_EQ(m.RegLow(IP), 0x05);
    EXPECT_EQ(m.ui.StatusText(), " HALT");
}

// A front end that lets Stop or CPU Reset through during the wait gives the key up with it.
TEST_F(KeyboardInputTest, StopAndResetGiveUpTheAwaitedKey) {
    for (auto command : {&RunControl::ButtonStopClick, &RunControl::ButtonResetClick}) {
        m.control.ButtonResetClick();
        RunToIn00();
        const int ip = m.RegLow(IP);
        (m.control.*command)();
        EXPECT_FALSE(m.machine.AwaitingKey());
        const int al = m.RegLow(AL);
        EXPECT_EQ(m.machine.SupplyKey('a'), RunEnd::None);
        EXPECT_EQ(m.RegLow(AL), al);
        EXPECT_EQ(m.RegLow(IP), command == &RunControl::ButtonStopClick ? ip : 0);
    }
}

TEST_F(KeyboardInputTest, AKeyNobodyAwaitsDoesNothing) {
    m.Start();
    m.Tick(1);
    const size_t logged = log.size();
    EXPECT_EQ(m.machine.SupplyKey('a'), RunEnd::None);
    EXPECT_EQ(m.machine.SupplyKey(EscapeKey), RunEnd::None);
    EXPECT_EQ(m.RegLow(AL), 0x55);
    EXPECT_EQ(m.RegLow(IP), 0x03);
    EXPECT_TRUE(m.Running());
    EXPECT_EQ(log.size(), logged);
    // Once taken, the same key cannot complete the IN a second time.
    m.Tick(1);
    m.machine.SupplyKey('a');
    m.machine.SupplyKey('b');
    EXPECT_EQ(m.RegLow(AL), 0x61);
    EXPECT_EQ(m.RegLow(IP), 0x05);
}

// The run log tells the step in two halves, which together are the whole step.
TEST_F(KeyboardInputTest, TheRunLogTellsTheFetchAtTheStepAndTheIpAdvanceAtTheKey) {
    RunToIn00();
    const std::vector<std::string> fetched(log.end() - 8, log.end());
    EXPECT_EQ(fetched, (std::vector<std::string>{
                           "\tAL = 55\tBL = 00\tCL = 00\tDL = 00\tIP = 03\tSP = BF\tSR = ........",
                           "FETCH", "\tFetch IN", "\tFetch 00", "", "EXECUTE", "\tIN\t00", ""}))
        << ::testing::PrintToString(fetched);
    log.clear();
    m.machine.SupplyKey('a');
    EXPECT_EQ(log, (std::vector<std::string>{
                       "INSTRUCTION POINTER", "\tAdd 2 to IP",
                       "\tAL = 61\tBL = 00\tCL = 00\tDL = 00\tIP = 05\tSP = BF\tSR = ........",
                       std::string(91, '-')}));
}

// A run in simulated time takes each awaited key from the queue at the step's own time, and
// Escape once the queue is used up.
TEST(KeyboardInputRun, QueuedKeysAnswerEachIn00AtItsStep) {
    DeviceMachine m{"IN 00\nMOV [80],AL\nIN 00\nMOV [81],AL\nIN 00\nHALT\nEND\n"};
    ASSERT_TRUE(m.Assemble());
    m.ui.QueueKeys("xy");
    int64_t now = 0;
    std::vector<int64_t> answeredAt;
    ClockHooks hooks;
    hooks.NowMs = &now;
    hooks.KeyAwaited = [&] {
        answeredAt.push_back(now);
        SupplyQueuedKey(m.machine, m.ui, nullptr);
    };
    m.Start();
    const RunOutcome run =
        RunInVirtualTime(m.machine, m.control, m.devices.Timers(), {10, 5000, 100}, hooks);
    EXPECT_EQ(run.Ended, RunEnd::Escape);
    EXPECT_EQ(run.Steps, 5);
    EXPECT_EQ(answeredAt, (std::vector<int64_t>{10, 30, 50}));
    EXPECT_EQ(m.Cell(0x80), 'x');
    EXPECT_EQ(m.Cell(0x81), 'y');
    EXPECT_FALSE(m.machine.AwaitingKey());
}

// Without anyone to answer, a run stops where the key is awaited and says it has not ended.
TEST(KeyboardInputRun, AnUnansweredKeyStopsTheRunThere) {
    DeviceMachine m{"NOP\nIN 00\nHALT\nEND\n"};
    ASSERT_TRUE(m.Assemble());
    const int64_t steps = m.RunToStop(10, 100);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(m.machine.Ended, RunEnd::None);
    EXPECT_TRUE(m.machine.AwaitingKey());
    EXPECT_EQ(m.RegLow(IP), 0x01);
}

} // namespace
