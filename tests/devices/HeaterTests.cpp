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
    heater.Image1MouseDown(30);
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

TEST(Heater, AClickSetsTheTemperatureTheThermometerPointsAt) {
    struct Click {
        int Y;
        const char* Reading;
        int Mercury;
    };
    // 30 gives 118 / 2.95 = 40; 10 gives 47 and 190 gives -14, both clamped; 149 rounds to
    // zero, not below it.
    for (const Click click :
         {Click{148, "0.00", 0}, Click{30, "40.00", 120}, Click{10, "40.00", 120},
          Click{190, "0.00", 0}, Click{149, "0.00", 0}, Click{83, "22.00", 66}}) {
        Heater heater;
        heater.Image1MouseDown(click.Y);
        EXPECT_EQ(heater.TemperatureText(), click.Reading) << click.Y;
        EXPECT_EQ(heater.MercuryHeight(), click.Mercury) << click.Y;
    }
}

TEST(Heater, TheThermostatReadsOneFromExactlyTwentyTwoDegrees) {
    DeviceMachine m("IN 03\nMOV AL,84\nOUT 03\nIN 03\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.devices.Heating.Image1MouseDown(84); // 21.69 rounds to 22
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
