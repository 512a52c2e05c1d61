#pragma once

#include <string>
#include <vector>

#include "devices/Picture.h"

// Pieces that several devices' pictures share.

// The port's plug, its top left corner at a point, between "MSB" and "LSB": eight gold pins
// centred 8, 16 .. 64 pixels in, bit 7 at the left, their tops 5 pixels down.
std::vector<Shape> PortPlugShapes(PixelPoint topLeft);

// The byte on the port's pins, "00000000" until the device shows one: bold yellow mono over
// the pins, on the ground it stands on.
PicturePart BitLabelPart(PixelRect place, const std::string& text, Rgb ground);

// A font of the picture: bold unless told.
PictureFont MonoFont(int pixels, bool bold = true);
PictureFont SansFont(int pixels, bool bold = true);
