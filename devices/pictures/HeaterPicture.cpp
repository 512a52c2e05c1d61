#include "devices/pictures/HeaterPicture.h"

#include <cmath>
#include <string>

#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"

namespace {

constexpr Rgb Ink = 0x242C30;
constexpr Rgb Wall = 0xF3EAD3;
constexpr Rgb Floor = 0xA86E3E;
constexpr Rgb FloorJoint = 0x7D4E28;
constexpr Rgb Glass = 0xA8D8F2;
constexpr Rgb HeaterBody = 0xA4A8AC;
constexpr Rgb HeaterFin = 0x707478;
constexpr Rgb HeaterPanel = 0x505458;
constexpr Rgb ThermostatFace = 0xDCDCD8;
constexpr Rgb Tube = 0x9AA4AA;
constexpr Rgb Brass = 0xD4AF37;
constexpr Rgb Mercury = 0xFF0000;
// The switch's "  OFF" stands on the desktop's button face.
constexpr Rgb ButtonFace = 0xEFEFEF;

// The clickable picture, above the strip of labels.
constexpr int PictureRows = 201;
constexpr PixelPoint ReadingAt{80, 172};
// Wide and high enough for the longest reading, "   40.00 C   ", in the reading's font.
constexpr int ReadingW = 57;
constexpr int ReadingH = 12;
constexpr PixelRect LabelIoPlace{59, 144, 122, 159};
constexpr PixelRect SwitchPlace{25, 92, 91, 107};
constexpr int FloorTop = 112;
constexpr int PinTop = 130;
// The bit label's digits are this wide: its pins stand under them.
constexpr double DigitAdvance = 62.375 / 8;

const PictureFont MarkFont = SansFont(10);
const PictureFont ScaleFont = SansFont(10, false);
const PictureFont ReadingFont = SansFont(11, false);

// Centre of the pin under character i of the bit label, MSB first.
double PinX(int i) {
    return LabelIoPlace.Left + std::lround(DigitAdvance * (i + 0.5));
}

Shape Wire(std::vector<PicturePoint> points) {
    return FlatEnded(PolylineShape(std::move(points), Ink, 2));
}

void AddTitles(std::vector<Shape>& shapes) {
    shapes.push_back(TextShape(BoxOf(6, 4, 60, 14), "Port 03", MarkFont, Yellow));
    shapes.push_back(
        TextShape(BoxOf(100, 4, 96, 14), "Thermometer", MarkFont, White, TextAlign::Right));
}

// The room from 4, 22 to 157, 126, with a window on the wall above the thermostat.
void AddRoom(std::vector<Shape>& shapes) {
    shapes.push_back(Filled(Outlined(RectShape(4, 22, 153, 104), Ink), Wall));
    shapes.push_back(Block(5, FloorTop, 152, 14, Floor));
    shapes.push_back(LineShape({5, FloorTop}, {156, FloorTop}, FloorJoint));
    for (double x = 20; x < 156; x += 26) {
        shapes.push_back(LineShape({x, FloorTop + 1}, {x, 125}, FloorJoint));
    }
    shapes.push_back(Filled(Outlined(RectShape(117, 30, 36, 22), Ink), Glass));
    shapes.push_back(LineShape({134, 31}, {134, 52}, White, 2));
    shapes.push_back(LineShape({118, 40}, {152, 40}, White, 2));
}

// The heater from 21, 44 to 95, 110, its switch's panel under the switch.
void AddHeater(std::vector<Shape>& shapes) {
    shapes.push_back(
        Smooth(Filled(Outlined(RoundedRectShape(21.5, 44.5, 74, 66, 4), Ink), HeaterBody)));
    for (int x = 27; x < 89; x += 6) {
        shapes.push_back(Block(x, 50, 3, 36, HeaterFin));
    }
    shapes.push_back(Block(24, 91, 69, 18, HeaterPanel));
    shapes.push_back(Block(26, 111, 6, 2, Ink));
    shapes.push_back(Block(85, 111, 6, 2, Ink));
    shapes.push_back(TextShape(BoxOf(21, 29, 75, 14), "Heater", MarkFont, Ink, TextAlign::Centre));
}

// The thermostat from 131, 76 to 153, 92, with its sensing link to the thermometer at the
// switching point.
void AddThermostat(std::vector<Shape>& shapes) {
    shapes.push_back(Filled(Outlined(RectShape(131, 76, 22, 16), Ink), ThermostatFace));
    const PicturePoint dial{142.5, 84.5};
    shapes.push_back(Smooth(Filled(Outlined(CircleShape(dial, 5), Ink), White)));
    shapes.push_back(Smooth(LineShape(dial, {dial.X + 3, dial.Y - 3}, Ink)));
    shapes.push_back(Wire({{154, 84}, {Heater::ColumnX - 4, 84}}));
    shapes.push_back(
        TextShape(BoxOf(96, 57, 58, 14), "Thermostat", MarkFont, Ink, TextAlign::Right));
}

// A wall plaque with the glass tube, the bulb and the scale marks.
void AddThermometer(std::vector<Shape>& shapes) {
    shapes.push_back(
        Smooth(Filled(Outlined(RoundedRectShape(160.5, 22.5, 35, 145, 5), Ink), White)));
    shapes.push_back(Smooth(Filled(Outlined(CircleShape({170, 157}, 6.5), Ink), Mercury)));
    shapes.push_back(Block(167, 26, 6, 126, Tube));
    shapes.push_back(Block(168, 27, 4, 123, White));
    shapes.push_back(Block(168, 150, 4, 3, Mercury));
    for (int degrees = 0; degrees <= 40; degrees += 5) {
        const double y = Heater::ColumnBottom - 3 * degrees;
        shapes.push_back(LineShape({173, y}, {degrees % 20 == 0 ? 175.0 : 174.0, y}, Ink));
    }
    for (int degrees : {0, 20, 40}) {
        const int y = Heater::ColumnBottom - 3 * degrees;
        shapes.push_back(
            TextShape(BoxOf(176, y - 7, 19, 14), std::to_string(degrees) + "C", ScaleFont, Ink));
    }
}

// The heater drives the MSB, the thermostat reports on the LSB.
void AddWiresAndPins(std::vector<Shape>& shapes) {
    const double msb = PinX(0);
    const double lsb = PinX(7);
    shapes.push_back(Wire({{msb, 113}, {msb, PinTop - 2}}));
    shapes.push_back(Wire({{142, 93}, {142, 120}, {lsb, 120}, {lsb, PinTop - 2}}));
    shapes.push_back(Block(msb - 5, PinTop - 2, lsb - msb + 10, 12, Ink));
    for (int i = 0; i < 8; ++i) {
        shapes.push_back(Block(PinX(i) - 2, PinTop, 4, 8, Brass));
    }
    shapes.push_back(
        TextShape(BoxOf(24, LabelIoPlace.Top, 33, 16), "MSB", MarkFont, White, TextAlign::Right));
    shapes.push_back(
        TextShape(BoxOf(LabelIoPlace.Right + 3, LabelIoPlace.Top, 33, 16), "LSB", MarkFont, White));
}

PicturePart Room() {
    std::vector<Shape> shapes{Block(0, 0, 200, 218, Teal)};
    AddTitles(shapes);
    AddRoom(shapes);
    AddHeater(shapes);
    AddThermostat(shapes);
    AddThermometer(shapes);
    AddWiresAndPins(shapes);
    // The readout's frame under the reading.
    shapes.push_back(Block(ReadingAt.X - 3, ReadingAt.Y - 3, ReadingW + 6, ReadingH + 6, Ink));
    shapes.push_back(Block(ReadingAt.X - 1, ReadingAt.Y - 1, ReadingW + 2, ReadingH + 2, White));
    return Part(0, 0, 200, 218, std::move(shapes));
}

// The column is two pixels wide, centred on x 170; white above the mercury.
PicturePart MercuryPart(int height) {
    constexpr int left = Heater::ColumnX - 1;
    constexpr int rows = Heater::ColumnBottom - Heater::ColumnTop;
    return Part(left, Heater::ColumnTop, 2, rows,
                {Block(left, Heater::ColumnTop, 2, rows, White),
                 Block(left, Heater::ColumnBottom - height, 2, height, Mercury)});
}

PicturePart ReadingPart(const std::string& reading) {
    const PixelRect box = BoxOf(ReadingAt.X, ReadingAt.Y, ReadingW, ReadingH);
    return {.Area = box,
            .Shapes = {Block(box.Left, box.Top, ReadingW, ReadingH, White),
                       TextShape(box, reading, ReadingFont, Black)}};
}

// Nothing on the panel before the first output; then "  ON" yellow on red or "  OFF" black on
// the button face.
PicturePart SwitchPart(const Heater& heater) {
    const Heater::SwitchLabel state = heater.LabelOnOff();
    const bool on = state == Heater::SwitchLabel::On;
    const Rgb ground =
        state == Heater::SwitchLabel::Blank ? HeaterPanel : (on ? Mercury : ButtonFace);
    const PixelRect& box = SwitchPlace;
    return {.Area = box,
            .Shapes = {Block(box.Left, box.Top, box.Right - box.Left + 1, box.Bottom - box.Top + 1,
                             ground),
                       TextShape(box, heater.LabelOnOffText(), ReadingFont, on ? Yellow : Black)},
            .DesktopLabel = true};
}

int DegreesAt(int y) {
    // The scale as a click reads it: 0 degrees at y 148, 2.95 pixels a degree, to the
    // nearest whole degree (halves to even).
    return static_cast<int>(std::nearbyint((148.0 - y) / 2.95));
}

// One hot area for each run of rows that read the same degrees.
std::vector<HotArea> ThermometerAreas() {
    std::vector<HotArea> areas;
    for (int y = 0; y < PictureRows; ++y) {
        const int action = ThermometerAction(y);
        if (areas.empty() || areas.back().Action != action) {
            areas.push_back({.Box = {0, y, 199, y}, .Action = action});
        }
        areas.back().Box.Bottom = y;
    }
    return areas;
}

} // namespace

int ThermometerAction(int y) {
    return HeaterSetDegrees + DegreesAt(y);
}

bool HeaterAction(Heater& heater, int action) {
    const int degrees = static_cast<int>(std::lround(heater.Temperature()));
    switch (action) {
    case HeaterWarmer:
        heater.SetRoomTemperature(degrees + 1);
        return true;
    case HeaterCooler:
        heater.SetRoomTemperature(degrees - 1);
        return true;
    default:
        break;
    }
    // A code this far from the scale's is no setting of the room.
    constexpr int farthest = 100;
    if (std::abs(action - HeaterSetDegrees) > farthest) {
        return false;
    }
    heater.SetRoomTemperature(action - HeaterSetDegrees);
    return true;
}

Picture HeaterPicture(const Heater& heater) {
    static const PicturePart room = Room();
    static const std::vector<HotArea> areas = ThermometerAreas();
    return {.Width = 200,
            .Height = 218,
            .Background = Teal,
            .Parts = {room, MercuryPart(heater.MercuryHeight()), ReadingPart(heater.ReadingText()),
                      SwitchPart(heater), BitLabelPart(LabelIoPlace, heater.LabelIoText(), Teal)},
            .Areas = areas};
}
