#include "devices/TrafficLights.h"

#include "assembler/RegisterText.h"

const std::array<TrafficLights::Lamp, 6> TrafficLights::Lamps{{
    {0x80, Red, {41, 24, 61, 44}},
    {0x40, Yellow, {41, 45, 61, 65}},
    {0x20, Lime, {41, 66, 61, 86}},
    {0x10, Red, {132, 24, 152, 44}},
    {0x08, Yellow, {132, 45, 152, 65}},
    {0x04, Lime, {132, 66, 152, 86}},
}};

void TrafficLights::PortWrite(uint8_t value) {
    state_.Value = value;
    NotifyChange();
}

std::string TrafficLights::LabelText() const {
    return BinaryText(state_.Value);
}

void TrafficLights::Restore(const State& state) {
    state_ = state;
    NotifyChange();
}
