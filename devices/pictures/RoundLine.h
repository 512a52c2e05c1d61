#pragma once

#include <vector>

#include "devices/Picture.h"

// A wide line through points that ends and turns round, as the screen draws wide lines: a
// flat-ended line with a disc as wide as the line at each point.
void AddRoundLine(std::vector<Shape>& shapes, const std::vector<PicturePoint>& points, Rgb colour,
                  int width);
