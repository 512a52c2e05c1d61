#include <gtest/gtest.h>

#include <string>

#include "DeviceMachine.h"
#include "devices/pictures/DevicePictures.h"
#include "devices/pictures/HeaterPicture.h"

// The pictures' descriptions as the devices' states make them, and the actions their hot
// areas work.
namespace {

// The fill or line colour a part shows, from its first shape.
Rgb ColourOf(const PicturePart& part) {
    const Shape& shape = part.Shapes.front();
    return shape.Brush.Visible ? shape.Brush.Colour : shape.Pen.Colour;
}

// '1' where a part shows its lit colour, '0' where it is black, '?' otherwise.
std::string Lit(const Picture& picture, size_t first, size_t count, Rgb lit) {
    std::string pattern;
    for (size_t index = first; index < first + count; ++index) {
        const Rgb colour = ColourOf(picture.Parts[index]);
        pattern += colour == lit ? '1' : (colour == Black ? '0' : '?');
    }
    return pattern;
}

// The last text a part writes.
std::string TextOf(const PicturePart& part) {
    return part.Shapes.back().Text;
}

TEST(TrafficLightsPicture, LampsLightInTheirColoursAndTheLabelShowsTheByte) {
    struct Case {
        int Byte;
        const char* Red;   // left, right
        const char* Amber; // left, right
        const char* Label;
    };
    DeviceMachine m;
    for (const Case c : {Case{0x00, "00", "00", "00000000"}, Case{0x84, "10", "00", "10000100"},
                         Case{0x48, "00", "11", "01001000"}, Case{0xFF, "11", "11", "11111111"}}) {
        m.devices.Lights.PortWrite(static_cast<uint8_t>(c.Byte));
        const Picture picture = DevicePicture(Peripheral::TrafficLights, m.devices);
        ASSERT_EQ(picture.Parts.size(), 8u) << "ground, six lamps, label";
        const std::string reds = Lit(picture, 1, 1, Red) + Lit(picture, 4, 1, Red);
        const std::string ambers = Lit(picture, 2, 1, Yellow) + Lit(picture, 5, 1, Yellow);
        EXPECT_EQ(reds, c.Red) << c.Label;
        EXPECT_EQ(ambers, c.Amber) << c.Label;
        EXPECT_EQ(TextOf(picture.Parts.back()), c.Label);
    }
}

// A lamp's part covers its box and no more, so that a change repaints only the lamp.
TEST(TrafficLightsPicture, EachLampIsAPartOfItsOwnBox) {
    DeviceMachine m;
    const Picture picture = DevicePicture(Peripheral::TrafficLights, m.devices);
    for (size_t lamp = 0; lamp < TrafficLights::Lamps.size(); ++lamp) {
        EXPECT_EQ(picture.Parts[lamp + 1].Area, TrafficLights::Lamps[lamp].Box) << lamp;
    }
}

TEST(SevenSegmentPicture, EachDigitsSegmentsFollowItsLatch) {
    struct Case {
        int Byte;
        const char* Right; // top, upper left, lower left, bottom, lower right, middle, upper right
        const char* Left;
    };
    DeviceMachine m;
    for (const Case c : {Case{0xFE, "0000000", "1111111"}, Case{0x0B, "0000101", "1111111"},
                         Case{0xFA, "0000101", "1111101"}, Case{0x01, "0000000", "1111101"}}) {
        m.devices.Digits.PortWrite(static_cast<uint8_t>(c.Byte));
        const Picture picture = DevicePicture(Peripheral::SevenSegment, m.devices);
        ASSERT_EQ(picture.Parts.size(), 16u) << "board, fourteen segments, label";
        EXPECT_EQ(Lit(picture, 1, 7, Yellow), c.Right) << c.Byte;
        EXPECT_EQ(Lit(picture, 8, 7, Yellow), c.Left) << c.Byte;
    }
    EXPECT_EQ(TextOf(DevicePicture(Peripheral::SevenSegment, m.devices).Parts.back()), "00000001");
}

// Every row of the picture above the labels is a thermometer click, reading the scale.
TEST(HeaterPicture, EachRowOfThePictureSetsTheDegreesItReads) {
    DeviceMachine m;
    const Picture picture = DevicePicture(Peripheral::Heater, m.devices);
    for (int y = 0; y < 218; ++y) {
        for (int x : {0, 170, 199}) {
            EXPECT_EQ(ActionAt(picture, {x, y}), y <= 200 ? ThermometerAction(y) : NoAction)
                << x << "," << y;
        }
    }
    EXPECT_EQ(ActionAt(picture, {200, 100}), NoAction);
}

TEST(HeaterPicture, ActionsSetTheRoomWithinItsRange) {
    struct Case {
        int Action;
        bool Taken;
        double Degrees;
    };
    DeviceMachine m;
    for (const Case c : {Case{ThermometerAction(74), true, 25.0}, Case{HeaterWarmer, true, 26.0},
                         Case{HeaterCooler, true, 25.0}, Case{ThermometerAction(0), true, 40.0},
                         Case{HeaterWarmer, true, 40.0}, Case{ThermometerAction(200), true, 0.0},
                         Case{HeaterCooler, true, 0.0}, Case{NoAction, false, 0.0},
                         Case{HeaterSetDegrees + 500, false, 0.0}}) {
        EXPECT_EQ(DeviceAction(Peripheral::Heater, m.devices, c.Action), c.Taken) << c.Action;
        EXPECT_EQ(m.devices.Heating.Temperature(), c.Degrees) << c.Action;
    }
}

// The mercury rises 3 pixels a degree; the switch shows nothing before the first output.
TEST(HeaterPicture, TheMercuryAndTheSwitchFollowTheRoomAndTheHeater) {
    struct Case {
        int Degrees;
        int Output;
        int MercuryTop; // first red row of the column
        Rgb Switch;
        const char* Reading;
    };
    DeviceMachine m;
    for (const Case c :
         {Case{0, -1, 150, 0x505458, "   0.00 C   "}, Case{25, 0x80, 75, Red, "   25.00 C   "},
          Case{40, 0x00, 30, 0xEFEFEF, "   40.00 C   "}}) {
        m.devices.Heating.SetRoomTemperature(c.Degrees);
        if (c.Output >= 0) {
            m.devices.Heating.PortWrite(static_cast<uint8_t>(c.Output));
        }
        const Picture picture = DevicePicture(Peripheral::Heater, m.devices);
        const Shape& mercury = picture.Parts[1].Shapes.back();
        EXPECT_EQ(mercury.Y, c.MercuryTop) << c.Degrees;
        EXPECT_EQ(mercury.Y + mercury.H, Heater::ColumnBottom) << c.Degrees;
        EXPECT_EQ(TextOf(picture.Parts[2]), c.Reading);
        EXPECT_EQ(ColourOf(picture.Parts[3]), c.Switch) << c.Degrees;
    }
}

TEST(DevicePictures, DevicesWithoutClicksTakeNoActions) {
    DeviceMachine m;
    for (Peripheral window : {Peripheral::TrafficLights, Peripheral::SevenSegment}) {
        EXPECT_FALSE(DeviceAction(window, m.devices, HeaterWarmer));
    }
}

} // namespace
