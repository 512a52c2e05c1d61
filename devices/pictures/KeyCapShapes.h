#pragma once

#include <vector>

#include "devices/Picture.h"
#include "devices/pictures/PixelMask.h"

// The key caps of the on-screen keyboard and the keypad, drawn alike on the window's face.

// The legends' and arrows' ink.
inline constexpr Rgb KeyInk = 0x202028;

// A key cap on an area, a pixel clear of its edge so that neighbouring keys stay apart: a
// dark rim with rounded corners, lit from the top left.
struct KeyCap {
    std::vector<Shape> Shapes;
    PixelMask Face;   // the cap's top face, where the legends go
    PixelRect Inside; // around the pixels inside the rim, which the legends may not leave
};
KeyCap KeyCapOn(const std::vector<PixelRect>& area);
// The pixels of a mask in a colour.
void AddMask(std::vector<Shape>& shapes, const PixelMask& mask, Rgb colour);
// An arrow along the points, its head at the last one.
void AddKeyArrow(std::vector<Shape>& shapes, const std::vector<PicturePoint>& path);
