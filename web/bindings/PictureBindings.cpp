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
    val object = val::object();
    object.set("left", box.Left);
    object.set("top", box.Top);
    object.set("right", box.Right);
    object.set("bottom", box.Bottom);
    return object;
}

val Pen(const Stroke& stroke) {
    if (stroke.Width == 0) {
        return val::null();
    }
    val object = val::object();
    object.set("colour", Colour(stroke.Colour));
    object.set("width", stroke.Width);
    object.set("flat", stroke.Flat);
    return object;
}

val Brush(const Fill& fill) {
    if (!fill.Visible) {
        return val::null();
    }
    val object = val::object();
    object.set("colour", Colour(fill.Colour));
    object.set("stops", ArrayOf(fill.Stops, [](const GradientStop& stop) {
                   val object = val::object();
                   object.set("at", stop.At);
                   object.set("colour", Colour(stop.Colour));
                   return object;
               }));
    object.set("from", Point(fill.From));
    object.set("to", Point(fill.To));
    return object;
}

val Font(const PictureFont& font) {
    val object = val::object();
    object.set("face", Text(font.Face == FontFace::Mono ? "Mono" : "Sans"));
    object.set("pixelSize", font.PixelSize);
    object.set("bold", font.Bold);
    return object;
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
    val object = val::object();
    object.set("kind", Text(KindName(shape.Kind)));
    object.set("x", shape.X);
    object.set("y", shape.Y);
    object.set("w", shape.W);
    object.set("h", shape.H);
    object.set("radius", shape.Radius);
    object.set("points", ArrayOf(shape.Points, Point));
    object.set("pen", Pen(shape.Pen));
    object.set("brush", Brush(shape.Brush));
    object.set("smooth", shape.Smooth);
    object.set("text", Text(shape.Text));
    object.set("font", Font(shape.Font));
    object.set("align", Text(AlignName(shape.Align)));
    return object;
}

val PartObject(const PicturePart& part) {
    val object = val::object();
    object.set("area", Box(part.Area));
    object.set("desktopLabel", part.DesktopLabel);
    object.set("shapes", ArrayOf(part.Shapes, ShapeObject));
    return object;
}

val AreaObject(const HotArea& area) {
    val object = val::object();
    object.set("box", Box(area.Box));
    object.set("action", area.Action);
    return object;
}

} // namespace

val PictureObject(const Picture& picture) {
    val object = val::object();
    object.set("width", picture.Width);
    object.set("height", picture.Height);
    object.set("background", Colour(picture.Background));
    object.set("parts", ArrayOf(picture.Parts, PartObject));
    object.set("areas", ArrayOf(picture.Areas, AreaObject));
    return object;
}
