#include <gtest/gtest.h>

#include "DeviceMachine.h"
#include "InterruptProgram.h"

namespace {

TEST(Keypad, AKeyInterruptsARunningProgramThatReadsIt) {
    DeviceMachine m{InterruptProgram};
    ASSERT_TRUE(m.Assemble());
    m.Start();
    m.Tick(3);
    ASSERT_EQ(m.RegLow(IP), IdleLoop);
    EXPECT_EQ(m.devices.Pad.PortRead(), 0x00);
    m.devices.Pad.PressBeside();
    EXPECT_EQ(m.RegLow(IP), IdleLoop);
    m.devices.Pad.Press(0x37);
    EXPECT_EQ(m.RegLow(IP), 0x60);
    EXPECT_EQ(m.Cell(0xBF), IdleLoop);
    m.Tick();
    EXPECT_EQ(m.RegLow(AL), 0x37);
    // Stopped, a click only stores its code.
    m.control.ButtonStopClick();
    m.devices.Pad.Press(0x0D);
    EXPECT_EQ(m.devices.Pad.PortRead(), 0x0D);
    EXPECT_EQ(m.RegLow(IP), 0x62);
}

} // namespace
