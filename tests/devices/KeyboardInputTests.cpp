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

TEST_F(KeyboardInputTest, EscapeStopsTheRunAndLeavesAL) {
    m.ui.QueueKeys("\x1B");
    m.Start();
    m.Tick(2);
    EXPECT_EQ(m.RegLow(AL), 0x55);
    EXPECT_FALSE(m.Running());
    EXPECT_TRUE(m.NoError());
    EXPECT_EQ(m.RegLow(IP), 0x05);
}

} // namespace
