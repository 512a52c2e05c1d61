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
    liftBits_ = (value & ~SensorBits & 0xFF) | (liftBits_ & SensorBits);
    downEnabled_ = (liftBits_ & CalledDown) == 0;
    upEnabled_ = (liftBits_ & CalledUp) == 0;
    NotifyChange();
}

void Lift::Timer1Timer() {
    if (crashed_) {
        engineerEnabled_ = true;
    } else if ((liftBits_ & MotorUp) && (liftBits_ & MotorDown)) {
        crashed_ = true;
    } else {
        Move();
    }
    ShowLiftState();
}

void Lift::Move() {
    if (liftBits_ & MotorUp) {
        --carTop_;
    }
    if (carTop_ < TopCrashBelow) {
        crashed_ = true;
    }
    liftBits_ = WithBit(liftBits_, AtTop, carTop_ < TopSensorBelow);
    if (liftBits_ & MotorDown) {
        ++carTop_;
    }
    if (carTop_ > BottomCrashAbove) {
        crashed_ = true;
    }
    liftBits_ = WithBit(liftBits_, AtBottom, carTop_ > BottomSensorAbove);
    interval_ = (carTop_ < NearTopBelow || carTop_ > NearBottomAbove) ? CreepMs : RunMs;
}

void Lift::CallLift(Floor floor) {
    bool& enabled = floor == Floor::Top ? upEnabled_ : downEnabled_;
    if (!enabled) {
        return;
    }
    liftBits_ |= floor == Floor::Top ? CalledUp : CalledDown;
    enabled = false;
    NotifyChange();
}

void Lift::RepairLift() {
    if (!engineerEnabled_) {
        return;
    }
    carTop_ = RepairedTop;
    crashed_ = false;
    liftBits_ = 0;
    engineerEnabled_ = false;
    upEnabled_ = true;
    downEnabled_ = true;
    ShowLiftState();
}

void Lift::ShowLiftState() {
    shownBits_ = liftBits_;
    shownCrashed_ = crashed_;
    NotifyChange();
}

std::string Lift::StateText() const {
    if (shownCrashed_) {
        return "CRASHED";
    }
    if (shownBits_ & MotorUp) {
        return "Going Up";
    }
    return (shownBits_ & MotorDown) ? "Going Down" : "Stopped";
}

std::string Lift::DataText() const {
    return "MSB " + BinaryText(shownBits_) + " LSB";
}
