#include "workbench/devices/TformMaze.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "devices/DeviceWords.h"
#include "workbench/Fonts.h"

namespace {

// 8 points at the 96 dots per inch the legend was laid out for.
constexpr int LegendFontPixels = 11;
constexpr int WallPen = Maze::WallWidth;

QFont LegendFont() {
    QFont font = CourierNew(LegendFontPixels, true);
    font.setBold(true);
    return font;
}

QPoint At(PixelPoint point) {
    return {point.X, point.Y};
}

// Wide pens end and join round, as the screen's wide lines do.
QPen WidePen(Rgb colour) {
    return QPen(QColor(colour), WallPen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawWalls(QPainter& painter) {
    painter.setPen(WidePen(Black));
    painter.setBrush(QColor(Lime));
    painter.drawRect(0, 0, Maze::PictureWidth, Maze::PictureHeight);
    for (const PixelLine& edge : Maze::SquareEdges) {
        painter.drawLine(At(edge.From), At(edge.To));
    }
    painter.setPen(WidePen(Olive));
    for (const std::vector<PixelPoint>& wall : Maze::InnerWalls) {
        QPolygon line;
        for (PixelPoint point : wall) {
            line << At(point);
        }
        painter.drawPolyline(line);
    }
}

} // namespace

TformMaze::TformMaze(QWidget* owner, Maze& model)
    : PictureWindow(owner, "Snake and Maze", QSize(Maze::PictureWidth, Maze::PictureHeight),
                    QColor(Lime)),
      model_(model) {
    ResetMaze();
    DescribeState([this] { return MazeWords(model_); });
    model_.OnChange = [this] {
        ShowOutput();
        StateChanged();
    };
}

void TformMaze::ResetMaze() {
    trail_.clear();
    DrawEmptyMaze();
    PictureChanged(Picture().rect());
}

void TformMaze::DrawEmptyMaze() {
    QPainter painter(&Picture());
    painter.setBackgroundMode(Qt::OpaqueMode);
    DrawWalls(painter);
    WriteLegend(painter);
    DrawHead(painter, {model_.SnakeX(), model_.SnakeY()});
}

void TformMaze::DrawWhole() {
    DrawEmptyMaze();
    if (trail_.empty()) {
        return;
    }
    QPainter painter(&Picture());
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setFont(LegendFont());
    painter.setPen(QColor(Black));
    painter.setBackground(QColor(Yellow));
    WriteText(painter, At(Maze::BitsTextAt), QString::fromStdString(model_.BitsText()));
    for (PixelPoint head : trail_) {
        DrawHead(painter, head);
    }
}

void TformMaze::ShowOutput() {
    if (model_.LastOutputReset()) {
        ResetMaze();
    }
    QPainter painter(&Picture());
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setFont(LegendFont());
    painter.setPen(QColor(Black));
    // The byte goes over the legend's third line on the brush the head drawing left.
    painter.setBackground(QColor(Yellow));
    QRect changed =
        WriteText(painter, At(Maze::BitsTextAt), QString::fromStdString(model_.BitsText()));
    for (PixelPoint head : model_.LastHeads()) {
        changed |= DrawHead(painter, head);
        if (std::find(trail_.begin(), trail_.end(), head) == trail_.end()) {
            trail_.push_back(head);
        }
    }
    PictureChanged(changed);
}

void TformMaze::WriteLegend(QPainter& painter) {
    painter.setFont(LegendFont());
    painter.setPen(QColor(Black));
    painter.setBackground(QColor(Lime));
    for (const Maze::LegendLine& line : Maze::Legend) {
        WriteText(painter, QPoint(Maze::LegendX, line.Y), QString::fromLatin1(line.Text));
    }
}

QRect TformMaze::DrawHead(QPainter& painter, PixelPoint head) {
    const PixelRect box = Maze::HeadBox(head);
    painter.setPen(QPen(QColor(Red), 1));
    painter.setBrush(QColor(Yellow));
    // An aliased pen strokes both edges of the box, so the circle covers both corners.
    const QRect geometric(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top);
    painter.drawEllipse(geometric);
    return geometric.adjusted(0, 0, 1, 1);
}
