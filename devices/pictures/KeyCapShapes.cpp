#include "devices/pictures/KeyCapShapes.h"

#include <cmath>
#include <numbers>

#include "devices/pictures/Shapes.h"

namespace {

constexpr Rgb Rim = 0x4A4C56;
constexpr Rgb Shade = 0xA6A9B4;
constexpr Rgb Light = 0xFFFFFF;
constexpr Rgb Cap = 0xFAFAF6;
constexpr double HeadLength = 6;
constexpr double HeadDegrees = 30;

PicturePoint Turned(PicturePoint direction, double degrees) {
    const double angle = degrees * std::numbers::pi / 180;
    return {direction.X * std::cos(angle) - direction.Y * std::sin(angle),
            direction.X * std::sin(angle) + direction.Y * std::cos(angle)};
}

PicturePoint Along(PicturePoint from, PicturePoint direction, double length) {
    return {from.X + direction.X * length, from.Y + direction.Y * length};
}

} // namespace

void AddMask(std::vector<Shape>& shapes, const PixelMask& mask, Rgb colour) {
    for (const PixelRect& box : mask.Boxes()) {
        shapes.push_back(
            Block(box.Left, box.Top, box.Right - box.Left + 1, box.Bottom - box.Top + 1, colour));
    }
}

KeyCap KeyCapOn(const std::vector<PixelRect>& area) {
    const PixelMask rim = PixelMask(area).Shrunk();
    KeyCap cap{.Shapes = {}, .Face = rim, .Inside = rim.Shrunk().Bounds()};
    // A corner has a neighbour on neither side of either axis; leaving it out rounds the key.
    AddMask(cap.Shapes, rim.Inner(1, 0).United(rim.Inner(0, 1)), Rim);
    const PixelMask face = rim.Shrunk();
    AddMask(cap.Shapes, face, Shade);
    // The shade shows two pixels deep at the bottom and one at the right.
    const PixelMask lit = face.AndMoved(0, -2).Intersected(face.AndMoved(-1, 0));
    AddMask(cap.Shapes, lit, Light);
    cap.Face = lit.AndMoved(1, 0).Intersected(lit.AndMoved(0, 1));
    AddMask(cap.Shapes, cap.Face, Cap);
    return cap;
}

void AddKeyArrow(std::vector<Shape>& shapes, const std::vector<PicturePoint>& path) {
    shapes.push_back(Smooth(FlatEnded(PolylineShape(path, KeyInk, 2))));
    const PicturePoint tip = path.back();
    const PicturePoint before = path[path.size() - 2];
    const double length = std::hypot(before.X - tip.X, before.Y - tip.Y);
    const PicturePoint back{(before.X - tip.X) / length, (before.Y - tip.Y) / length};
    shapes.push_back(
        Smooth(Filled(PolygonShape({tip, Along(tip, Turned(back, HeadDegrees), HeadLength),
                                    Along(tip, Turned(back, -HeadDegrees), HeadLength)}),
                      KeyInk)));
}
