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
    uint8_t PortRead() const override { return static_cast<uint8_t>(state_.LiftBits & 0xFF); }
    int TimerInterval() const override { return state_.Interval; }
    void Timer1Timer() override;

    enum class Floor { Top, Bottom };
    // A call button pressed at a floor. A call already pending takes no press.
    void CallLift(Floor floor);
    // The repair: the car back just above the bottom floor, every bit cleared. Only a crashed
    // lift, once its next tick has offered the repair, takes it.
    void RepairLift();

    // The car, its bits and buttons, its timer's interval and what the labels show: the
    // labels show the state as the last tick or repair saw it.
    struct State {
        int LiftBits = 0;
        bool Crashed = false;
        int CarTop = BottomFloor;
        int Interval = 100;
        bool UpEnabled = true;
        bool DownEnabled = true;
        bool EngineerEnabled = false;
        int ShownBits = 0;
        bool ShownCrashed = false;
        bool operator==(const State&) const = default;
    };
    const State& CurrentState() const { return state_; }
    void Restore(const State& state);

    int LiftBits() const { return state_.LiftBits; }
    bool Crashed() const { return state_.Crashed; }
    int CarTop() const { return state_.CarTop; }
    // Whether the car stands where a floor's sensor sees it, read by a tick or not yet.
    bool CarAt(Floor floor) const;
    // A call button is disabled (drawn lit) while its call is pending.
    bool SpeedButtonUpEnabled() const { return state_.UpEnabled; }
    bool SpeedButtonDownEnabled() const { return state_.DownEnabled; }
    bool ButtonEngineerEnabled() const { return state_.EngineerEnabled; }
    // LabelState and LabelData as the last tick or repair left them; the state shows in
    // red once the lift has crashed. The texts are made when asked, as the timer ticks far
    // more often than anybody looks.
    std::string StateText() const;
    bool StateShowsCrash() const { return state_.ShownCrashed; }
    std::string DataText() const;

  private:
    void Move();
    void ShowLiftState();

    State state_;
};
