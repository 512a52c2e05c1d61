#include <gtest/gtest.h>

#include "DeviceMachine.h"
#include "InterruptProgram.h"

namespace {

TEST(Keypad, KeysAndTheirEdges) {
    struct Hit {
        int X, Y, Code;
    };
    const Hit hits[] = {
        {31, 32, 0x31},  {32, 33, 0x35},   {10, 100, 0x46}, {88, 87, 0x39},
        {89, 61, 0x43},  {117, 112, 0x44}, {118, 0, 0x08},  {145, 60, 0x08},
        {118, 61, 0x0D}, {145, 112, 0x0D}, {146, 0, 0xFF},  {0, 113, 0xFF},
    };
    DeviceMachine m;
    for (const Hit& hit : hits) {
        m.devices.Pad.ImageKeyPadMouseDown(hit.X, hit.Y);
        EXPECT_EQ(m.devices.Pad.PadCode(), hit.Code) << hit.X << "," << hit.Y;
    }
}

TEST(Keypad, AKeyInterruptsARunningProgramThatReadsIt) {
    DeviceMachine m{InterruptProgram};
    ASSERT_TRUE(m.Assemble());
    m.Start();
    m.Tick(3);
    ASSERT_EQ(m.RegLow(IP), IdleLoop);
    EXPECT_EQ(m.devices.Pad.PortRead(), 0x00);
    m.devices.Pad.ImageKeyPadMouseDown(150, 10); // beside the keys: no interrupt
    EXPECT_EQ(m.RegLow(IP), IdleLoop);
    m.devices.Pad.ImageKeyPadMouseDown(10, 70);
    EXPECT_EQ(m.RegLow(IP), 0x60);
    EXPECT_EQ(m.Cell(0xBF), IdleLoop);
    m.Tick();
    EXPECT_EQ(m.RegLow(AL), 0x37);
    // Stopped, a click only stores its code.
    m.control.ButtonStopClick();
    m.devices.Pad.ImageKeyPadMouseDown(140, 100);
    EXPECT_EQ(m.devices.Pad.PortRead(), 0x0D);
    EXPECT_EQ(m.RegLow(IP), 0x62);
}

} // namespace
