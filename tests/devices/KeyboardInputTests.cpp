#include <gtest/gtest.h>

#include "DeviceMachine.h"

namespace {

struct KeyboardInputTest : ::testing::Test {
    DeviceMachine m{"MOV AL,55\nIN 00\nHALT\nEND\n"};
    void SetUp() override { ASSERT_TRUE(m.Assemble()); }
};

TEST_F(KeyboardInputTest, ATypedKeyGoesToALAndARunGoesOn) {
    m.ui.QueueKeys("a\xA3");
    m.Start();
    m.Tick(2);
    EXPECT_EQ(m.RegLow(AL), 0x61);
    EXPECT_TRUE(m.Running());
    // Stepping, the machine stays stopped; a code above 7F is held folded.
    m.control.ButtonResetClick();
    m.Step(2);
    EXPECT_EQ(m.Reg(AL), -93);
    EXPECT_FALSE(m.Running());
    EXPECT_EQ(m.RegLow(IP), 0x05);
}

// Escape ends the run as every other end does: the step says so and the editor is given back.
TEST_F(KeyboardInputTest, EscapeEndsTheRunAndLeavesAL) {
    m.ui.QueueKeys("\x1B");
    m.Start();
    m.Tick(1);
    EXPECT_EQ(m.control.TimerCPUTimer(), RunEnd::Escape);
    EXPECT_EQ(m.RegLow(AL), 0x55);
    EXPECT_FALSE(m.Running());
    EXPECT_FALSE(m.ui.EditorReadOnly());
    EXPECT_FALSE(m.ui.EditorGrey());
    EXPECT_TRUE(m.NoError());
    EXPECT_EQ(m.RegLow(IP), 0x05);
}

} // namespace
