#include "devices/pictures/SharedPieces.h"

#include "devices/pictures/Shapes.h"

namespace {

constexpr Rgb PlugBody = 0x2A2A2A;
constexpr Rgb PinGold = 0xD8B040;

} // namespace

PictureFont MonoFont(int pixels, bool bold) {
    return {.Face = FontFace::Mono, .PixelSize = pixels, .Bold = bold};
}

PictureFont SansFont(int pixels, bool bold) {
    return {.Face = FontFace::Sans, .PixelSize = pixels, .Bold = bold};
}

std::vector<Shape> PortPlugShapes(PixelPoint topLeft) {
    const int x = topLeft.X;
    const int y = topLeft.Y;
    std::vector<Shape> shapes{Filled(RoundedRectShape(x + 0.5, y + 0.5, 72, 15, 3), PlugBody)};
    for (int pin = 0; pin < 8; ++pin) {
        shapes.push_back(Block(x + 6 + 8 * pin, y + 5, 5, 5, PinGold));
    }
    shapes.push_back(
        TextShape(BoxOf(x - 40, y, 36, 16), "MSB", SansFont(10), Yellow, TextAlign::Right));
    shapes.push_back(TextShape(BoxOf(x + 77, y, 36, 16), "LSB", SansFont(10), Yellow));
    return shapes;
}

PicturePart BitLabelPart(PixelRect place, const std::string& text, Rgb ground) {
    const int w = place.Right - place.Left + 1;
    const int h = place.Bottom - place.Top + 1;
    return {.Area = place,
            .Shapes = {Block(place.Left, place.Top, w, h, ground),
                       TextShape(place, text, MonoFont(13), Yellow)},
            .DesktopLabel = true};
}
