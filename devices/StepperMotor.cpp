#include "devices/StepperMotor.h"

#include <cmath>
#include <numbers>

#include "core/UserInterface.h"

namespace {

// The half-step cycle, each pattern 5 degrees further clockwise than the one before.
constexpr std::array<int, 8> HalfStepCycle{0x01, 0x03, 0x02, 0x06, 0x04, 0x0C, 0x08, 0x09};
constexpr double DegreesPerHalfStep = 5.0;

constexpr uint16_t States(std::initializer_list<int> states) {
    uint16_t set = 0;
    for (int state : states) {
        set = static_cast<uint16_t>(set | (1U << state));
    }
    return set;
}

// For each pattern, the patterns the rotor may stand at for it to follow. Patterns not
// listed (00, 05, 07, 0A, 0B, 0D, 0E, 0F) match no rotor position at all.
constexpr std::array<uint16_t, 16> AcceptedFrom = [] {
    std::array<uint16_t, 16> table{};
    table[0x01] = States({0x01, 0x02, 0x03, 0x08, 0x09});
    table[0x02] = States({0x01, 0x02, 0x03, 0x04, 0x06});
    table[0x03] = States({0x01, 0x02, 0x03, 0x04, 0x06, 0x08, 0x09});
    table[0x04] = States({0x02, 0x04, 0x06, 0x08, 0x0C});
    table[0x06] = States({0x01, 0x02, 0x03, 0x04, 0x06, 0x08, 0x0C});
    table[0x08] = States({0x01, 0x04, 0x08, 0x09, 0x0C});
    table[0x09] = States({0x01, 0x02, 0x03, 0x04, 0x08, 0x09, 0x0C});
    table[0x0C] = States({0x01, 0x02, 0x04, 0x06, 0x08, 0x09, 0x0C});
    return table;
}();

} // namespace

const std::array<int, 8> StepperMotor::BitLabelX = [] {
    std::array<int, 8> x{};
    // Bits 0..3 stand under their phase's wire, bits 4..7 follow 10 pixels apart.
    for (int bit = 0; bit < 4; ++bit) {
        x[bit] = PointAt(-bit / static_cast<double>(PoleCount), Radius + 6).X - 4;
    }
    for (int bit = 4; bit < 8; ++bit) {
        x[bit] = x[bit - 1] - 10;
    }
    return x;
}();

PixelPoint StepperMotor::PointAt(double turns, double radius) {
    const double angle = turns * 2.0 * std::numbers::pi;
    return {static_cast<int>(std::nearbyint(Centre.X + radius * std::sin(angle))),
            static_cast<int>(std::nearbyint(Centre.Y + radius * std::cos(angle)))};
}

PixelPoint StepperMotor::PoleCentre(int pole) {
    return PointAt(pole / static_cast<double>(PoleCount), Radius);
}

uint8_t StepperMotor::PhaseMask(int pole) {
    static constexpr std::array<uint8_t, 4> ByPoleModFour{0x01, 0x08, 0x04, 0x02};
    return ByPoleModFour[pole % 4];
}

double StepperMotor::RotorOffset(int pattern) {
    for (size_t place = 0; place < HalfStepCycle.size(); ++place) {
        if (HalfStepCycle[place] == pattern) {
            return -DegreesPerHalfStep * static_cast<double>(place);
        }
    }
    return 0.0;
}

std::array<PixelPoint, StepperMotor::SpokeCount> StepperMotor::SpokeEnds(int pattern) {
    std::array<PixelPoint, SpokeCount> ends{};
    const double offset = RotorOffset(pattern) / 360.0;
    for (int spoke = 0; spoke < SpokeCount; ++spoke) {
        ends[spoke] = PointAt(spoke / static_cast<double>(SpokeCount) + offset, SpokeLength);
    }
    return ends;
}

std::array<PixelLine, 4> StepperMotor::Wires() {
    std::array<PixelLine, 4> wires{};
    for (int phase = 0; phase < 4; ++phase) {
        const PixelPoint top = PointAt(-phase / static_cast<double>(PoleCount), Radius + 6);
        wires[phase] = {top, {top.X, Centre.Y + Radius + 26}};
    }
    return wires;
}

void StepperMotor::PortWrite(uint8_t value) {
    state_.LastOutput = value;
    restored_ = false;
    state_.PrevState = state_.StepState;
    const int pattern = value & 0x0F;
    if (AcceptedFrom[pattern] == 0) {
        ui_.Beep();
    } else if (AcceptedFrom[pattern] & (1U << state_.PrevState)) {
        state_.StepState = static_cast<int16_t>(pattern);
    }
    NotifyChange();
}

bool StepperMotor::PoleEnergised(int pole) const {
    return (state_.LastOutput.value_or(0) & PhaseMask(pole)) != 0;
}

bool StepperMotor::BitSet(int bit) const {
    return (state_.LastOutput.value_or(0) >> bit) & 1;
}

void StepperMotor::Restore(const State& state) {
    state_ = state;
    restored_ = true;
    NotifyChange();
}
