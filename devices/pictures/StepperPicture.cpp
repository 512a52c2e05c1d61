#include "devices/pictures/StepperPicture.h"

#include <string>

#include "devices/pictures/RoundLine.h"
#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"

namespace {

constexpr int Width = StepperMotor::PictureWidth;
constexpr int Height = StepperMotor::PictureHeight;
// The picture's default font at 8 points; its digits are 6 pixels wide, "LSB" 20.
constexpr int LabelFontPixels = 11;
constexpr int LabelHeight = 13;
constexpr int DigitWidth = 6;
constexpr int LsbWidth = 20;

PicturePoint At(PixelPoint point) {
    return {static_cast<double>(point.X), static_cast<double>(point.Y)};
}

// A disc with an outline of its own colour, which covers both edges of its box.
Shape Disc(PixelPoint centre, int radius, Rgb colour) {
    return Filled(
        Outlined(EllipseShape(centre.X - radius, centre.Y - radius, 2 * radius, 2 * radius),
                 colour),
        colour);
}

// The disc covers every place the spokes can take.
PicturePart MotorPart(const StepperMotor& motor) {
    std::vector<Shape> shapes{Disc(StepperMotor::Centre, StepperMotor::Radius, Teal)};
    // The wires run straight down from the poles, their last point left out.
    for (const PixelLine& wire : StepperMotor::Wires()) {
        shapes.push_back(Block(wire.From.X, wire.From.Y, 1, wire.To.Y - wire.From.Y, White));
    }
    for (int pole = 0; pole < StepperMotor::PoleCount; ++pole) {
        shapes.push_back(Disc(StepperMotor::PoleCentre(pole), StepperMotor::PoleRadius,
                              motor.PoleEnergised(pole) ? Red : Lime));
    }
    for (PixelPoint end : StepperMotor::SpokeEnds(motor.StepState())) {
        AddRoundLine(shapes, {At(StepperMotor::Centre), At(end)}, Silver, StepperMotor::SpokeWidth);
    }
    return Part(0, 0, Width, StepperMotor::LabelRow, std::move(shapes));
}

void AddLabel(std::vector<Shape>& shapes, int x, int width, const std::string& text, Rgb ink,
              Rgb paper) {
    const PixelRect box{x, StepperMotor::LabelRow, x + width - 1,
                        StepperMotor::LabelRow + LabelHeight - 1};
    shapes.push_back(Block(x, box.Top, width, LabelHeight, paper));
    shapes.push_back(TextShape(box, text, SansFont(LabelFontPixels, false), ink));
}

// Each label at its own x on the label row: a set bit a yellow "1" on red, a clear one a
// black "0" on green; only the ground before the first output.
PicturePart LabelsPart(const StepperMotor& motor) {
    const int left = StepperMotor::BitLabelX[7];
    const int width = StepperMotor::LsbX + LsbWidth - left;
    std::vector<Shape> shapes{Block(left, StepperMotor::LabelRow, width, LabelHeight, Black)};
    if (motor.LastOutput()) {
        AddLabel(shapes, StepperMotor::LsbX, LsbWidth, "LSB", Black, Lime);
        for (int bit = 0; bit < 8; ++bit) {
            const bool set = motor.BitSet(bit);
            AddLabel(shapes, StepperMotor::BitLabelX[bit], DigitWidth, set ? "1" : "0",
                     set ? Yellow : Black, set ? Red : Lime);
        }
    }
    return Part(left, StepperMotor::LabelRow, width, LabelHeight, std::move(shapes));
}

} // namespace

Picture StepperPicture(const StepperMotor& motor) {
    return {.Width = Width,
            .Height = Height,
            .Background = Black,
            .Parts = {MotorPart(motor), LabelsPart(motor)}};
}
