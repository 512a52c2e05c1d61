#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeviceMachine.h"
#include "devices/Vdu.h"
#include "devices/pictures/DevicePictures.h"
#include "devices/pictures/KeyCapShapes.h"
#include "devices/pictures/KeyboardPicture.h"
#include "devices/pictures/KeypadPicture.h"
#include "devices/pictures/LiftPicture.h"
#include "devices/pictures/MazePicture.h"
#include "devices/pictures/PixelMask.h"
#include "devices/pictures/StepperPicture.h"
#include "devices/pictures/VduPicture.h"

namespace {

std::vector<std::string> TextsOf(const PicturePart& part) {
    std::vector<std::string> texts;
    for (const Shape& shape : part.Shapes) {
        if (shape.Kind == ShapeKind::Text) {
            texts.push_back(shape.Text);
        }
    }
    return texts;
}

const Shape* FirstOfKind(const PicturePart& part, ShapeKind kind) {
    for (const Shape& shape : part.Shapes) {
        if (shape.Kind == kind) {
            return &shape;
        }
    }
    return nullptr;
}

// ---- Pixel masks: the key caps' layers ----

// An L: a 6 by 3 bar with a 3 by 3 foot under its right half.
const std::vector<PixelRect> LShape{{0, 0, 5, 2}, {3, 3, 5, 5}};

TEST(PixelMask, WorksPixelsOfUnitedBoxes) {
    const PixelMask mask(LShape);
    struct Case {
        int X, Y;
        bool In, InShrunk;
    };
    for (const Case c : {Case{0, 0, true, false}, Case{2, 3, false, false}, Case{1, 1, true, true},
                         Case{4, 4, true, true}, Case{4, 2, true, true}, Case{3, 4, true, false},
                         Case{6, 1, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.X << "," << c.Y);
        EXPECT_EQ(mask.Has(c.X, c.Y), c.In);
        EXPECT_EQ(mask.Shrunk().Has(c.X, c.Y), c.InShrunk);
    }
}

TEST(PixelMask, BoxesJoinRunsThatRepeatDownwards) {
    EXPECT_EQ(PixelMask(LShape).Boxes(), (std::vector<PixelRect>{{0, 0, 5, 2}, {3, 3, 5, 5}}));
    const PixelMask ring =
        PixelMask({{0, 0, 4, 4}})
            .Intersected(PixelMask({{0, 0, 4, 4}}).Inner(1, 1).United(PixelMask({{0, 0, 4, 0}})));
    EXPECT_EQ(ring.Boxes(), (std::vector<PixelRect>{{0, 0, 4, 0}, {1, 1, 3, 3}}));
    EXPECT_EQ(PixelMask(LShape).Within({0, 0, 2, 9}).Bounds(), (PixelRect{0, 0, 2, 2}));
    EXPECT_TRUE(PixelMask(LShape).Within({6, 0, 9, 9}).Empty());
}

// The rim lies a pixel inside the key's area without its corners; the face the legends go
// on lies inside the rim, the shade and the light.
TEST(KeyCap, LayersLieInsideEachOther) {
    const KeyCap cap = KeyCapOn({{0, 0, 29, 19}});
    ASSERT_FALSE(cap.Shapes.empty());
    const Shape& rim = cap.Shapes.front();
    EXPECT_EQ(rim.Brush.Colour, 0x4A4C56u);
    EXPECT_EQ((PixelRect{int(rim.X), int(rim.Y), int(rim.X + rim.W - 1), int(rim.Y + rim.H - 1)}),
              (PixelRect{2, 1, 27, 1}))
        << "the top row of the rim, its corners left out";
    EXPECT_EQ(cap.Inside, (PixelRect{2, 2, 27, 17}));
    EXPECT_EQ(cap.Face.Bounds(), (PixelRect{3, 3, 26, 15}));
}

// ---- Keypad and keyboard: the keys as hot areas ----

TEST(KeypadPicture, EachCellIsItsKeysHotArea) {
    const Picture picture = KeypadPicture();
    struct Case {
        int X, Y, Action;
    };
    for (const Case c : {Case{10, 100, 0x46}, Case{140, 10, 0x08}, Case{140, 100, 0x0D},
                         Case{150, 10, KeypadBeside}, Case{32, 33, 0x35}, Case{31, 32, 0x31},
                         Case{88, 87, 0x39}, Case{89, 61, 0x43}, Case{117, 112, 0x44},
                         Case{145, 60, 0x08}, Case{118, 61, 0x0D}, Case{0, 113, KeypadBeside}}) {
        EXPECT_EQ(ActionAt(picture, {c.X, c.Y}), c.Action) << c.X << "," << c.Y;
    }
    EXPECT_EQ(TextsOf(picture.Parts.front()).back(), "INT 04 / Port 08");
}

TEST(KeypadPicture, ActionsPressKeysOrTheFaceBeside) {
    DeviceMachine m;
    struct Case {
        int Action;
        bool Taken;
        int Code;
    };
    for (const Case c : {Case{0x41, true, 0x41}, Case{KeypadBeside, true, 0xFF},
                         Case{0x0D, true, 0x0D}, Case{0x47, false, 0x0D}, Case{-1, false, 0x0D}}) {
        EXPECT_EQ(DeviceAction(Peripheral::Keypad, m.devices, c.Action), c.Taken) << c.Action;
        EXPECT_EQ(m.devices.Pad.PadCode(), c.Code) << c.Action;
    }
}

TEST(KeyboardPicture, EachRegionIsAHotAreaThatPressesItsCode) {
    const Picture picture = KeyboardPicture();
    DeviceMachine m;
    struct Case {
        int X, Y, Code;
    };
    for (const Case c : {Case{50, 30, 0x11}, Case{50, 50, 0x71}, Case{0, 0, 0x00},
                         Case{70, 60, 0x41}, Case{100, 5, 0xA3}, Case{395, 40, 0x0A},
                         Case{410, 70, 0x0D}, Case{400, 100, 0x00}, Case{200, 130, 0x20}}) {
        SCOPED_TRACE(testing::Message() << c.X << "," << c.Y);
        ASSERT_TRUE(DeviceAction(Peripheral::Keyboard, m.devices, ActionAt(picture, {c.X, c.Y})));
        EXPECT_EQ(m.devices.Keyboard.KeyCode(), c.Code);
    }
    EXPECT_FALSE(DeviceAction(Peripheral::Keyboard, m.devices, 5000));
}

// A typed character presses the key that types it, as a click on that key does; a device
// without typed keys, or a character without a key, works nothing.
TEST(DevicePictures, TypedKeysPressTheKeyWithTheirCharacter) {
    DeviceMachine m;
    struct Case {
        Peripheral Window;
        uint8_t Typed;
        uint8_t Pressed; // 0: no action
    };
    for (const Case c :
         {Case{Peripheral::Keyboard, '!', '!'}, Case{Peripheral::Keyboard, 0xA3, 0xA3},
          Case{Peripheral::Keyboard, 0x0D, 0x0D}, Case{Peripheral::Keypad, '7', '7'},
          Case{Peripheral::Keypad, 'c', 'C'}, Case{Peripheral::Keypad, 0x08, 0x08},
          Case{Peripheral::Keyboard, 0x80, 0}, Case{Peripheral::Heater, '1', 0}}) {
        SCOPED_TRACE(testing::Message() << int(c.Window) << " " << int(c.Typed));
        const int action = TypedKeyAction(c.Window, c.Typed);
        if (c.Pressed == 0) {
            EXPECT_EQ(action, NoAction);
            continue;
        }
        ASSERT_TRUE(DeviceAction(c.Window, m.devices, action));
        EXPECT_EQ(c.Window == Peripheral::Keypad ? m.devices.Pad.PadCode()
                                                 : m.devices.Keyboard.KeyCode(),
                  c.Pressed);
    }
    EXPECT_EQ(TypedKeyAction(Peripheral::Keyboard, '!'), 0);
}

// The pound key shows its Latin-1 character; the named keys draw symbols, not their names.
TEST(KeyboardPicture, LegendsAreLatin1Characters) {
    const std::vector<std::string> texts = TextsOf(KeyboardPicture().Parts.front());
    const auto has = [&texts](const std::string& text) {
        return std::ranges::find(texts, text) != texts.end();
    };
    EXPECT_TRUE(has("\xA3"));
    EXPECT_TRUE(has("q"));
    EXPECT_TRUE(has("Q"));
    EXPECT_TRUE(has("Normal"));
    EXPECT_TRUE(has("Port 07"));
    EXPECT_FALSE(has("BkSp"));
    EXPECT_FALSE(has("Ctrl+Q"));
}

// ---- Lift ----

enum LiftPart { Ground, ShaftAndCar, TopCall, BottomCall, RepairButton, StateLabel, DataLabel };

TEST(LiftPicture, TheCarAndItsCableFollowTheModel) {
    DeviceMachine m;
    Lift& lift = m.devices.Car;
    lift.PortWrite(Lift::MotorUp);
    for (int ticks = 0; ticks < 20; ++ticks) {
        lift.Timer1Timer();
    }
    const PicturePart shaft = LiftPicture(lift).Parts[ShaftAndCar];
    const Shape* car = nullptr;
    for (const Shape& shape : shaft.Shapes) {
        if (shape.Brush.Colour == 0x000080 && shape.Kind == ShapeKind::Rect) {
            car = &shape;
        }
    }
    ASSERT_NE(car, nullptr);
    EXPECT_EQ(car->Y, lift.CarTop());
    EXPECT_EQ(lift.CarTop(), 212);
    const Shape& cable = shaft.Shapes[7];
    EXPECT_EQ(cable.Y + cable.H, lift.CarTop()) << "the cable reaches down to the car";
    EXPECT_TRUE(LiftPicture(lift).Parts[StateLabel].DesktopLabel);
}

TEST(LiftPicture, ButtonsLightAndLabelsFollowTheModel) {
    DeviceMachine m;
    Lift& lift = m.devices.Car;
    struct Case {
        int Action;
        bool TopLit, BottomLit;
        const char* State;
        Rgb StateInk;
        const char* Data;
    };
    lift.PortWrite(0x03); // both ways at once: the next tick crashes the car
    const Case cases[] = {
        {LiftCallTop, true, false, "Stopped", Black, "MSB 00000000 LSB"},
        {LiftCallBottom, true, true, "Stopped", Black, "MSB 00000000 LSB"},
        {LiftRepair, true, true, "Stopped", Black, "MSB 00000000 LSB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Action);
        EXPECT_TRUE(LiftAction(lift, c.Action));
        const Picture picture = LiftPicture(lift);
        EXPECT_EQ(picture.Parts[TopCall].Shapes.back().Brush.Visible, c.TopLit);
        EXPECT_EQ(picture.Parts[BottomCall].Shapes.back().Brush.Visible, c.BottomLit);
        EXPECT_EQ(TextsOf(picture.Parts[StateLabel]), std::vector<std::string>{c.State});
        EXPECT_EQ(FirstOfKind(picture.Parts[StateLabel], ShapeKind::Text)->Pen.Colour, c.StateInk);
        EXPECT_EQ(TextsOf(picture.Parts[DataLabel]), std::vector<std::string>{c.Data});
    }
    lift.Timer1Timer();
    lift.Timer1Timer();
    Picture crashed = LiftPicture(lift);
    EXPECT_EQ(TextsOf(crashed.Parts[StateLabel]), std::vector<std::string>{"CRASHED"});
    EXPECT_EQ(FirstOfKind(crashed.Parts[StateLabel], ShapeKind::Text)->Pen.Colour, Red);
    EXPECT_EQ(FirstOfKind(crashed.Parts[RepairButton], ShapeKind::Text)->Pen.Colour, Black)
        << "the repair is offered";
    ASSERT_TRUE(DeviceAction(Peripheral::Lift, m.devices, ActionAt(crashed, {100, 400})));
    EXPECT_FALSE(lift.Crashed());
    EXPECT_NE(FirstOfKind(LiftPicture(lift).Parts[RepairButton], ShapeKind::Text)->Pen.Colour,
              Black);
    EXPECT_FALSE(LiftAction(lift, 0));
}

TEST(LiftPicture, TheButtonsAreTheHotAreas) {
    const Picture picture = LiftPicture(DeviceMachine().devices.Car);
    struct Case {
        int X, Y, Action;
    };
    for (const Case c :
         {Case{20, 116, LiftCallTop}, Case{8, 104, LiftCallTop}, Case{20, 276, LiftCallBottom},
          Case{100, 400, LiftRepair}, Case{33, 116, NoAction}, Case{100, 200, NoAction}}) {
        EXPECT_EQ(ActionAt(picture, {c.X, c.Y}), c.Action) << c.X << "," << c.Y;
    }
}

// ---- Maze ----

TEST(MazePicture, TheTrailGrowsOncePerPlaceUntilFFResetsIt) {
    DeviceMachine m;
    Maze& maze = m.devices.Snake;
    struct Case {
        int Byte;
        size_t Trail;
        PixelPoint Head;
    };
    // Down 5 and back up 3 covers places already on the trail.
    for (const Case c : {Case{0x45, 6, {20, 25}}, Case{0x83, 6, {20, 22}}, Case{0x12, 8, {22, 22}},
                         Case{0xFF, 0, {20, 20}}, Case{0x10, 1, {20, 20}}}) {
        SCOPED_TRACE(c.Byte);
        maze.PortWrite(static_cast<uint8_t>(c.Byte));
        EXPECT_EQ(maze.Trail().size(), c.Trail);
        const Picture picture = MazePicture(maze);
        ASSERT_EQ(picture.Parts.size(), 2 + c.Trail + 1) << "ground, byte, trail and head";
        EXPECT_EQ(picture.Parts.back().Area, Maze::HeadBox(c.Head));
    }
}

TEST(MazePicture, TheByteShowsFromTheFirstOutput) {
    DeviceMachine m;
    EXPECT_EQ(TextsOf(MazePicture(m.devices.Snake).Parts[1]),
              std::vector<std::string>{Maze::Legend[2].Text});
    m.devices.Snake.PortWrite(0x85);
    EXPECT_EQ(TextsOf(MazePicture(m.devices.Snake).Parts[1]),
              std::vector<std::string>{" 1    0    0    0   0 1 0 1"});
}

TEST(MazePicture, ARestoredMazeStartsItsTrailAtTheHead) {
    DeviceMachine m;
    Maze& maze = m.devices.Snake;
    maze.PortWrite(0x4A);
    maze.Restore({.SnakeX = 40, .SnakeY = 50, .LastByte = 0x1A});
    EXPECT_EQ(maze.Trail(), (std::vector<PixelPoint>{{40, 50}}));
}

// ---- Stepper motor ----

TEST(StepperPicture, PolesLightWithTheirPhasesAndTheBitsShowTheByte) {
    DeviceMachine m;
    StepperMotor& motor = m.devices.Motor;
    EXPECT_TRUE(TextsOf(StepperPicture(motor).Parts[1]).empty()) << "no labels before an output";
    struct Case {
        int Byte;
        const char* Bits; // bit 0 first
    };
    for (const Case c : {Case{0x03, "11000000"}, Case{0xF2, "01001111"}}) {
        SCOPED_TRACE(c.Byte);
        motor.PortWrite(static_cast<uint8_t>(c.Byte));
        const Picture picture = StepperPicture(motor);
        int lit = 0;
        for (const Shape& shape : picture.Parts[0].Shapes) {
            lit += shape.Kind == ShapeKind::Ellipse && shape.Brush.Colour == Red;
        }
        EXPECT_EQ(lit, 9 * std::popcount(static_cast<unsigned>(c.Byte & 0x0F)));
        std::vector<std::string> texts{"LSB"};
        for (const char* bit = c.Bits; *bit; ++bit) {
            texts.emplace_back(1, *bit);
        }
        EXPECT_EQ(TextsOf(picture.Parts[1]), texts);
    }
}

// ---- VDU ----

TEST(VduPicture, EachCellIsAPartColumnByColumnWithItsGlyph) {
    TestMachine test("END\n");
    ASSERT_TRUE(test.Assemble());
    test.machine.Machine.WriteCell(0xC1, 'A');
    test.machine.Machine.WriteCell(0xD0, 0x0D);
    test.machine.Machine.WriteCell(0xFF, 0xE9);
    const VduGrid grid{
        .Width = 320, .Height = 80, .FontPixels = 13, .TextWidth = 8, .TextHeight = 15};
    const Picture picture = VduPicture(test.machine.Machine, grid);
    ASSERT_EQ(picture.Parts.size(), 64u);
    struct Case {
        size_t Part;
        PixelRect Area;
        const char* Text;
    };
    for (const Case c : {Case{4, {20, 0, 27, 14}, "A"}, Case{1, {0, 20, 7, 34}, " "},
                         Case{63, {300, 60, 307, 74}, "\xE9"}, Case{0, {0, 0, 7, 14}, " "}}) {
        EXPECT_EQ(picture.Parts[c.Part].Area, c.Area) << c.Part;
        EXPECT_EQ(TextsOf(picture.Parts[c.Part]), std::vector<std::string>{c.Text}) << c.Part;
    }
}

TEST(Vdu, ControlCodesShowBlank) {
    for (int code = 0; code < 256; ++code) {
        const bool blank = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        EXPECT_EQ(ShownCode(static_cast<uint8_t>(code)), blank ? ' ' : code) << code;
    }
}

// ---- The table ----

TEST(DevicePictures, EveryConvertedDeviceHasAPictureOfItsSize) {
    DeviceMachine m;
    struct Case {
        Peripheral Window;
        int Width, Height;
    };
    for (const Case c : {Case{Peripheral::Maze, 200, 271}, Case{Peripheral::Stepper, 200, 218},
                         Case{Peripheral::Lift, 200, 426}, Case{Peripheral::Keyboard, 430, 155},
                         Case{Peripheral::Keypad, 152, 139}}) {
        const Picture picture = DevicePicture(c.Window, m.devices);
        EXPECT_EQ(picture.Width, c.Width);
        EXPECT_EQ(picture.Height, c.Height);
        EXPECT_FALSE(picture.Parts.empty());
    }
}

} // namespace
