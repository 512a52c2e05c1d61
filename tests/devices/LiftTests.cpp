#include <gtest/gtest.h>

#include "DeviceMachine.h"

namespace {

TEST(Lift, ReadsTheBottomSensorAndTheSpareBitsAfterTheFirstTick) {
    DeviceMachine m("IN 06\nMOV [80],AL\nMOV AL,C0\nOUT 06\nIN 06\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    // The lift's first tick comes 100 ms after start, the CPU's first at 1000 ms.
    m.RunToStop(1000);
    EXPECT_EQ(m.Cell(0x80), 0x08);
    EXPECT_EQ(m.Reg(AL), -56); // C8, held folded
    EXPECT_EQ(m.devices.Car.DataText(), "MSB 11001000 LSB");
}

// Motor up from the bottom floor, one tick at a time: the sensors change at their
// edges, the car creeps near the floors, and without a stop it crashes.
TEST(Lift, RisesToTheTopFloorAndCrashesPastIt) {
    DeviceMachine m(OutProgram(0x06, {0x01}));
    ASSERT_TRUE(m.Assemble());
    Lift& lift = m.devices.Car;
    EXPECT_EQ(lift.TimerInterval(), 100);
    lift.Timer1Timer();
    m.Step(2);
    EXPECT_EQ(lift.StateText(), "Stopped"); // the labels wait for the next tick
    struct Stop {
        int Top, Bits, Interval;
        const char* State;
    };
    for (const Stop stop : {Stop{231, 0x09, 500, "Going Up"}, Stop{230, 0x01, 500, "Going Up"},
                            Stop{224, 0x01, 50, "Going Up"}, Stop{82, 0x01, 50, "Going Up"},
                            Stop{81, 0x01, 500, "Going Up"}, Stop{76, 0x01, 500, "Going Up"},
                            Stop{75, 0x05, 500, "Going Up"}, Stop{74, 0x05, 500, "Going Up"},
                            Stop{73, 0x05, 500, "CRASHED"}}) {
        while (lift.CarTop() > stop.Top) {
            lift.Timer1Timer();
        }
        SCOPED_TRACE(stop.Top);
        EXPECT_EQ(lift.LiftBits(), stop.Bits);
        EXPECT_EQ(lift.TimerInterval(), stop.Interval);
        EXPECT_EQ(lift.StateText(), stop.State);
    }
    EXPECT_FALSE(lift.ButtonEngineerEnabled());
    lift.Timer1Timer();
    EXPECT_EQ(lift.CarTop(), 73); // a crashed lift does not move
    EXPECT_TRUE(lift.ButtonEngineerEnabled());
}

TEST(Lift, DrivingBothWaysCrashesUntilTheRepair) {
    Lift lift;
    lift.PortWrite(0x23);
    lift.Timer1Timer();
    EXPECT_TRUE(lift.Crashed());
    EXPECT_EQ(lift.CarTop(), Lift::BottomFloor);
    EXPECT_FALSE(lift.ButtonEngineerEnabled());
    lift.Timer1Timer();
    ASSERT_TRUE(lift.ButtonEngineerEnabled());
    lift.RepairLift();
    EXPECT_EQ(lift.CarTop(), 231);
    EXPECT_FALSE(lift.Crashed());
    EXPECT_EQ(lift.LiftBits(), 0x00);
    EXPECT_TRUE(lift.SpeedButtonUpEnabled());
    EXPECT_EQ(lift.StateText(), "Stopped");
    lift.Timer1Timer();
    EXPECT_EQ(lift.LiftBits(), 0x08);
}

TEST(Lift, ACallButtonStaysLitUntilTheProgramResetsIt) {
    DeviceMachine m("IN 06\nMOV AL,00\nOUT 06\nIN 06\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    Lift& lift = m.devices.Car;
    lift.Timer1Timer();
    lift.CallLift(Lift::Floor::Top);
    EXPECT_FALSE(lift.SpeedButtonUpEnabled());
    m.Step();
    EXPECT_EQ(m.RegLow(AL), 0x28);
    m.Step(3);
    EXPECT_EQ(m.RegLow(AL), 0x08); // the sensor survives the output
    EXPECT_TRUE(lift.SpeedButtonUpEnabled());
}

// OUT 06 sets each call button from its bit, whatever was pressed before: 0 resets the
// call and enables the button, 1 marks it pressed and leaves it lit.
TEST(Lift, OutSetsBothCallButtonsFromTheirBits) {
    struct Case {
        uint8_t Out;
        bool UpEnabled;
        bool DownEnabled;
    };
    for (const bool pressed : {false, true}) {
        for (const Case c : {Case{0x00, true, true}, Case{0x10, true, false},
                             Case{0x20, false, true}, Case{0x30, false, false}}) {
            Lift lift;
            if (pressed) {
                lift.CallLift(Lift::Floor::Top);
                lift.CallLift(Lift::Floor::Bottom);
            }
            lift.PortWrite(c.Out);
            SCOPED_TRACE(testing::Message() << "OUT " << int{c.Out} << " pressed " << pressed);
            EXPECT_EQ(lift.SpeedButtonUpEnabled(), c.UpEnabled);
            EXPECT_EQ(lift.SpeedButtonDownEnabled(), c.DownEnabled);
            EXPECT_EQ(lift.LiftBits(), c.Out);
        }
    }
}

} // namespace
