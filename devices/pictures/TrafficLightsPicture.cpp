#include "devices/pictures/TrafficLightsPicture.h"

#include <bit>

#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"

namespace {

constexpr Rgb Sky = 0x4A8FD6;
constexpr Rgb Haze = 0xC8E4F8;
constexpr Rgb Metal = 0x5A5A5A;
constexpr Rgb LampRing = 0x3C3C3C;
constexpr int Horizon = 124;
constexpr int HeadHalfWidth = 18;
constexpr PixelPoint Plug{60, 150};
constexpr int PinTop = Plug.Y + 5;
constexpr PixelRect LabelPlace{64, 176, 127, 191};

using Lamp = TrafficLights::Lamp;

int BitOf(const Lamp& lamp) {
    return std::countr_zero(lamp.Mask);
}

// The plug's pins stand over the label's digits, bit 7 at the left.
double PinX(int bit) {
    return Plug.X + 8 + 8 * (7 - bit);
}

bool OnLeftHead(const Lamp& lamp) {
    return BitOf(lamp) >= 5;
}

PicturePoint Centre(const PixelRect& box) {
    return {(box.Left + box.Right + 1) / 2.0, (box.Top + box.Bottom + 1) / 2.0};
}

int HeadCentreX(const Lamp& lamp) {
    return (lamp.Box.Left + lamp.Box.Right) / 2;
}

void AddLandscape(std::vector<Shape>& shapes) {
    shapes.push_back(
        GradientFilled(RectShape(0, 0, 200, Horizon), {0, 0}, {0, Horizon}, {{0, Sky}, {1, Haze}}));
    shapes.push_back(Block(0, Horizon, 200, 200 - Horizon, Olive));
}

// A black head on a post, around the column of lamps centred on x.
void AddHead(std::vector<Shape>& shapes, int x) {
    shapes.push_back(Block(x - 3, 94, 7, 38, Metal));
    shapes.push_back(Smooth(Filled(RoundedRectShape(x - 8, 130, 17, 5, 2), Metal)));
    shapes.push_back(Smooth(
        Filled(RoundedRectShape(x - HeadHalfWidth + 0.5, 16.5, 2 * HeadHalfWidth, 78, 6), Black)));
}

// The left head's wires leave by its outer side and come round under the ground, nested
// so that none crosses another; the right head's run straight across to their pins.
Shape Wire(const Lamp& lamp) {
    const int bit = BitOf(lamp);
    const double y = static_cast<int>(Centre(lamp.Box).Y);
    const double headX = HeadCentreX(lamp);
    std::vector<PicturePoint> wire{{headX - HeadHalfWidth, y}};
    if (OnLeftHead(lamp)) {
        const int nesting = 7 - bit;
        const double outerX = headX - HeadHalfWidth - 11 + 4 * nesting;
        const double underY = 146 - 4 * nesting;
        wire.insert(wire.end(), {{outerX, y}, {outerX, underY}, {PinX(bit), underY}});
    } else {
        wire.push_back({PinX(bit), y});
    }
    wire.push_back({PinX(bit), PinTop});
    return PolylineShape(std::move(wire), Black);
}

PicturePart Ground() {
    std::vector<Shape> shapes;
    AddLandscape(shapes);
    AddHead(shapes, HeadCentreX(TrafficLights::Lamps.front()));
    AddHead(shapes, HeadCentreX(TrafficLights::Lamps.back()));
    // A dark rim around each lamp, so that an unlit lamp still shows on the black head.
    for (const Lamp& lamp : TrafficLights::Lamps) {
        shapes.push_back(Smooth(Filled(CircleShape(Centre(lamp.Box), 13.5), LampRing)));
    }
    const std::vector<Shape> plug = PortPlugShapes(Plug);
    shapes.insert(shapes.end(), plug.begin(), plug.end());
    for (const Lamp& lamp : TrafficLights::Lamps) {
        shapes.push_back(Wire(lamp));
    }
    return Part(0, 0, 200, 200, std::move(shapes));
}

// A filled circle with a one-pixel black outline, both corners of the box included.
PicturePart LampPart(const Lamp& lamp, bool lit) {
    const PixelRect& box = lamp.Box;
    return {.Area = box,
            .Shapes = {Filled(Outlined(EllipseShape(box.Left, box.Top, box.Right - box.Left,
                                                    box.Bottom - box.Top),
                                       Black),
                              lit ? lamp.Colour : Black)}};
}

} // namespace

Picture TrafficLightsPicture(const TrafficLights& lights) {
    static const PicturePart ground = Ground();
    Picture picture{.Width = 200, .Height = 218, .Background = Olive, .Parts = {ground}};
    for (const Lamp& lamp : TrafficLights::Lamps) {
        picture.Parts.push_back(LampPart(lamp, lights.IsLit(lamp)));
    }
    picture.Parts.push_back(BitLabelPart(LabelPlace, lights.LabelText(), Olive));
    return picture;
}
