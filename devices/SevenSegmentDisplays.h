#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/PortMap.h"
#include "devices/ChangeNotifier.h"
#include "devices/Drawing.h"

// Port 02: two seven-segment digits. Bit 0 of the byte selects the digit (1 right, 0 left),
// bits 7..1 switch its segments. Each digit keeps the last pattern written to it, so a
// program shows two digits by writing twice.
class SevenSegmentDisplays : public OutputDevice, public ChangeNotifier {
  public:
    enum class Digit { Left, Right };

    // A segment is a stack of one-pixel lines; lit yellow, unlit black.
    struct Segment {
        uint8_t Mask;
        std::vector<PixelLine> Lines; // of the right digit
    };
    // Top, upper left, lower left, bottom, lower right, middle, upper right: the drawing order.
    static const std::array<Segment, 7> Segments;
    // The left digit is the right one moved this far along x.
    static constexpr int LeftDigitShift = -84;
    static std::vector<PixelLine> LinesOf(Digit digit, const Segment& segment);

    void PortWrite(uint8_t value) override;

    // The last byte written and the pattern each digit keeps.
    struct State {
        uint8_t Value = 0;
        uint8_t LeftLatch = 0;
        uint8_t RightLatch = 0;
        bool operator==(const State&) const = default;
    };
    const State& CurrentState() const { return state_; }
    void Restore(const State& state);

    uint8_t LeftLatch() const { return state_.LeftLatch; }
    uint8_t RightLatch() const { return state_.RightLatch; }
    bool IsLit(Digit digit, const Segment& segment) const;
    // sevSegLabel: the last byte written, bit 7 first.
    std::string LabelText() const;

  private:
    State state_;
};
