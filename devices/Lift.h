#pragma once

#include <cstdint>
#include <string>

#include "core/PortMap.h"
#include "core/TimedDevice.h"
#include "devices/ChangeNotifier.h"

// Port 06: a lift between two floors. OUT bit 0 drives the motor up, bit 1 down, and bits
// 4 and 5 written as 0 reset the bottom and top call buttons. IN reads the motor bits, the
// floor sensors (bit 2 top, bit 3 bottom) and the call buttons. The car moves under its own
// timer; driven past a floor or both ways at once it crashes, and only the repair button
// brings it back.
class Lift : public InputDevice, public OutputDevice, public TimedDevice, public ChangeNotifier {
  public:
    static constexpr int MotorUp = 0x01;
    static constexpr int MotorDown = 0x02;
    static constexpr int AtTop = 0x04;
    static constexpr int AtBottom = 0x08;
    static constexpr int CalledDown = 0x10; // the bottom floor's call button
    static constexpr int CalledUp = 0x20;   // the top floor's call button

    // The car's top edge in window pixels at the bottom floor, where it starts.
    static constexpr int BottomFloor = 232;

    void PortWrite(uint8_t value) override;
    uint8_t PortRead() const override { return static_cast<uint8_t>(liftBits_ & 0xFF); }
    int TimerInterval() const override { return interval_; }
    void Timer1Timer() override;

    enum class Floor { Top, Bottom };
    // A call button pressed at a floor. A call already pending takes no press.
    void CallLift(Floor floor);
    // The repair: the car back just above the bottom floor, every bit cleared. Only a crashed
    // lift, once its next tick has offered the repair, takes it.
    void RepairLift();

    int LiftBits() const { return liftBits_; }
    bool Crashed() const { return crashed_; }
    int CarTop() const { return carTop_; }
    // A call button is disabled (drawn lit) while its call is pending.
    bool SpeedButtonUpEnabled() const { return upEnabled_; }
    bool SpeedButtonDownEnabled() const { return downEnabled_; }
    bool ButtonEngineerEnabled() const { return engineerEnabled_; }
    // LabelState and LabelData as the last tick or repair left them; the state shows in
    // red once the lift has crashed.
    std::string StateText() const;
    bool StateShowsCrash() const { return shownCrashed_; }
    std::string DataText() const;

  private:
    void Move();
    void ShowLiftState();

    int liftBits_ = 0;
    bool crashed_ = false;
    int carTop_ = BottomFloor;
    int interval_ = 100;
    bool upEnabled_ = true;
    bool downEnabled_ = true;
    bool engineerEnabled_ = false;
    // What the labels show: the state as the last tick or repair saw it. The texts are
    // made when asked, as the timer ticks far more often than anybody looks.
    int shownBits_ = 0;
    bool shownCrashed_ = false;
};
