#include <gtest/gtest.h>

#include <string>

#include "DeviceMachine.h"
#include "devices/Vdu.h"

// The devices that only show what the CPU wrote: traffic lights, seven-segment displays
// and the VDU.
namespace {

template <typename Range, typename Lit> std::string Pattern(const Range& parts, Lit lit) {
    std::string pattern;
    for (const auto& part : parts) {
        pattern += lit(part) ? '1' : '0';
    }
    return pattern;
}

TEST(TrafficLights, ASequenceLightsTheLampsOfBitsSevenToTwo) {
    DeviceMachine m(OutProgram(0x01, {0x84, 0xC8, 0x03, 0xFC}));
    ASSERT_TRUE(m.Assemble());
    const TrafficLights& lights = m.devices.Lights;
    const auto lit = [&lights] {
        return Pattern(TrafficLights::Lamps, [&lights](const auto& l) { return lights.IsLit(l); });
    };
    EXPECT_EQ(lights.LabelText(), "00000000");
    // Left red, amber, green, then right red, amber, green.
    for (const char* expected : {"100001", "110010", "000000", "111111"}) {
        m.Step(2);
        EXPECT_EQ(lit(), expected) << lights.LabelText();
    }
    EXPECT_EQ(lights.LabelText(), "11111100");
}

TEST(SevenSegmentDisplays, EachDigitKeepsTheLastPatternWrittenToIt) {
    using Digit = SevenSegmentDisplays::Digit;
    struct Output {
        int Left, Right;
        const char *LeftLit, *RightLit; // top, upper left, lower left, bottom, lower right,
                                        // middle, upper right
    };
    const Output outputs[] = {{0xFE, 0x00, "1111111", "0000000"}, // an eight
                              {0xFE, 0x0B, "1111111", "0000101"}, // a one
                              {0xFA, 0x0B, "1111101", "0000101"}, // a nought
                              {0x00, 0x0B, "0000000", "0000101"},
                              {0x00, 0x01, "0000000", "0000000"}};
    DeviceMachine m(OutProgram(0x02, {0xFE, 0x0B, 0xFA, 0x00, 0x01}));
    ASSERT_TRUE(m.Assemble());
    const SevenSegmentDisplays& digits = m.devices.Digits;
    for (const Output& output : outputs) {
        m.Step(2);
        SCOPED_TRACE(digits.LabelText());
        EXPECT_EQ(digits.LeftLatch(), output.Left);
        EXPECT_EQ(digits.RightLatch(), output.Right);
        for (const auto& [digit, expected] :
             {std::pair{Digit::Left, output.LeftLit}, std::pair{Digit::Right, output.RightLit}}) {
            EXPECT_EQ(Pattern(SevenSegmentDisplays::Segments,
                              [&](const auto& s) { return digits.IsLit(digit, s); }),
                      expected);
        }
    }
    const auto leftTop = SevenSegmentDisplays::LinesOf(Digit::Left, digits.Segments[0]);
    EXPECT_EQ(leftTop[0], (PixelLine{{40, 47}, {72, 47}}));
}

TEST(Vdu, C0IsTheTopLeftAndFFTheBottomRight) {
    DeviceMachine m("MOV AL,41\nMOV [C0],AL\nMOV AL,A3\nMOV [FF],AL\nHALT\nEND\n");
    EXPECT_EQ(VduCharacter(m.machine.Machine, 0, 0), ' '); // no RAM before assembling
    ASSERT_TRUE(m.Assemble());
    m.Step(4);
    EXPECT_EQ(VduCharacter(m.machine.Machine, 0, 0), 'A');
    EXPECT_EQ(VduCharacter(m.machine.Machine, 3, 15), 0xA3); // the low byte of the held -93
    EXPECT_EQ(VduCharacter(m.machine.Machine, 3, 14), ' ');
}

} // namespace
