#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/PortMap.h"
#include "devices/ChangeNotifier.h"
#include "devices/Drawing.h"

// Port 01: a left and a right set of traffic lights on bits 7..2; bits 1 and 0 are not
// connected. Every output redraws all six lamps, which then stay until the next one.
class TrafficLights : public OutputDevice, public ChangeNotifier {
  public:
    struct Lamp {
        uint8_t Mask;
        Rgb Colour; // when lit; an unlit lamp is black
        PixelRect Box;
    };
    // Left red, amber, green, then right red, amber, green: the order they are drawn in.
    static const std::array<Lamp, 6> Lamps;

    void PortWrite(uint8_t value) override;

    // All that decides the lamps: the last byte written.
    struct State {
        uint8_t Value = 0;
        bool operator==(const State&) const = default;
    };
    const State& CurrentState() const { return state_; }
    void Restore(const State& state);

    bool IsLit(const Lamp& lamp) const { return (state_.Value & lamp.Mask) != 0; }
    // tlightLabel: the last byte written, bit 7 first.
    std::string LabelText() const;

  private:
    State state_;
};
