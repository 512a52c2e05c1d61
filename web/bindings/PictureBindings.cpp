#include "web/bindings/PictureBindings.h"

#include <array>
#include <cstdio>
#include <string>

#include "web/bindings/JsValues.h"

using emscripten::val;

namespace {

val Colour(Rgb rgb) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%06X", static_cast<unsigned>(rgb));
    return val(std::string(text.data()));
}

val Point(const PicturePoint& point) {
    val pair = val::array();
    pair.call<void>("push", point.X);
    pair.call<void>("push", point.Y);
    return pair;
}

val Box(const PixelRect& box) {
    return ObjectOf({{"left", val(box.Left)},
                     {"top", val(box.Top)},
                     {"right", val(box.Right)},
                     {"bottom", val(box.Bottom)}});
}

val Pen(const Stroke& stroke) {
    if (stroke.Width == 0) {
        return val::null();
    }
    return ObjectOf({{"colour", Colour(stroke.Colour)},
                     {"width", val(stroke.Width)},
                     {"flat", val(stroke.Flat)}});
}

val Brush(const Fill& fill) {
    if (!fill.Visible) {
        return val::null();
    }
    const auto stop = [](const GradientStop& s) {
        return ObjectOf({{"at", val(s.At)}, {"colour", Colour(s.Colour)}});
    };
    return ObjectOf({{"colour", Colour(fill.Colour)},
                     {"stops", ArrayOf(fill.Stops, stop)},
                     {"from", Point(fill.From)},
                     {"to", Point(fill.To)}});
}

val Font(const PictureFont& font) {
    return ObjectOf({{"face", Text(font.Face == FontFace::Mono ? "Mono" : "Sans")},
                     {"pixelSize", val(font.PixelSize)},
                     {"bold", val(font.Bold)}});
}

const char* KindName(ShapeKind kind) {
    constexpr std::array names = {"Rect",    "RoundedRect", "Ellipse", "Line",   "Polyline",
                                  "Polygon", "Text",        "ClipTo",  "ClipOff"};
    return names[static_cast<size_t>(kind)];
}

const char* AlignName(TextAlign align) {
    constexpr std::array names = {"Left", "Centre", "Right"};
    return names[static_cast<size_t>(align)];
}

val ShapeObject(const Shape& shape) {
    return ObjectOf({{"kind", Text(KindName(shape.Kind))},
                     {"x", val(shape.X)},
                     {"y", val(shape.Y)},
                     {"w", val(shape.W)},
                     {"h", val(shape.H)},
                     {"radius", val(shape.Radius)},
                     {"points", ArrayOf(shape.Points, Point)},
                     {"pen", Pen(shape.Pen)},
                     {"brush", Brush(shape.Brush)},
                     {"smooth", val(shape.Smooth)},
                     {"text", Text(shape.Text)},
                     {"font", Font(shape.Font)},
                     {"align", Text(AlignName(shape.Align))}});
}

val PartObject(const PicturePart& part) {
    return ObjectOf({{"area", Box(part.Area)},
                     {"desktopLabel", val(part.DesktopLabel)},
                     {"shapes", ArrayOf(part.Shapes, ShapeObject)}});
}

val AreaObject(const HotArea& area) {
    return ObjectOf({{"box", Box(area.Box)}, {"action", val(area.Action)}});
}

} // namespace

val PictureObject(const Picture& picture) {
    return ObjectOf({{"width", val(picture.Width)},
                     {"height", val(picture.Height)},
                     {"background", Colour(picture.Background)},
                     {"parts", ArrayOf(picture.Parts, PartObject)},
                     {"areas", ArrayOf(picture.Areas, AreaObject)}});
}
