#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/PortMap.h"
#include "devices/ChangeNotifier.h"
#include "devices/Drawing.h"

class UserInterface;

// Port 05: a stepper motor whose four phase windings hang on bits 0..3. The stator has 36
// poles, every fourth on the same phase; the rotor has 9 spokes. The rotor follows a new
// phase pattern only when it is a near neighbour of the one it stands at, so a program must
// step through the patterns in order; a pattern no rotor position matches beeps.
class StepperMotor : public OutputDevice, public ChangeNotifier {
  public:
    explicit StepperMotor(UserInterface& ui) : ui_(ui) {}

    // The picture: a teal disc with the poles on its rim on a black ground, 200 x 218.
    static constexpr int PictureWidth = 200;
    static constexpr int PictureHeight = 218;
    static constexpr PixelPoint Centre{PictureWidth / 2, PictureWidth / 2};
    static constexpr int Radius = PictureWidth / 3;
    static constexpr int PoleCount = 36;
    static constexpr int PoleRadius = 6;
    static constexpr int SpokeCount = 9;
    static constexpr int SpokeWidth = 10;
    static constexpr int SpokeLength = Radius - 12;

    // The point at an angle, in turns, on a circle around the centre: 0 is straight down,
    // positive angles go to the right (counter-clockwise on the screen).
    static PixelPoint PointAt(double turns, double radius);
    static PixelPoint PoleCentre(int pole);
    // The phase bit that energises a pole.
    static uint8_t PhaseMask(int pole);
    // Where the rotor stands for a phase pattern, in degrees: 0 for 01, 5 degrees more
    // clockwise for each further pattern of the half-step cycle, down to -35 for 09.
    static double RotorOffset(int pattern);
    static std::array<PixelPoint, SpokeCount> SpokeEnds(int pattern);
    // The four white wires from the poles of phases 0..3 down towards the bit labels.
    static std::array<PixelLine, 4> Wires();

    // The eight bit labels of the last output, bit 0 first, on the row y = LabelRow.
    static constexpr int LabelRow = 194;
    static constexpr int LsbX = 106; // "LSB", black on green, right of bit 0
    static const std::array<int, 8> BitLabelX;

    void PortWrite(uint8_t value) override;

    // The rotor's pattern now and before the last output, and the last byte written.
    struct State {
        int16_t StepState = 0x01;
        int16_t PrevState = 0x01;
        std::optional<uint8_t> LastOutput;
        bool operator==(const State&) const = default;
    };
    const State& CurrentState() const { return state_; }
    void Restore(const State& state);

    // The pattern the rotor stands at, and the one it stood at before the last output.
    int StepState() const { return state_.StepState; }
    int PrevState() const { return state_.PrevState; }
    // The last byte written; the bit labels appear with the first output.
    std::optional<uint8_t> LastOutput() const { return state_.LastOutput; }
    // The last change gave back a state: a window draws its whole picture again.
    bool LastChangeRestored() const { return restored_; }
    // A pole is red while its phase is energised, green otherwise.
    bool PoleEnergised(int pole) const;
    bool BitSet(int bit) const;

  private:
    UserInterface& ui_;
    State state_;
    bool restored_ = false;
};
