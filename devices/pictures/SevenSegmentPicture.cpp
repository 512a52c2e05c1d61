#include "devices/pictures/SevenSegmentPicture.h"

#include <algorithm>

#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"

namespace {

using Digit = SevenSegmentDisplays::Digit;
using Segment = SevenSegmentDisplays::Segment;

constexpr Rgb Green = 0x008000;
constexpr Rgb BodyEdge = 0x404040;
constexpr Rgb BodyBlack = 0x141414;
// The right digit's body from x, y, w by h; its last column 165, its last row 122.
constexpr int BodyX = 114;
constexpr int BodyY = 36;
constexpr int BodyW = 52;
constexpr int BodyH = 87;
constexpr int RightBodyRight = BodyX + BodyW - 1;
constexpr int LeftBodyLeft = BodyX + SevenSegmentDisplays::LeftDigitShift;
constexpr int BodyBottom = BodyY + BodyH - 1;
constexpr int SelectY = 80;
constexpr int InverterY = 26;
constexpr PixelPoint Plug{58, 150};
constexpr int PinTop = Plug.Y + 5;
constexpr int DataInputs = 7;
constexpr PixelRect LabelPlace{62, 184, 125, 199};

// The plug's pins stand over the label's digits, bit 7 at the left; pin i carries bit 7 - i.
double PinX(int pin) {
    return Plug.X + 8 + 8 * pin;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// A junction: a black dot of three by three pixels around a point.
Shape Dot(double x, double y) {
    return Filled(Outlined(RectShape(x - 1, y - 1, 2, 2), Black), Black);
}

void AddBodies(std::vector<Shape>& shapes) {
    for (int x : {LeftBodyLeft, BodyX}) {
        shapes.push_back(Filled(Outlined(RectShape(x, BodyY, BodyW, BodyH), BodyEdge), BodyBlack));
    }
}

// Each data pin feeds a bus line that runs under both digits. The right digit takes its
// inputs in the mirrored order, so that no bus line crosses another digit's input.
void AddDataBus(std::vector<Shape>& shapes) {
    for (int pin = 0; pin < DataInputs; ++pin) {
        const double y = 146 - 3 * pin;
        const double leftInput = LeftBodyLeft + 6 + 6 * pin;
        const double rightInput = RightBodyRight - 9 - 6 * pin;
        shapes.push_back(PolylineShape({{leftInput, BodyBottom + 1},
                                        {leftInput, y},
                                        {rightInput, y},
                                        {rightInput, BodyBottom + 1}},
                                       Black));
        shapes.push_back(LineShape({PinX(pin), PinTop}, {PinX(pin), y}, Black));
        shapes.push_back(Dot(PinX(pin), y));
    }
}

// Bit 0 selects the right digit as it is and the left one through the inverter.
void AddSelectLine(std::vector<Shape>& shapes) {
    const double pinX = PinX(DataInputs);
    const double outerRight = RightBodyRight + 16;
    const double outerLeft = LeftBodyLeft - 12;
    shapes.push_back(PolylineShape(
        {{pinX, PinTop}, {pinX, 149}, {outerRight, 149}, {outerRight, InverterY}, {108, InverterY}},
        Black));
    shapes.push_back(LineShape({outerRight, SelectY}, {RightBodyRight + 1, SelectY}, Black));
    shapes.push_back(Dot(outerRight, SelectY));
    shapes.push_back(PolylineShape({{91, InverterY},
                                    {outerLeft, InverterY},
                                    {outerLeft, SelectY},
                                    {LeftBodyLeft - 1, SelectY}},
                                   Black));
    shapes.push_back(Smooth(Filled(
        Outlined(PolygonShape({{108.5, 20.5}, {108.5, 32.5}, {96.5, 26.5}}), Black), White)));
    shapes.push_back(Smooth(Filled(Outlined(CircleShape({94, 26.5}, 2.5), Black), White)));
}

PicturePart Board() {
    std::vector<Shape> shapes{Block(0, 0, 200, 200, Green)};
    AddBodies(shapes);
    const std::vector<Shape> plug = PortPlugShapes(Plug);
    shapes.insert(shapes.end(), plug.begin(), plug.end());
    AddDataBus(shapes);
    AddSelectLine(shapes);
    shapes.push_back(
        TextShape(BoxOf(0, 2, 200, 16), "PORT 2", SansFont(13), Yellow, TextAlign::Centre));
    return Part(0, 0, 200, 200, std::move(shapes));
}

// A stack of one-pixel lines, each without its last point, as lines are drawn on screen.
PicturePart SegmentPart(Digit digit, const Segment& segment, bool lit) {
    PicturePart part{.Area = {.Left = 200, .Top = 200, .Right = 0, .Bottom = 0}};
    for (const PixelLine& line : SevenSegmentDisplays::LinesOf(digit, segment)) {
        const PixelPoint& from = line.From;
        const PixelPoint& to = line.To;
        const PicturePoint last{static_cast<double>(to.X - Sign(to.X - from.X)),
                                static_cast<double>(to.Y - Sign(to.Y - from.Y))};
        part.Shapes.push_back(LineShape({static_cast<double>(from.X), static_cast<double>(from.Y)},
                                        last, lit ? Yellow : Black));
        part.Area = {
            std::min({part.Area.Left, from.X, to.X}), std::min({part.Area.Top, from.Y, to.Y}),
            std::max({part.Area.Right, from.X, to.X}), std::max({part.Area.Bottom, from.Y, to.Y})};
    }
    return part;
}

} // namespace

Picture SevenSegmentPicture(const SevenSegmentDisplays& digits) {
    static const PicturePart board = Board();
    Picture picture{.Width = 200, .Height = 218, .Background = Green, .Parts = {board}};
    for (Digit digit : {Digit::Right, Digit::Left}) {
        for (const Segment& segment : SevenSegmentDisplays::Segments) {
            picture.Parts.push_back(SegmentPart(digit, segment, digits.IsLit(digit, segment)));
        }
    }
    picture.Parts.push_back(BitLabelPart(LabelPlace, digits.LabelText(), Green));
    return picture;
}
