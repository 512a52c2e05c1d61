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
    heaterOn_ = (value & HeaterBit) != 0;
    labelOnOff_ = heaterOn_ ? SwitchLabel::On : SwitchLabel::Off;
    // The whole byte shows until the next tick, with the thermostat's bit added.
    labelIo_ = Warm() ? (value | ThermostatBit) : value;
    NotifyChange();
}

uint8_t Heater::PortRead() const {
    return Warm() ? ThermostatBit : 0;
}

void Heater::Timer1Timer() {
    if (heaterOn_) {
        temperature_ += (Hottest - temperature_) / Steps;
    } else {
        temperature_ -= temperature_ / Steps;
    }
    DrawThermometer();
}

void Heater::SetRoomTemperature(int degrees) {
    // Whole degrees, so the room is never set to -0 and read "-0.00".
    temperature_ = degrees;
    DrawThermometer();
}

void Heater::DrawThermometer() {
    if (!(temperature_ >= 0.0)) {
        temperature_ = 0.0;
    }
    if (temperature_ > Hottest) {
        temperature_ = Hottest;
    }
    labelIo_ = (heaterOn_ ? HeaterBit : 0) | PortRead();
    NotifyChange();
}

const std::string& Heater::LabelIoText() const {
    return BinaryText(labelIo_);
}

std::string Heater::TemperatureText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", temperature_);
    return text;
}

std::string Heater::ReadingText() const {
    return "   " + TemperatureText() + " C   ";
}

int Heater::MercuryHeight() const {
    return static_cast<int>(std::nearbyint(PixelsPerDegree * temperature_));
}

std::string Heater::LabelOnOffText() const {
    switch (labelOnOff_) {
    case SwitchLabel::On:
        return "  ON";
    case SwitchLabel::Off:
        return "  OFF";
    case SwitchLabel::Blank:
        break;
    }
    return "";
}
