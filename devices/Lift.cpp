#include "devices/Lift.h"

#include "assembler/RegisterText.h"

namespace {

// Top edges of the car. The top sensor is on from 75 up and the car crashes above 74;
// the bottom sensor is on from 231 down and the car crashes below 232.
constexpr int TopSensorBelow = 76;
constexpr int TopCrashBelow = 74;
constexpr int BottomSensorAbove = 230;
constexpr int BottomCrashAbove = 232;
constexpr int RepairedTop = 231;
// The car creeps near the floors and runs between them.
constexpr int NearTopBelow = 82;
constexpr int NearBottomAbove = 224;
constexpr int CreepMs = 500;
constexpr int RunMs = 50;
// The sensor bits keep their state through an output; every other bit comes from it.
constexpr int SensorBits = Lift::AtTop | Lift::AtBottom;

int WithBit(int bits, int mask, bool set) {
    return set ? (bits | mask) : (bits & ~mask);
}

} // namespace

void Lift::PortWrite(uint8_t value) {
    state_.LiftBits = (value & ~SensorBits & 0xFF) | (state_.LiftBits & SensorBits);
    state_.DownEnabled = (state_.LiftBits & CalledDown) == 0;
    state_.UpEnabled = (state_.LiftBits & CalledUp) == 0;
    NotifyChange();
}

void Lift::Timer1Timer() {
    if (state_.Crashed) {
        state_.EngineerEnabled = true;
    } else if ((state_.LiftBits & MotorUp) && (state_.LiftBits & MotorDown)) {
        state_.Crashed = true;
    } else {
        Move();
    }
    ShowLiftState();
}

void Lift::Move() {
    if (state_.LiftBits & MotorUp) {
        --state_.CarTop;
    }
    if (state_.CarTop < TopCrashBelow) {
        state_.Crashed = true;
    }
    state_.LiftBits = WithBit(state_.LiftBits, AtTop, CarAt(Floor::Top));
    if (state_.LiftBits & MotorDown) {
        ++state_.CarTop;
    }
    if (state_.CarTop > BottomCrashAbove) {
        state_.Crashed = true;
    }
    state_.LiftBits = WithBit(state_.LiftBits, AtBottom, CarAt(Floor::Bottom));
    state_.Interval =
        (state_.CarTop < NearTopBelow || state_.CarTop > NearBottomAbove) ? CreepMs : RunMs;
}

bool Lift::CarAt(Floor floor) const {
    return floor == Floor::Top ? state_.CarTop < TopSensorBelow : state_.CarTop > BottomSensorAbove;
}

void Lift::CallLift(Floor floor) {
    bool& enabled = floor == Floor::Top ? state_.UpEnabled : state_.DownEnabled;
    if (!enabled) {
        return;
    }
    state_.LiftBits |= floor == Floor::Top ? CalledUp : CalledDown;
    enabled = false;
    NotifyChange();
}

void Lift::RepairLift() {
    if (!state_.EngineerEnabled) {
        return;
    }
    state_.CarTop = RepairedTop;
    state_.Crashed = false;
    state_.LiftBits = 0;
    state_.EngineerEnabled = false;
    state_.UpEnabled = true;
    state_.DownEnabled = true;
    ShowLiftState();
}

void Lift::ShowLiftState() {
    state_.ShownBits = state_.LiftBits;
    state_.ShownCrashed = state_.Crashed;
    NotifyChange();
}

std::string Lift::StateText() const {
    if (state_.ShownCrashed) {
        return "CRASHED";
    }
    if (state_.ShownBits & MotorUp) {
        return "Going Up";
    }
    return (state_.ShownBits & MotorDown) ? "Going Down" : "Stopped";
}

std::string Lift::DataText() const {
    return "MSB " + BinaryText(state_.ShownBits) + " LSB";
}

void Lift::Restore(const State& state) {
    state_ = state;
    NotifyChange();
}
