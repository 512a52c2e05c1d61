#include "devices/pictures/RoundLine.h"

#include "devices/pictures/Shapes.h"

void AddRoundLine(std::vector<Shape>& shapes, const std::vector<PicturePoint>& points, Rgb colour,
                  int width) {
    shapes.push_back(FlatEnded(PolylineShape(points, colour, width)));
    for (const PicturePoint& point : points) {
        shapes.push_back(Filled(CircleShape(point, width / 2.0), colour));
    }
}
