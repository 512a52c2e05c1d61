#include <gtest/gtest.h>

#include "DeviceMachine.h"

namespace {

TEST(Heater, WarmsAFortiethOfTheGapEachTickAndCoolsLikewise) {
    Heater heater;
    heater.Timer1Timer();
    EXPECT_EQ(heater.ReadingText(), "   0.00 C   ");
    EXPECT_EQ(heater.LabelOnOffText(), "");
    heater.PortWrite(0x80);
    EXPECT_EQ(heater.LabelOnOffText(), "  ON");
    for (const char* reading : {"1.00", "1.98", "2.93"}) {
        heater.Timer1Timer();
        EXPECT_EQ(heater.TemperatureText(), reading);
    }
    heater.PortWrite(0x00);
    heater.SetRoomTemperature(40);
    heater.Timer1Timer();
    EXPECT_EQ(heater.TemperatureText(), "39.00");
    EXPECT_EQ(heater.LabelOnOff(), Heater::SwitchLabel::Off);
}

// The program switches the heater on, waits for IN 03 to report and switches it off: the
// room is as warm as the first tick that reached 22.0 made it, the 32nd.
TEST(Heater, AThermostatProgramSwitchesOffOnTheThirtySecondTick) {
    DeviceMachine m("MOV AL,80\nOUT 03\nWait:\nIN 03\nCMP AL,01\nJNZ Wait\n"
                    "MOV AL,00\nOUT 03\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.RunToStop(100);
    EXPECT_FALSE(m.devices.Heating.HeaterOn());
    EXPECT_EQ(m.devices.Heating.TemperatureText(), "22.21");
}

TEST(Heater, TheRoomIsSetToWholeDegreesWithinZeroToForty) {
    struct Setting {
        int Degrees;
        const char* Reading;
        int Mercury;
    };
    for (const Setting setting :
         {Setting{0, "0.00", 0}, Setting{40, "40.00", 120}, Setting{47, "40.00", 120},
          Setting{-14, "0.00", 0}, Setting{22, "22.00", 66}}) {
        Heater heater;
        heater.SetRoomTemperature(setting.Degrees);
        EXPECT_EQ(heater.TemperatureText(), setting.Reading) << setting.Degrees;
        EXPECT_EQ(heater.MercuryHeight(), setting.Mercury) << setting.Degrees;
    }
}

TEST(Heater, TheThermostatReadsOneFromExactlyTwentyTwoDegrees) {
    DeviceMachine m("IN 03\nMOV AL,84\nOUT 03\nIN 03\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.devices.Heating.SetRoomTemperature(22);
    ASSERT_EQ(m.devices.Heating.Temperature(), 22.0);
    m.Step();
    EXPECT_EQ(m.RegLow(AL), 0x01);
    // The whole byte shows, with the thermostat's bit added, until the next tick.
    m.Step(2);
    EXPECT_EQ(m.devices.Heating.LabelIoText(), "10000101");
    m.Step();
    EXPECT_EQ(m.RegLow(AL), 0x01); // the heater's bit is not reported
    m.devices.Heating.Timer1Timer();
    EXPECT_EQ(m.devices.Heating.LabelIoText(), "10000001");
}

} // namespace
