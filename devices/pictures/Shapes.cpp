#include "devices/pictures/Shapes.h"

#include <utility>

namespace {

Shape Boxed(ShapeKind kind, double x, double y, double w, double h) {
    return Shape{.Kind = kind, .X = x, .Y = y, .W = w, .H = h};
}

Shape Stroked(ShapeKind kind, std::vector<PicturePoint> points, Rgb colour, int width) {
    return Shape{
        .Kind = kind, .Points = std::move(points), .Pen = {.Colour = colour, .Width = width}};
}

} // namespace

Shape RectShape(double x, double y, double w, double h) {
    return Boxed(ShapeKind::Rect, x, y, w, h);
}

Shape RoundedRectShape(double x, double y, double w, double h, double radius) {
    Shape shape = Boxed(ShapeKind::RoundedRect, x, y, w, h);
    shape.Radius = radius;
    return shape;
}

Shape EllipseShape(double x, double y, double w, double h) {
    return Boxed(ShapeKind::Ellipse, x, y, w, h);
}

Shape CircleShape(PicturePoint centre, double radius) {
    return EllipseShape(centre.X - radius, centre.Y - radius, 2 * radius, 2 * radius);
}

Shape LineShape(PicturePoint from, PicturePoint to, Rgb colour, int width) {
    return Stroked(ShapeKind::Line, {from, to}, colour, width);
}

Shape PolylineShape(std::vector<PicturePoint> points, Rgb colour, int width) {
    return Stroked(ShapeKind::Polyline, std::move(points), colour, width);
}

Shape PolygonShape(std::vector<PicturePoint> points) {
    return Shape{.Kind = ShapeKind::Polygon, .Points = std::move(points)};
}

Shape TextShape(PixelRect box, std::string text, PictureFont font, Rgb colour, TextAlign align) {
    Shape shape = Boxed(ShapeKind::Text, box.Left, box.Top, box.Right - box.Left + 1,
                        box.Bottom - box.Top + 1);
    shape.Pen = {.Colour = colour};
    shape.Text = std::move(text);
    shape.Font = font;
    shape.Align = align;
    return shape;
}

Shape Filled(Shape shape, Rgb colour) {
    shape.Brush = {.Visible = true, .Colour = colour};
    return shape;
}

Shape GradientFilled(Shape shape, PicturePoint from, PicturePoint to,
                     std::vector<GradientStop> stops) {
    shape.Brush = {.Visible = true, .Stops = std::move(stops), .From = from, .To = to};
    return shape;
}

Shape Outlined(Shape shape, Rgb colour, int width) {
    shape.Pen = {.Colour = colour, .Width = width};
    return shape;
}

Shape Smooth(Shape shape) {
    shape.Smooth = true;
    return shape;
}

Shape FlatEnded(Shape shape) {
    shape.Pen.Flat = true;
    return shape;
}

Shape Block(double x, double y, double w, double h, Rgb colour) {
    return Filled(RectShape(x, y, w, h), colour);
}

PixelRect BoxOf(int x, int y, int w, int h) {
    return {.Left = x, .Top = y, .Right = x + w - 1, .Bottom = y + h - 1};
}

PicturePart Part(int x, int y, int w, int h, std::vector<Shape> shapes) {
    return {.Area = BoxOf(x, y, w, h), .Shapes = std::move(shapes)};
}
