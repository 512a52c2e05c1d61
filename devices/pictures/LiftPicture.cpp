#include "devices/pictures/LiftPicture.h"

#include <cmath>
#include <string>

#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"
#include "devices/pictures/WindowFace.h"

namespace {

constexpr Rgb Ink = 0x22262B;
constexpr Rgb Building = 0xE6E1D5;
constexpr Rgb Shaft = 0x5C636B;
constexpr Rgb Rail = 0x788088;
constexpr Rgb Concrete = 0x9A968E;
constexpr Rgb Metal = 0xB8BEC4;
constexpr Rgb DrumGrey = 0x6A7078;
constexpr Rgb Brass = 0xD4AF37;
constexpr Rgb CarBody = 0x00FFFF;
constexpr Rgb CarEdge = 0x000080;
constexpr Rgb Handrail = 0x00B0C0;
constexpr Rgb Skin = 0xFFE0B0;
constexpr Rgb LitArrow = 0xFF0000;
constexpr Rgb LitArrowEdge = 0x800000;
constexpr Rgb ButtonLight = 0xFFFFFF;
constexpr Rgb ButtonShadow = 0xA0A0A0;
constexpr Rgb GreyText = 0x808080;

constexpr int Width = 200;
constexpr int Height = 426;
constexpr PixelRect ShaftPlace{42, 62, 114, 318}; // inside the walls, down to the pit floor
constexpr int TopFloor = 162;                     // the top landing's floor, under the car at 75
constexpr int BottomFloor = 319;                  // the pit floor, under the car at 232
constexpr int SlabHeight = 6;
constexpr PicturePoint Drum{78.5, 40.5};
constexpr int DrumBottom = 51;
constexpr int CableX = 78;
constexpr int ContactX = 112;
constexpr int PinTop = 344;
// Courier New's digits at 13 pixels: the data label's "MSB " and each bit's digit.
constexpr double DigitAdvance = 7.8;

// A wire from a part of the lift to its bit's pin: out to a lane, down the lane, across
// under the shaft and down to the pin. Lanes and turns are ordered so that no two
// wires cross: the further right the pin, the further out the lane and the lower the turn.
struct Wiring {
    int Bit;
    PixelPoint From;
    int Lane;
    int Turn;
};

constexpr Wiring Wires[] = {
    {0, {98, 30}, 186, 340},                        // motor up
    {1, {98, 48}, 176, 336},                        // motor down
    {2, {ContactX + 6, 150}, 166, 332},             // top floor contact
    {3, {ContactX + 6, 307}, 156, 328},             // bottom floor contact
    {4, {20, BottomCallPlace.Bottom + 1}, 20, 332}, // bottom floor call
    {5, {TopCallPlace.Left - 1, 116}, 4, 338},      // top floor call
};

int WidthOf(const PixelRect& box) {
    return box.Right - box.Left + 1;
}

int HeightOf(const PixelRect& box) {
    return box.Bottom - box.Top + 1;
}

// Centre of the pin under bit b's digit in the data label ("MSB 76543210 LSB").
int PinX(int bit) {
    const double first = LiftDataPlace.Left + 4 * DigitAdvance;
    return static_cast<int>(std::lround(first + DigitAdvance * (7 - bit + 0.5)));
}

void AddBuilding(std::vector<Shape>& shapes) {
    const int wallTop = ShaftPlace.Top - 2;
    const int wallHeight = BottomFloor - wallTop;
    shapes.push_back(
        Block(0, ShaftPlace.Top, ShaftPlace.Right + 4, BottomFloor - ShaftPlace.Top, Building));
    shapes.push_back(Block(ShaftPlace.Left - 2, wallTop, 2, wallHeight, Ink));
    shapes.push_back(Block(ShaftPlace.Right + 1, wallTop, 2, wallHeight, Ink));
    // The landings: a slab under each floor, the pit floor across the shaft.
    shapes.push_back(Block(0, TopFloor, ShaftPlace.Left - 2, SlabHeight, Concrete));
    shapes.push_back(Block(0, BottomFloor, ShaftPlace.Right + 3, SlabHeight, Concrete));
    shapes.push_back(Block(0, TopFloor, ShaftPlace.Left - 2, 1, Ink));
    shapes.push_back(Block(0, BottomFloor, ShaftPlace.Right + 3, 1, Ink));
}

void AddMotor(std::vector<Shape>& shapes) {
    shapes.push_back(Filled(
        Outlined(RectShape(ShaftPlace.Left - 2, 18, WidthOf(ShaftPlace) + 3, 42), Ink), Concrete));
    shapes.push_back(Filled(Outlined(RectShape(58, 24, 40, 32), Ink), Metal));
    shapes.push_back(Smooth(Filled(Outlined(CircleShape(Drum, 11), Ink), DrumGrey)));
    shapes.push_back(Smooth(Filled(Outlined(CircleShape(Drum, 4), Ink), Metal)));
    // The cable from the drum down into the shaft; the car's part draws it on from there.
    shapes.push_back(Block(CableX - 1, DrumBottom, 2, ShaftPlace.Top - DrumBottom, Ink));
    // Each motor wire's name, over the wire where it leaves the motor room.
    for (const Wiring& wire : {Wires[0], Wires[1]}) {
        const int x = ShaftPlace.Right + 6;
        shapes.push_back(TextShape({x, wire.From.Y - 12, x + 39, wire.From.Y - 2},
                                   wire.Bit == 0 ? "Up" : "Down", SansFont(9, false), Ink));
    }
}

void AddWiresAndPins(std::vector<Shape>& shapes) {
    for (const Wiring& wire : Wires) {
        const double pin = PinX(wire.Bit);
        shapes.push_back(FlatEnded(PolylineShape({{double(wire.From.X), double(wire.From.Y)},
                                                  {double(wire.Lane), double(wire.From.Y)},
                                                  {double(wire.Lane), double(wire.Turn)},
                                                  {pin, double(wire.Turn)},
                                                  {pin, double(PinTop)}},
                                                 Ink, 2)));
    }
    const int left = PinX(7) - 6;
    shapes.push_back(Block(left, PinTop - 2, PinX(0) + 6 - left, 14, Ink));
    for (int bit = 0; bit < 8; ++bit) {
        shapes.push_back(Block(PinX(bit) - 2, PinTop, 4, 10, Brass));
    }
}

PicturePart Ground() {
    std::vector<Shape> shapes;
    AddBuilding(shapes);
    AddMotor(shapes);
    AddWiresAndPins(shapes);
    return Part(0, 0, Width, LiftDataPlace.Top, std::move(shapes));
}

// The car: a cyan box with somebody riding in it.
void AddCar(std::vector<Shape>& shapes, int top) {
    const PixelRect place = LiftCarPlace(top);
    const double x = place.Left;
    const double y = place.Top;
    shapes.push_back(Block(x, y, WidthOf(place), HeightOf(place), CarEdge));
    shapes.push_back(Block(x + 1, y + 1, WidthOf(place) - 2, HeightOf(place) - 2, CarBody));
    shapes.push_back(Block(x + 4, y + 46, 58, 2, Handrail));
    shapes.push_back(Smooth(Filled(Outlined(CircleShape({x + 33, y + 22}, 7), CarEdge, 2), Skin)));
    shapes.push_back(Smooth(LineShape({x + 33, y + 30}, {x + 33, y + 58}, CarEdge, 2)));
    shapes.push_back(
        Smooth(PolylineShape({{x + 21, y + 48}, {x + 33, y + 36}, {x + 45, y + 48}}, CarEdge, 2)));
    shapes.push_back(
        Smooth(PolylineShape({{x + 24, y + 79}, {x + 33, y + 58}, {x + 42, y + 79}}, CarEdge, 2)));
}

// The shaft with its rails, the spring contacts the car touches at each floor, the cable
// and the car: all that the car's moving changes.
PicturePart ShaftPart(const Lift& lift) {
    std::vector<Shape> shapes{
        Block(ShaftPlace.Left, ShaftPlace.Top, WidthOf(ShaftPlace), HeightOf(ShaftPlace), Shaft),
        Block(ShaftPlace.Left + 2, ShaftPlace.Top, 2, HeightOf(ShaftPlace), Rail),
        Block(ShaftPlace.Right - 3, ShaftPlace.Top, 2, HeightOf(ShaftPlace), Rail)};
    for (int y : {Wires[2].From.Y, Wires[3].From.Y}) {
        shapes.push_back(Block(ContactX + 3, y - 6, 3, 12, Ink));
        shapes.push_back(Block(ContactX, y - 4, 3, 8, Brass));
    }
    shapes.push_back(Block(CableX - 1, ShaftPlace.Top, 2, lift.CarTop() - ShaftPlace.Top, Ink));
    AddCar(shapes, lift.CarTop());
    return {.Area = {ShaftPlace.Left, ShaftPlace.Top, ContactX + 5, ShaftPlace.Bottom},
            .Shapes = std::move(shapes)};
}

// A raised button on the window's face, for the page; the workbench shows its own.
std::vector<Shape> ButtonShapes(const PixelRect& place) {
    const int w = WidthOf(place);
    const int h = HeightOf(place);
    return {Block(place.Left, place.Top, w, h, ButtonShadow),
            Block(place.Left, place.Top, w - 1, h - 1, ButtonLight),
            Block(place.Left + 1, place.Top + 1, w - 2, h - 2, WindowFace)};
}

PicturePart CallButtonPart(const PixelRect& place, bool up, bool pending) {
    std::vector<Shape> shapes = ButtonShapes(place);
    const std::vector<Shape> arrow =
        CallArrowShapes({place.Left + 4.0, place.Top + 4.0}, up, pending);
    shapes.insert(shapes.end(), arrow.begin(), arrow.end());
    return {.Area = place, .Shapes = std::move(shapes)};
}

PicturePart RepairButtonPart(bool enabled) {
    std::vector<Shape> shapes = ButtonShapes(RepairPlace);
    shapes.push_back(TextShape(RepairPlace, "Repair Crashed Lift", MonoFont(13, false),
                               enabled ? Black : GreyText, TextAlign::Centre));
    return {.Area = RepairPlace, .Shapes = std::move(shapes)};
}

PicturePart LabelPart(const PixelRect& place, const std::string& text, PictureFont font, Rgb ink) {
    return {.Area = place,
            .Shapes = {Block(place.Left, place.Top, WidthOf(place), HeightOf(place), WindowFace),
                       TextShape(place, text, font, ink)},
            .DesktopLabel = true};
}

} // namespace

PixelRect LiftCarPlace(int top) {
    return {45, top, 110, top + 85};
}

std::vector<Shape> CallArrowShapes(PicturePoint corner, bool up, bool lit) {
    std::vector<PicturePoint> arrow{{8, 1.5},    {14.5, 8}, {10.5, 8}, {10.5, 14.5},
                                    {5.5, 14.5}, {5.5, 8},  {1.5, 8}};
    for (PicturePoint& point : arrow) {
        point = {corner.X + point.X, corner.Y + (up ? point.Y : 16 - point.Y)};
    }
    Shape shape = Smooth(Outlined(PolygonShape(std::move(arrow)), lit ? LitArrowEdge : Ink));
    return {lit ? Filled(shape, LitArrow) : shape};
}

Picture LiftPicture(const Lift& lift) {
    return {.Width = Width,
            .Height = Height,
            .Background = WindowFace,
            .Parts = {Ground(), ShaftPart(lift),
                      CallButtonPart(TopCallPlace, true, !lift.SpeedButtonUpEnabled()),
                      CallButtonPart(BottomCallPlace, false, !lift.SpeedButtonDownEnabled()),
                      RepairButtonPart(lift.ButtonEngineerEnabled()),
                      LabelPart(LiftStatePlace, lift.StateText(), MonoFont(13),
                                lift.StateShowsCrash() ? Red : Black),
                      LabelPart(LiftDataPlace, lift.DataText(), MonoFont(13, false), Black)},
            .Areas = {{TopCallPlace, LiftCallTop},
                      {BottomCallPlace, LiftCallBottom},
                      {RepairPlace, LiftRepair}}};
}

bool LiftAction(Lift& lift, int action) {
    switch (action) {
    case LiftCallTop:
        lift.CallLift(Lift::Floor::Top);
        return true;
    case LiftCallBottom:
        lift.CallLift(Lift::Floor::Bottom);
        return true;
    case LiftRepair:
        lift.RepairLift();
        return true;
    default:
        return false;
    }
}
