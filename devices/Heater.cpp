#include "devices/Heater.h"

#include <cmath>
#include <cstdio>

#include "assembler/RegisterText.h"

namespace {

constexpr uint8_t HeaterBit = 0x80;
constexpr uint8_t ThermostatBit = 0x01;
constexpr double Steps = 40.0; // a tick closes a fortieth of the gap
constexpr double PixelsPerDegree = 3.0;

} // namespace

void Heater::PortWrite(uint8_t value) {
    state_.HeaterOn = (value & HeaterBit) != 0;
    state_.LabelOnOff = state_.HeaterOn ? SwitchLabel::On : SwitchLabel::Off;
    // The whole byte shows until the next tick, with the thermostat's bit added.
    state_.LabelIo = Warm() ? (value | ThermostatBit) : value;
    NotifyChange();
}

uint8_t Heater::PortRead() const {
    return Warm() ? ThermostatBit : 0;
}

void Heater::Timer1Timer() {
    if (state_.HeaterOn) {
        state_.Temperature += (Hottest - state_.Temperature) / Steps;
    } else {
        state_.Temperature -= state_.Temperature / Steps;
    }
    DrawThermometer();
}

void Heater::SetRoomTemperature(int degrees) {
    // Whole degrees, so the room is never set to -0 and read "-0.00".
    state_.Temperature = degrees;
    DrawThermometer();
}

void Heater::DrawThermometer() {
    if (!(state_.Temperature >= 0.0)) {
        state_.Temperature = 0.0;
    }
    if (state_.Temperature > Hottest) {
        state_.Temperature = Hottest;
    }
    state_.LabelIo = (state_.HeaterOn ? HeaterBit : 0) | PortRead();
    NotifyChange();
}

const std::string& Heater::LabelIoText() const {
    return BinaryText(state_.LabelIo);
}

std::string Heater::TemperatureText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", state_.Temperature);
    return text;
}

std::string Heater::ReadingText() const {
    return "   " + TemperatureText() + " C   ";
}

int Heater::MercuryHeight() const {
    return static_cast<int>(std::nearbyint(PixelsPerDegree * state_.Temperature));
}

std::string Heater::LabelOnOffText() const {
    switch (state_.LabelOnOff) {
    case SwitchLabel::On:
        return "  ON";
    case SwitchLabel::Off:
        return "  OFF";
    case SwitchLabel::Blank:
        break;
    }
    return "";
}

void Heater::Restore(const State& state) {
    state_ = state;
    NotifyChange();
}
