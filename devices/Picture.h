#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devices/Drawing.h"

// A device's picture as a description: the shapes, colours and texts to draw, in order, in
// picture pixels, computed from the device's state. The workbench paints a description with
// QPainter, the browser on a canvas; neither works out a shape of its own, so the pixel tests
// of one guard the other.
//
//     Picture picture = TrafficLightsPicture(lights); // from the model, no drawing library
//     for (const PicturePart& part : picture.Parts) { /* draw part.Shapes in order */ }
//
// Drawing follows the desktop's rules: a rectangle's outline of width 1 covers both corners
// (x .. x+W and y .. y+H), shapes with Smooth set are antialiased, the others not.

struct PicturePoint {
    double X = 0;
    double Y = 0;
    bool operator==(const PicturePoint&) const = default;
};

struct GradientStop {
    double At = 0; // 0 at From, 1 at To
    Rgb Colour = Black;
    bool operator==(const GradientStop&) const = default;
};

// A shape's outline, or a text's colour; none when Width is 0. Lines end square and corners
// are bevelled unless Flat is set: then they end at their points and corners are mitred.
struct Stroke {
    Rgb Colour = Black;
    int Width = 1;
    bool Flat = false;
    bool operator==(const Stroke&) const = default;
};

// A shape's inside: a colour, a linear gradient from From to To when it has stops, or nothing.
struct Fill {
    bool Visible = false;
    Rgb Colour = Black;
    std::vector<GradientStop> Stops{};
    PicturePoint From{};
    PicturePoint To{};
    bool operator==(const Fill&) const = default;
};

enum class FontFace : uint8_t {
    Mono, // the desktop's Courier New
    Sans, // the desktop's MS Sans Serif
};

struct PictureFont {
    FontFace Face = FontFace::Sans;
    int PixelSize = 13;
    bool Bold = false;
    bool operator==(const PictureFont&) const = default;
};

enum class TextAlign : uint8_t { Left, Centre, Right };

enum class ShapeKind : uint8_t {
    Rect,        // X, Y, W, H
    RoundedRect, // X, Y, W, H with corner Radius
    Ellipse,     // inside the rectangle X, Y, W, H
    Line,        // Points[0] to Points[1]
    Polyline,    // Points in order, open
    Polygon,     // Points in order, closed
    Text,        // Text in Font and the pen's colour, aligned in the box X, Y, W, H, vertically
                 // centred
    ClipTo,      // later shapes of the part are drawn only inside X, Y, W, H
    ClipOff,
};

struct Shape {
    ShapeKind Kind = ShapeKind::Rect;
    double X = 0;
    double Y = 0;
    double W = 0;
    double H = 0;
    double Radius = 0;
    std::vector<PicturePoint> Points{};
    Stroke Pen{.Width = 0};
    Fill Brush{};
    bool Smooth = false;
    std::string Text{}; // Latin-1
    PictureFont Font{};
    TextAlign Align = TextAlign::Left;
    bool operator==(const Shape&) const = default;
};

// A piece of the picture that changes on its own (a lamp, a digit, the car). Drawing a part
// again covers all it drew before, so a renderer redraws only the parts whose shapes differ
// from those it last drew; Area bounds what the part draws.
struct PicturePart {
    PixelRect Area{};
    std::vector<Shape> Shapes{};
    // The workbench shows this part with a label widget of its own, which screen readers and
    // tests read; the page draws it like the others.
    bool DesktopLabel = false;
    bool operator==(const PicturePart&) const = default;
};

// A place that a click (or the key that stands for it) works: Action is the device's own
// code for it, which the device's model takes.
struct HotArea {
    PixelRect Box{};
    int Action = 0;
    bool operator==(const HotArea&) const = default;
};

struct Picture {
    int Width = 0;
    int Height = 0;
    Rgb Background = Black;
    std::vector<PicturePart> Parts{}; // drawn in order, the first one the unchanging ground
    std::vector<HotArea> Areas{};
    bool operator==(const Picture&) const = default;
};
