#pragma once

#include <cstdint>
#include <string>

#include "core/PortMap.h"
#include "core/TimedDevice.h"
#include "devices/ChangeNotifier.h"

// Port 03: a room with a heater (OUT bit 7) and a thermostat (IN bit 0) that reports once
// the room is 22.0 degrees or warmer. Once a second the temperature moves a fortieth of
// the way towards 40 degrees with the heater on, or towards 0 with it off, whether a
// program runs or not.
class Heater : public InputDevice, public OutputDevice, public TimedDevice, public ChangeNotifier {
  public:
    static constexpr double SwitchPoint = 22.0;
    // The room is held within 0..Hottest degrees.
    static constexpr int Hottest = 40;

    // What labelOnOff shows: nothing before the first output, then the heater's switch.
    enum class SwitchLabel {
        Blank,
        On,  // "  ON", yellow on red
        Off, // "  OFF", black on button face
    };

    // Thermometer column: x 170, from y 150 (0 degrees) up, 3 pixels per degree.
    static constexpr int ColumnX = 170;
    static constexpr int ColumnBottom = 150;
    static constexpr int ColumnTop = 30;

    void PortWrite(uint8_t value) override;
    uint8_t PortRead() const override;
    int TimerInterval() const override { return 1000; }
    void Timer1Timer() override;
    // The room set to a whole number of degrees, as the thermometer is clicked; held within
    // 0..40.
    void SetRoomTemperature(int degrees);

    // The room's temperature, the heater's switch and what the two labels show.
    struct State {
        double Temperature = 0.0;
        bool HeaterOn = false;
        uint8_t LabelIo = 0; // the byte labelIO shows
        SwitchLabel LabelOnOff = SwitchLabel::Blank;
        bool operator==(const State&) const = default;
    };
    const State& CurrentState() const { return state_; }
    void Restore(const State& state);

    double Temperature() const { return state_.Temperature; }
    bool HeaterOn() const { return state_.HeaterOn; }
    // The temperature with two decimals, "21.53".
    std::string TemperatureText() const;
    // The reading under the thermometer, "   21.53 C   ".
    std::string ReadingText() const;
    // Height of the mercury above the column's bottom, in pixels.
    int MercuryHeight() const;
    const std::string& LabelIoText() const;
    SwitchLabel LabelOnOff() const { return state_.LabelOnOff; }
    std::string LabelOnOffText() const;

  private:
    bool Warm() const { return state_.Temperature >= SwitchPoint; }
    // Keeps the temperature within 0..40 and shows the heater and thermostat bits.
    void DrawThermometer();

    State state_;
};
