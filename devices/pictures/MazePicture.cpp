#include "devices/pictures/MazePicture.h"

#include "devices/pictures/RoundLine.h"
#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"

namespace {

// 8 points at the 96 dots per inch the legend was laid out for: 13 pixels a line, and 6.6 a
// character, so the byte's 27 characters take 179.
constexpr int LegendFontPixels = 11;
constexpr int LineHeight = 13;
constexpr int BitsWidth = 179;

PicturePoint At(PixelPoint point) {
    return {static_cast<double>(point.X), static_cast<double>(point.Y)};
}

Shape LegendText(PixelPoint at, std::string text) {
    return TextShape({at.X, at.Y, Maze::PictureWidth - 1, at.Y + LineHeight - 1}, std::move(text),
                     MonoFont(LegendFontPixels), Black);
}

PicturePart Ground() {
    std::vector<Shape> shapes{Filled(
        Outlined(RectShape(0, 0, Maze::PictureWidth, Maze::PictureHeight), Black, Maze::WallWidth),
        Lime)};
    for (const PixelLine& edge : Maze::SquareEdges) {
        AddRoundLine(shapes, {At(edge.From), At(edge.To)}, Black, Maze::WallWidth);
    }
    for (const std::vector<PixelPoint>& wall : Maze::InnerWalls) {
        std::vector<PicturePoint> points;
        for (PixelPoint point : wall) {
            points.push_back(At(point));
        }
        AddRoundLine(shapes, points, Olive, Maze::WallWidth);
    }
    for (const Maze::LegendLine& line : Maze::Legend) {
        shapes.push_back(LegendText({Maze::LegendX, line.Y}, line.Text));
    }
    return Part(0, 0, Maze::PictureWidth, Maze::PictureHeight, std::move(shapes));
}

// Over the legend's third line, on the yellow of the heads; the legend's own line before
// the first output.
PicturePart BitsPart(const Maze& maze) {
    const PixelPoint at = Maze::BitsTextAt;
    const std::string bits = maze.BitsText();
    return Part(at.X, at.Y, BitsWidth, LineHeight,
                {Block(at.X, at.Y, BitsWidth, LineHeight, bits.empty() ? Lime : Yellow),
                 LegendText(at, bits.empty() ? Maze::Legend[2].Text : bits)});
}

// A yellow circle with a red outline that covers both edges of its box.
PicturePart HeadPart(PixelPoint head) {
    const PixelRect box = Maze::HeadBox(head);
    return {.Area = box,
            .Shapes = {Filled(Outlined(EllipseShape(box.Left, box.Top, box.Right - box.Left,
                                                    box.Bottom - box.Top),
                                       Red),
                              Yellow)}};
}

} // namespace

Picture MazePicture(const Maze& maze) {
    Picture picture{.Width = Maze::PictureWidth,
                    .Height = Maze::PictureHeight,
                    .Background = Lime,
                    .Parts = {Ground(), BitsPart(maze)}};
    for (PixelPoint head : maze.Trail()) {
        picture.Parts.push_back(HeadPart(head));
    }
    picture.Parts.push_back(HeadPart({maze.SnakeX(), maze.SnakeY()}));
    return picture;
}
