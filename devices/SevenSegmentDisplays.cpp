#include "devices/SevenSegmentDisplays.h"

#include "assembler/RegisterText.h"

namespace {

constexpr uint8_t SelectRight = 0x01;

} // namespace

const std::array<SevenSegmentDisplays::Segment, 7> SevenSegmentDisplays::Segments{{
    {0x80,
     {{{124, 47}, {156, 47}},
      {{125, 48}, {155, 48}},
      {{126, 49}, {154, 49}},
      {{127, 50}, {153, 50}},
      {{128, 51}, {152, 51}}}},
    {0x40,
     {{{122, 49}, {122, 79}},
      {{123, 50}, {123, 78}},
      {{124, 51}, {124, 77}},
      {{125, 52}, {125, 76}},
      {{126, 53}, {126, 75}}}},
    {0x20,
     {{{122, 84}, {122, 113}},
      {{123, 85}, {123, 112}},
      {{124, 86}, {124, 111}},
      {{125, 87}, {125, 110}},
      {{126, 88}, {126, 109}}}},
    {0x10,
     {{{124, 114}, {156, 114}},
      {{125, 113}, {155, 113}},
      {{126, 112}, {154, 112}},
      {{127, 111}, {153, 111}},
      {{128, 110}, {152, 110}}}},
    {0x08,
     {{{157, 84}, {157, 113}},
      {{156, 85}, {156, 112}},
      {{155, 86}, {155, 111}},
      {{154, 87}, {154, 110}},
      {{153, 88}, {153, 109}}}},
    // Four lines: row 81 stays dark between the two halves.
    {0x04,
     {{{125, 79}, {155, 79}},
      {{124, 80}, {156, 80}},
      {{124, 82}, {156, 82}},
      {{125, 83}, {155, 83}}}},
    {0x02,
     {{{157, 49}, {157, 79}},
      {{156, 50}, {156, 78}},
      {{155, 51}, {155, 77}},
      {{154, 52}, {154, 76}},
      {{153, 53}, {153, 75}}}},
}};

std::vector<PixelLine> SevenSegmentDisplays::LinesOf(Digit digit, const Segment& segment) {
    std::vector<PixelLine> lines = segment.Lines;
    if (digit == Digit::Left) {
        for (PixelLine& line : lines) {
            line.From.X += LeftDigitShift;
            line.To.X += LeftDigitShift;
        }
    }
    return lines;
}

void SevenSegmentDisplays::PortWrite(uint8_t value) {
    state_.Value = value;
    if (value & SelectRight) {
        state_.RightLatch = value;
    } else {
        state_.LeftLatch = value;
    }
    NotifyChange();
}

bool SevenSegmentDisplays::IsLit(Digit digit, const Segment& segment) const {
    const uint8_t latch = digit == Digit::Left ? state_.LeftLatch : state_.RightLatch;
    return (latch & segment.Mask) != 0;
}

std::string SevenSegmentDisplays::LabelText() const {
    return BinaryText(state_.Value);
}

void SevenSegmentDisplays::Restore(const State& state) {
    state_ = state;
    NotifyChange();
}
