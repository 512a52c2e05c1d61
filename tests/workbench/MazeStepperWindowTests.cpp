#include <QImage>
#include <QRect>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "assembler/RegisterText.h"
#include "devices/Peripherals.h"
#include "devices/WholeMachine.h"
#include "support/TestMachine.h"
#include "workbench/devices/TformMaze.h"
#include "workbench/devices/TformStep.h"

namespace {

struct PixelCheck {
    int X, Y;
    Rgb Colour;
    const char* What;
};

Rgb ColourAt(const QImage& picture, int x, int y) {
    return picture.pixel(x, y) & 0xFFFFFF;
}

void ExpectPixels(const QImage& picture, const std::vector<PixelCheck>& checks) {
    for (const PixelCheck& check : checks) {
        EXPECT_EQ(ColourAt(picture, check.X, check.Y), check.Colour)
            << check.What << " at " << check.X << "," << check.Y;
    }
}

int Distance(Rgb a, Rgb b) {
    int sum = 0;
    for (int shift : {0, 8, 16}) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

// Whether an area holds a text's ink on its paper: a pixel nearer the ink than the paper,
// whatever the smoothing of the glyph's edges.
bool HasInk(const QImage& picture, const QRect& area, Rgb ink, Rgb paper) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const Rgb colour = ColourAt(picture, x, y);
            if (Distance(colour, ink) < Distance(colour, paper)) {
                return true;
            }
        }
    }
    return false;
}

// A headless machine with every device plugged in, and a program that writes each byte to
// a port in turn, a MOV and an OUT for each.
struct DeviceBench {
    TestMachine tm;
    Peripherals devices{tm.machine, tm.ui, tm.machine.Ports};

    DeviceBench(int port, const std::vector<int>& bytes) {
        std::string source;
        for (int byte : bytes) {
            source += "MOV AL," + HexByte(byte) + "\nOUT " + HexByte(port) + "\n";
        }
        tm.Load(source + "END\n");
        EXPECT_TRUE(tm.Assemble());
    }
    // Runs the next output.
    void Out() { tm.Step(2); }
};

// The snake.

constexpr int MazePort = 0x04;

TEST(MazeWindow, StartsWithTheMazeItsLegendAndTheHead) {
    DeviceBench bench(MazePort, {});
    TformMaze window(nullptr, bench.devices.Snake);
    const QImage& picture = window.Picture();
    ExpectPixels(picture, {{0, 0, Black, "frame"},
                           {199, 270, Black, "frame"},
                           {100, 196, Black, "square's bottom edge"},
                           {196, 100, Black, "square's right edge"},
                           {40, 100, Olive, "wall down from the top"},
                           {80, 150, Olive, "wall up from the bottom"},
                           {100, 80, Olive, "upper corner wall"},
                           {120, 140, Olive, "upper corner wall"},
                           {140, 40, Olive, "lower corner wall"},
                           {160, 180, Olive, "lower corner wall"},
                           {60, 60, Lime, "field"},
                           {20, 20, Yellow, "head"},
                           {20, 15, Red, "head's outline"},
                           {20, 14, Lime, "above the head"},
                           {6, 240, Lime, "legend's background"}});
    for (const Maze::LegendLine& line : Maze::Legend) {
        EXPECT_TRUE(HasInk(picture, QRect(Maze::LegendX, line.Y, 180, 12), Black, Lime))
            << line.Text;
    }
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(ColourAt(shown, 40, 100), Olive);
    EXPECT_EQ(ColourAt(shown, 20, 20), Yellow);
}

// Each move leaves the head one circle of diameter 10 further on: its outline lies 5 pixels
// ahead of its centre and the field 6 pixels ahead, where the edge does not stop it.
TEST(MazeWindow, TheHeadEndsWhereTheMoveEnds) {
    struct Move {
        int Byte;
        QPoint Head, Direction;
        Rgb Beyond;
    };
    const Move moves[] = {{0x85, {20, 15}, {0, -1}, Lime}, {0x43, {20, 23}, {0, 1}, Lime},
                          {0x1A, {30, 20}, {1, 0}, Lime},  {0x2A, {10, 20}, {-1, 0}, Lime},
                          {0x8F, {20, 7}, {0, -1}, Black}, {0x10, {20, 20}, {1, 0}, Lime}};
    for (const Move& move : moves) {
        SCOPED_TRACE(HexByte(move.Byte));
        DeviceBench bench(MazePort, {move.Byte});
        TformMaze window(nullptr, bench.devices.Snake);
        bench.Out();
        const QPoint outline = move.Head + 5 * move.Direction;
        const QPoint beyond = outline + move.Direction;
        ExpectPixels(window.Picture(), {{move.Head.x(), move.Head.y(), Yellow, "centre"},
                                        {outline.x(), outline.y(), Red, "outline"},
                                        {beyond.x(), beyond.y(), move.Beyond, "beyond"},
                                        {6, 240, Yellow, "byte's background"}});
    }
}

TEST(MazeWindow, TheTrailStaysUntilFFResetsTheMaze) {
    DeviceBench bench(MazePort, {0x4A, 0x1A, 0xFF});
    TformMaze window(nullptr, bench.devices.Snake);
    bench.Out();
    bench.Out();
    // Down to 20,30, then right to 30,30: overlapping circles, red arcs on yellow.
    const QPoint trail[] = {{20, 28}, {25, 30}, {30, 30}};
    for (QPoint point : trail) {
        EXPECT_NE(ColourAt(window.Picture(), point.x(), point.y()), Lime)
            << point.x() << "," << point.y();
    }
    bench.Out();
    for (QPoint point : trail) {
        EXPECT_EQ(ColourAt(window.Picture(), point.x(), point.y()), Lime)
            << point.x() << "," << point.y();
    }
    ExpectPixels(window.Picture(), {{20, 20, Yellow, "head back at the start"},
                                    {20, 25, Red, "head's outline"},
                                    {40, 100, Olive, "wall"},
                                    {6, 240, Yellow, "byte's background"}});
    EXPECT_EQ(ColourAt(window.grab().toImage(), 30, 30), Lime);
}

// The stepper motor.

constexpr int MotorPort = 0x05;
constexpr int SpokeCheckRadius = 50;

// A point on spoke k of the rotor standing at an offset in degrees.
QPoint OnSpoke(int k, double degrees) {
    const PixelPoint point = StepperMotor::PointAt(
        k / static_cast<double>(StepperMotor::SpokeCount) + degrees / 360.0, SpokeCheckRadius);
    return {point.X, point.Y};
}

TEST(StepperWindow, StartsIdle) {
    DeviceBench bench(MotorPort, {});
    TformStep window(nullptr, bench.devices.Motor);
    const QPoint between = OnSpoke(0, 20.0);
    const PixelPoint pole9 = StepperMotor::PoleCentre(9);
    ExpectPixels(window.Picture(), {{0, 0, Black, "ground"},
                                    {100, 130, Silver, "spoke 0"},
                                    {between.x(), between.y(), Teal, "between spokes"},
                                    {100, 166, Lime, "pole 0"},
                                    {pole9.X, pole9.Y, Lime, "pole 9"},
                                    {100, 180, White, "wire of phase 0"},
                                    {100, 191, White, "wire's end"},
                                    {100, 192, Black, "below the wire"},
                                    {96, 194, Black, "no labels yet"}});
}

// Each accepted pattern erases the rotor where it stood and draws it at its own angle; a
// refused one leaves it. The poles of the pattern's phases are red, the others green.
TEST(StepperWindow, TheRotorFollowsAcceptedPatterns) {
    struct Output {
        int Byte;
        double From, To; // the rotor's offset in degrees
    };
    const Output outputs[] = {{0x02, 0, -10}, {0x04, -10, -20}, {0x01, -20, -20}};
    DeviceBench bench(MotorPort, {0x02, 0x04, 0x01});
    TformStep window(nullptr, bench.devices.Motor);
    for (const Output& output : outputs) {
        SCOPED_TRACE(HexByte(output.Byte));
        bench.Out();
        const QImage& picture = window.Picture();
        for (int k = 0; k < StepperMotor::SpokeCount; ++k) {
            const QPoint now = OnSpoke(k, output.To);
            const QPoint before = OnSpoke(k, output.From);
            EXPECT_EQ(ColourAt(picture, now.x(), now.y()), Silver) << "spoke " << k;
            EXPECT_EQ(ColourAt(picture, before.x(), before.y()),
                      output.From == output.To ? Silver : Teal)
                << "spoke " << k;
        }
        for (int pole = 0; pole < StepperMotor::PoleCount; ++pole) {
            const PixelPoint centre = StepperMotor::PoleCentre(pole);
            const bool energised = StepperMotor::PhaseMask(pole) & output.Byte;
            EXPECT_EQ(ColourAt(picture, centre.X, centre.Y), energised ? Red : Lime)
                << "pole " << pole;
        }
    }
    const QPoint spoke = OnSpoke(0, -20);
    EXPECT_EQ(ColourAt(window.grab().toImage(), spoke.x(), spoke.y()), Silver);
}

// Each bit shows under its wire, a set one as a yellow "1" on red, a clear one as a black
// "0" on green, with "LSB" right of bit 0.
TEST(StepperWindow, TheBitLabelsShowTheByte) {
    DeviceBench bench(MotorPort, {0xF1});
    TformStep window(nullptr, bench.devices.Motor);
    bench.Out();
    struct Label {
        int X;
        Rgb Paper, Ink;
    };
    const Label labels[] = {{96, Red, Yellow}, {83, Lime, Black}, {71, Lime, Black},
                            {60, Lime, Black}, {50, Red, Yellow}, {40, Red, Yellow},
                            {30, Red, Yellow}, {20, Red, Yellow}, {106, Lime, Black}};
    const QImage& picture = window.Picture();
    for (const Label& label : labels) {
        SCOPED_TRACE(label.X);
        EXPECT_EQ(ColourAt(picture, label.X, StepperMotor::LabelRow), label.Paper);
        EXPECT_TRUE(
            HasInk(picture, QRect(label.X, StepperMotor::LabelRow, 6, 12), label.Ink, label.Paper));
    }
    EXPECT_EQ(ColourAt(picture, 19, StepperMotor::LabelRow), Black);
}

// Restoring a snapshot redraws a picture that its outputs drew step by step since: the
// models tell their windows, which draw the whole picture again.
TEST(RestoredPicture, IsThePictureTheSnapshotWasTakenAt) {
    struct Case {
        const char* Name;
        int Port;
        std::vector<int> Bytes;
    };
    const Case cases[] = {{"maze", MazePort, {0x4F, 0x1F, 0x8A}}, {"motor", 0x05, {0x03, 0x02}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        DeviceBench bench(c.Port, c.Bytes);
        Scheduler clock(bench.tm.machine, bench.tm.control, bench.devices.Timers());
        WholeMachine whole(bench.tm.machine, bench.tm.control, bench.devices, clock);
        TformMaze maze(nullptr, bench.devices.Snake);
        TformStep motor(nullptr, bench.devices.Motor);
        const QImage& picture = c.Port == MazePort ? maze.Picture() : motor.Picture();
        const QImage before = picture.copy();
        const MachineSnapshot snapshot = whole.Snapshot();
        for (size_t i = 0; i < c.Bytes.size(); ++i) {
            bench.Out();
        }
        ASSERT_NE(picture, before);
        whole.Restore(snapshot);
        EXPECT_EQ(picture, before);
    }
}

} // namespace
