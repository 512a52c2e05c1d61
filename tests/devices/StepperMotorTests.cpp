#include <gtest/gtest.h>

#include <array>
#include <bit>

#include "DeviceMachine.h"

namespace {

constexpr std::array<int, 8> HalfSteps{0x01, 0x03, 0x02, 0x06, 0x04, 0x0C, 0x08, 0x09};

TEST(StepperMotor, TheHalfStepCycleTurnsFiveDegreesClockwiseAStep) {
    DeviceMachine m(OutProgram(0x05, {0x03, 0x02, 0x06, 0x04, 0x0C, 0x08, 0x09, 0x01}));
    ASSERT_TRUE(m.Assemble());
    for (int step = 1; step <= 8; ++step) {
        m.Step(2);
        EXPECT_EQ(StepperMotor::RotorOffset(m.devices.Motor.StepState()), -5.0 * (step % 8));
    }
    EXPECT_EQ(m.ui.BeepCount(), 0);
}

TEST(StepperMotor, RefusedPatternsShowOnThePolesOnly) {
    HeadlessUi ui;
    StepperMotor motor(ui);
    motor.PortWrite(0x04); // too far from 01: silent
    EXPECT_EQ(motor.StepState(), 0x01);
    for (int pole = 0; pole < StepperMotor::PoleCount; ++pole) {
        EXPECT_EQ(motor.PoleEnergised(pole), pole % 4 == 2) << pole;
    }
    motor.PortWrite(0xF2); // the upper bits show but do not drive
    EXPECT_EQ(motor.StepState(), 0x02);
    EXPECT_TRUE(motor.BitSet(7));
    for (int noPosition : {0x00, 0x05, 0x07, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F}) {
        motor.PortWrite(static_cast<uint8_t>(noPosition));
        EXPECT_EQ(motor.StepState(), 0x02);
    }
    EXPECT_EQ(ui.BeepCount(), 8);
}

// The rotor follows a pattern up to two half steps away either way, three when the
// pattern energises two phases.
TEST(StepperMotor, AcceptsNearNeighboursInTheHalfStepCycle) {
    for (size_t from = 0; from < HalfSteps.size(); ++from) {
        for (size_t to = 0; to < HalfSteps.size(); ++to) {
            HeadlessUi ui;
            StepperMotor motor(ui);
            for (size_t step = 1; step <= from; ++step) {
                motor.PortWrite(static_cast<uint8_t>(HalfSteps[step]));
            }
            motor.PortWrite(static_cast<uint8_t>(HalfSteps[to]));
            const int apart = static_cast<int>((to + 8 - from) % 8);
            const int reach = std::popcount(static_cast<unsigned>(HalfSteps[to])) == 2 ? 3 : 2;
            const bool accepted = std::min(apart, 8 - apart) <= reach;
            EXPECT_EQ(motor.StepState(), accepted ? HalfSteps[to] : HalfSteps[from])
                << HexByte(HalfSteps[from]) << " to " << HexByte(HalfSteps[to]);
        }
    }
}

TEST(StepperMotor, GeometryFollowsTheCentreAndRadius) {
    EXPECT_EQ(StepperMotor::PoleCentre(9), (PixelPoint{166, 100}));
    EXPECT_EQ(StepperMotor::SpokeEnds(0x02)[0], (PixelPoint{91, 153})); // 10 degrees clockwise
    EXPECT_EQ(StepperMotor::BitLabelX, (std::array<int, 8>{96, 83, 71, 60, 50, 40, 30, 20}));
    EXPECT_EQ(StepperMotor::Wires()[0], (PixelLine{{100, 172}, {100, 192}}));
}

} // namespace
