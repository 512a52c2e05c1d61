#pragma once

#include <string>
#include <vector>

#include "devices/Picture.h"

// Short ways to write a picture's shapes. A shape starts bare (no outline, no fill, crisp)
// and the wrappers give it what it needs:
//
//     Smooth(Filled(Outlined(EllipseShape(41, 24, 20, 20), Black), Red))

// A rectangle from x, y, w by h: filled it covers x .. x+w-1, its outline x .. x+w.
Shape RectShape(double x, double y, double w, double h);
Shape RoundedRectShape(double x, double y, double w, double h, double radius);
Shape EllipseShape(double x, double y, double w, double h);
Shape CircleShape(PicturePoint centre, double radius);
// Lines and polylines carry their pen: one pixel wide unless told.
Shape LineShape(PicturePoint from, PicturePoint to, Rgb colour, int width = 1);
Shape PolylineShape(std::vector<PicturePoint> points, Rgb colour, int width = 1);
Shape PolygonShape(std::vector<PicturePoint> points);
// A text in a box, vertically centred.
Shape TextShape(PixelRect box, std::string text, PictureFont font, Rgb colour,
                TextAlign align = TextAlign::Left);

Shape Filled(Shape shape, Rgb colour);
// A vertical or horizontal gradient from one point to another.
Shape GradientFilled(Shape shape, PicturePoint from, PicturePoint to,
                     std::vector<GradientStop> stops);
Shape Outlined(Shape shape, Rgb colour, int width = 1);
Shape Smooth(Shape shape);
// Ends at its points, mitred at its corners: a wire.
Shape FlatEnded(Shape shape);

// A filled rectangle without an outline, the most common shape.
Shape Block(double x, double y, double w, double h, Rgb colour);

// A part whose area is the box from x, y, w by h (x .. x+w-1).
PicturePart Part(int x, int y, int w, int h, std::vector<Shape> shapes);
PixelRect BoxOf(int x, int y, int w, int h);
