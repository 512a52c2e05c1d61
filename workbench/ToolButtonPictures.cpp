#include "workbench/ToolButtonPictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>
#include <cmath>

// Every picture is drawn in logical pixels on a 19 x 19 grid (the forum's 19 x 30), at the
// size the button shows it. Rectangles cover whole pixels; a curved one-pixel outline runs through
// pixel centres (x + 0.5) so it blurs as little as it can.

namespace {

namespace Colour {
constexpr QColor Ink{38, 49, 61};
constexpr QColor Paper{255, 255, 255};
constexpr QColor Cloud{223, 228, 234};
constexpr QColor Steel{138, 150, 163};
constexpr QColor Slate{74, 85, 99};
constexpr QColor Night{30, 34, 40};
constexpr QColor Blue{58, 120, 214};
constexpr QColor PaleBlue{168, 198, 240};
constexpr QColor Folder{246, 201, 69};
constexpr QColor FolderBack{217, 162, 58};
constexpr QColor Red{226, 55, 45};
constexpr QColor Amber{245, 166, 35};
constexpr QColor Green{47, 168, 79};
constexpr QColor Glow{89, 227, 111};
constexpr QColor Flame{242, 140, 40};
constexpr QColor FlameCore{255, 214, 64};
constexpr QColor Copper{205, 120, 50};
} // namespace Colour

enum class Direction { Up, Down };

QPen Outline(const QColor& colour = Colour::Ink, qreal width = 1.0) {
    return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

// A filled rectangle whose border pixels are the outline.
void Box(QPainter& p, const QRect& cells, const QColor& fill) {
    p.fillRect(cells, Colour::Ink);
    p.fillRect(cells.adjusted(1, 1, -1, -1), fill);
}

void RoundBox(QPainter& p, const QRect& cells, const QColor& fill, qreal radius) {
    p.setPen(Outline());
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(cells).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

// A polygon given by pixel centres, filled and outlined.
void Shape(QPainter& p, const QPolygonF& centres, const QColor& fill) {
    p.setPen(Outline());
    p.setBrush(fill);
    p.drawPolygon(centres);
}

void Disc(QPainter& p, const QRectF& bounds, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(bounds);
}

// Small slanted shapes drawn without smoothing: stepped in whole device pixels they stay
// sharp at 1x, where smoothing would only blur them.
template <typename Draw> void Sharp(QPainter& p, Draw draw) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    draw();
    p.restore();
}

// A solid triangle with 45-degree sides, `rows` pixels high, pointing up or down from a tip
// `tipWidth` pixels wide. The sides run a quarter pixel off the pixel centres so every row
// is whole and symmetric.
void Triangle(QPainter& p, QPointF tip, Direction direction, int rows, qreal tipWidth,
              const QColor& fill) {
    const qreal towardsBase = direction == Direction::Up ? 1 : -1;
    const qreal tipHalf = tipWidth / 2 - 0.25;
    const qreal baseHalf = tipHalf + rows;
    const qreal base = tip.y() + towardsBase * rows;
    Sharp(p, [&] {
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPolygon(QPolygonF{{tip.x() - tipHalf, tip.y()},
                                {tip.x() + tipHalf, tip.y()},
                                {tip.x() + baseHalf, base},
                                {tip.x() - baseHalf, base}});
    });
}

// An arrow: a head three rows high on a stem two pixels wide.
void Arrow(QPainter& p, QPointF tip, Direction direction, qreal length, const QColor& fill) {
    constexpr int head = 3;
    Triangle(p, tip, direction, head, 2, fill);
    const qreal stemTop = direction == Direction::Up ? tip.y() + head : tip.y() - length;
    p.fillRect(QRectF(tip.x() - 1, stemTop, 2, length - head), fill);
}

// A capital A filling the box, its legs and bar about a quarter of the width thick.
void LetterA(QPainter& p, const QRectF& box) {
    const auto at = [&box](qreal u, qreal v) {
        return QPointF(box.x() + u * box.width(), box.y() + v * box.height());
    };
    QPainterPath letter;
    letter.addPolygon(QPolygonF{at(0, 1), at(0.36, 0), at(0.64, 0), at(1, 1), at(0.76, 1),
                                at(0.67, 0.72), at(0.33, 0.72), at(0.24, 1), at(0, 1)});
    letter.addPolygon(QPolygonF{at(0.39, 0.58), at(0.61, 0.58), at(0.50, 0.22), at(0.39, 0.58)});
    letter.setFillRule(Qt::OddEvenFill);
    Sharp(p, [&] {
        p.setPen(Qt::NoPen);
        p.setBrush(Colour::Ink);
        p.drawPath(letter);
    });
}

// The seven segments of an 8, each `thickness` wide, leaving the corners open.
void SevenSegmentEight(QPainter& p, const QRectF& digit, qreal thickness, const QColor& lit) {
    const qreal x = digit.x();
    const qreal y = digit.y();
    const qreal w = digit.width();
    const qreal h = digit.height();
    const qreal t = thickness;
    const qreal upright = (h - 3 * t) / 2;
    const qreal lowerTop = y + 2 * t + upright;
    const std::array<QRectF, 7> segments{{
        {x + t, y, w - 2 * t, t},
        {x + t, y + t + upright, w - 2 * t, t},
        {x + t, y + h - t, w - 2 * t, t},
        {x, y + t, t, upright},
        {x + w - t, y + t, t, upright},
        {x, lowerTop, t, upright},
        {x + w - t, lowerTop, t, upright},
    }};
    for (const QRectF& segment : segments) {
        p.fillRect(segment, lit);
    }
}

// A diagonal cross over the square `bounds`, with round ends.
void Cross(QPainter& p, const QRectF& bounds, const QColor& colour, qreal width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(bounds.topLeft(), bounds.bottomRight());
    p.drawLine(bounds.topRight(), bounds.bottomLeft());
}

// A small window: white body under a coloured title bar.
void WindowFrame(QPainter& p, const QRect& cells) {
    Box(p, cells, Colour::Paper);
    p.fillRect(QRect(cells.x() + 1, cells.y() + 1, cells.width() - 2, 2), Colour::Blue);
}

// A speech bubble: a rounded body with a tail ending at `tail`, dots for words.
void SpeechBubble(QPainter& p, const QRectF& body, QPointF tail, const QColor& fill) {
    QPainterPath bubble;
    bubble.addRoundedRect(body, 4, 4);
    const qreal root = tail.x() < body.center().x() ? body.left() + 4 : body.right() - 4;
    const qreal side = tail.x() < body.center().x() ? 4 : -4;
    QPainterPath pointer;
    pointer.addPolygon(
        QPolygonF{{root, body.bottom() - 1}, tail, {root + side, body.bottom() - 1}});
    p.setPen(Outline());
    p.setBrush(fill);
    p.drawPath(bubble.united(pointer));
    const QPoint middle = body.center().toPoint();
    for (int dot = -1; dot <= 1; ++dot) {
        p.fillRect(QRect(middle.x() + 4 * dot - 1, middle.y() - 1, 2, 2), Colour::Paper);
    }
}

void DrawFileOpen(QPainter& p) {
    Shape(p, QPolygonF{{1.5, 3.5}, {6.5, 3.5}, {8.5, 5.5}, {15.5, 5.5}, {15.5, 16.5}, {1.5, 16.5}},
          Colour::FolderBack);
    Box(p, QRect(4, 7, 9, 6), Colour::Paper);
    Shape(p, QPolygonF{{5.5, 9.5}, {18.5, 9.5}, {15.5, 16.5}, {1.5, 16.5}}, Colour::Folder);
}

void DrawFileSave(QPainter& p) {
    Shape(p, QPolygonF{{1.5, 1.5}, {15.5, 1.5}, {17.5, 3.5}, {17.5, 17.5}, {1.5, 17.5}},
          Colour::Blue);
    Box(p, QRect(5, 1, 9, 6), Colour::Steel);
    p.fillRect(QRect(10, 3, 2, 3), Colour::Ink);
    Box(p, QRect(4, 10, 11, 8), Colour::Paper);
    p.fillRect(QRect(6, 12, 7, 1), Colour::PaleBlue);
    p.fillRect(QRect(6, 14, 7, 1), Colour::PaleBlue);
}

void DrawFileNew(QPainter& p) {
    Shape(p, QPolygonF{{3.5, 1.5}, {11.5, 1.5}, {15.5, 5.5}, {15.5, 17.5}, {3.5, 17.5}},
          Colour::Paper);
    Shape(p, QPolygonF{{11.5, 1.5}, {11.5, 5.5}, {15.5, 5.5}}, Colour::Cloud);
}

void DrawEnlargeFont(QPainter& p) {
    LetterA(p, QRectF(0.5, 2, 12, 15));
    Arrow(p, QPointF(16, 2), Direction::Up, 12, Colour::Green);
}

void DrawReduceFont(QPainter& p) {
    LetterA(p, QRectF(1.5, 7, 9, 10));
    Arrow(p, QPointF(15, 17), Direction::Down, 12, Colour::Red);
}

void DrawBoldFont(QPainter& p) {
    QPainterPath letter;
    letter.moveTo(4, 2);
    letter.lineTo(10.5, 2);
    letter.arcTo(QRectF(7, 2, 7, 7.5), 90, -180);
    letter.lineTo(11.5, 9);
    letter.arcTo(QRectF(8, 9, 7, 8), 90, -180);
    letter.lineTo(4, 17);
    letter.closeSubpath();
    letter.addRoundedRect(QRectF(7.5, 4.8, 3, 2.4), 1.2, 1.2);
    letter.addRoundedRect(QRectF(7.5, 11.3, 4, 3), 1.5, 1.5);
    letter.setFillRule(Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(Colour::Ink);
    p.drawPath(letter);
}

void DrawVdu(QPainter& p) {
    Box(p, QRect(1, 1, 17, 13), Colour::Slate);
    p.fillRect(QRect(3, 3, 13, 9), Colour::Night);
    p.fillRect(QRect(4, 4, 9, 1), Colour::Glow);
    p.fillRect(QRect(4, 6, 6, 1), Colour::Glow);
    p.fillRect(QRect(4, 8, 10, 1), Colour::Glow);
    p.fillRect(QRect(4, 10, 2, 1), Colour::Glow);
    p.fillRect(QRect(8, 14, 3, 2), Colour::Ink);
    Box(p, QRect(5, 16, 9, 2), Colour::Slate);
}

void DrawTrafficLights(QPainter& p) {
    RoundBox(p, QRect(5, 0, 9, 19), Colour::Night, 2);
    Disc(p, QRectF(7, 1.5, 5, 5), Colour::Red);
    Disc(p, QRectF(7, 7, 5, 5), Colour::Amber);
    Disc(p, QRectF(7, 12.5, 5, 5), Colour::Green);
}

void DrawSevenSegment(QPainter& p) {
    RoundBox(p, QRect(3, 0, 13, 19), Colour::Night, 2);
    SevenSegmentEight(p, QRectF(5, 3, 9, 14), 2, Colour::Red);
}

// A flame with a yellow core, standing on the bottom edge.
void Flame(QPainter& p) {
    QPainterPath outer;
    outer.moveTo(6, 18);
    outer.cubicTo(3, 18, 1.5, 15.5, 1.5, 13);
    outer.cubicTo(1.5, 9.5, 5, 8, 5.5, 2.5);
    outer.cubicTo(8.5, 6, 10.5, 9, 10.5, 13);
    outer.cubicTo(10.5, 15.5, 9, 18, 6, 18);
    p.setPen(Outline(Colour::Red));
    p.setBrush(Colour::Flame);
    p.drawPath(outer);
    QPainterPath core;
    core.moveTo(6, 17.5);
    core.cubicTo(4.6, 17.5, 4, 16.4, 4, 15.2);
    core.cubicTo(4, 13.4, 5.6, 12.2, 6.2, 10);
    core.cubicTo(7.6, 11.8, 8, 13.4, 8, 15.2);
    core.cubicTo(8, 16.4, 7.4, 17.5, 6, 17.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Colour::FlameCore);
    p.drawPath(core);
}

// A thermometer at the right edge; the red column runs from the bulb up the tube.
void Thermometer(QPainter& p) {
    RoundBox(p, QRect(13, 0, 4, 15), Colour::Paper, 2);
    p.setPen(Outline());
    p.setBrush(Colour::Red);
    p.drawEllipse(QRectF(12, 12.5, 6, 6));
    p.fillRect(QRect(14, 5, 2, 9), Colour::Red);
}

void DrawHeater(QPainter& p) {
    Flame(p);
    Thermometer(p);
}

void DrawMaze(QPainter& p) {
    // A 3 x 3 maze, five pixels a cell from pixel 2: in at the top left, out at the bottom
    // right, the snake winding along it towards the apple.
    Box(p, QRect(2, 2, 16, 16), Colour::Paper);
    const auto wall = [&p](qreal x1, qreal y1, qreal x2, qreal y2) {
        p.drawLine(QPointF(2.5 + 5 * x1, 2.5 + 5 * y1), QPointF(2.5 + 5 * x2, 2.5 + 5 * y2));
    };
    p.setPen(Outline(Colour::Paper));
    wall(0, 0.2, 0, 0.8);
    wall(3, 2.2, 3, 2.8);
    p.setPen(Outline());
    wall(1, 0, 1, 2);
    wall(2, 1, 2, 3);
    Disc(p, QRectF(13, 13, 4, 4), Colour::Red);
    p.setPen(QPen(Colour::Green, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{0, 5}, {5, 5}, {5, 15}, {10, 15}, {10, 5}, {14, 5}});
    p.fillRect(QRect(14, 4, 2, 2), Colour::Ink);
}

void DrawStepper(QPainter& p) {
    // The stator ring with four pole teeth, the top coil energised, and the rotor's bar magnet
    // turned to it: north (red) up.
    p.setPen(Outline());
    p.setBrush(Colour::Slate);
    p.drawEllipse(QRectF(0.5, 0.5, 18, 18));
    p.setBrush(Colour::Paper);
    p.drawEllipse(QRectF(2.5, 2.5, 14, 14));
    p.fillRect(QRect(8, 2, 3, 4), Colour::Slate);
    p.fillRect(QRect(8, 13, 3, 4), Colour::Slate);
    p.fillRect(QRect(2, 8, 4, 3), Colour::Slate);
    p.fillRect(QRect(13, 8, 4, 3), Colour::Slate);
    p.fillRect(QRect(7, 3, 5, 2), Colour::Amber);
    p.fillRect(QRect(7, 14, 5, 2), Colour::Copper);
    p.fillRect(QRect(3, 7, 2, 5), Colour::Copper);
    p.fillRect(QRect(14, 7, 2, 5), Colour::Copper);
    p.fillRect(QRect(8, 7, 3, 3), Colour::Red);
    p.fillRect(QRect(8, 10, 3, 2), Colour::Blue);
}

void DrawLift(QPainter& p) {
    Box(p, QRect(1, 1, 12, 17), Colour::Steel);
    Box(p, QRect(3, 3, 4, 13), Colour::Cloud);
    Box(p, QRect(7, 3, 4, 13), Colour::Cloud);
    Triangle(p, QPointF(16, 3), Direction::Up, 3, 2, Colour::Green);
    Triangle(p, QPointF(16, 16), Direction::Down, 3, 2, Colour::Green);
}

void DrawKeyboard(QPainter& p) {
    RoundBox(p, QRect(0, 4, 19, 12), Colour::Slate, 1.5);
    const std::array<QRect, 13> keys{{
        {2, 6, 2, 2},
        {5, 6, 2, 2},
        {8, 6, 2, 2},
        {11, 6, 2, 2},
        {14, 6, 3, 2},
        {2, 9, 3, 2},
        {6, 9, 2, 2},
        {9, 9, 2, 2},
        {12, 9, 2, 2},
        {15, 9, 2, 2},
        {2, 12, 2, 2},
        {5, 12, 9, 2},
        {15, 12, 2, 2},
    }};
    for (const QRect& key : keys) {
        p.fillRect(key, Colour::Paper);
    }
}

void DrawKeypad(QPainter& p) {
    RoundBox(p, QRect(2, 0, 15, 19), Colour::Slate, 1.5);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            p.fillRect(QRect(4 + 4 * column, 2 + 4 * row, 3, 3), Colour::Paper);
        }
    }
}

void DrawCloseAll(QPainter& p) {
    WindowFrame(p, QRect(0, 0, 12, 9));
    WindowFrame(p, QRect(3, 3, 12, 9));
    WindowFrame(p, QRect(6, 6, 12, 9));
    // A white rim keeps the red cross apart from the window lines under it.
    const QRectF corner(11, 11, 6, 6);
    Cross(p, corner, Colour::Paper, 4.5);
    Cross(p, corner, Colour::Red, 2.5);
}

void DrawForum(QPainter& p) {
    SpeechBubble(p, QRectF(0.5, 1.5, 16, 11), QPointF(2.5, 16.5), Colour::Blue);
    SpeechBubble(p, QRectF(2.5, 14.5, 16, 11), QPointF(16.5, 29.5), Colour::Green);
}

using DrawPicture = void (*)(QPainter&);

struct PictureEntry {
    ToolPicture picture;
    QSize size;
    DrawPicture draw;
};

constexpr QSize ButtonFace{19, 19};

constexpr std::array<PictureEntry, 17> Pictures{{
    {ToolPicture::FileOpen, ButtonFace, DrawFileOpen},
    {ToolPicture::FileSave, ButtonFace, DrawFileSave},
    {ToolPicture::FileNew, ButtonFace, DrawFileNew},
    {ToolPicture::EnlargeFont, ButtonFace, DrawEnlargeFont},
    {ToolPicture::ReduceFont, ButtonFace, DrawReduceFont},
    {ToolPicture::BoldFont, ButtonFace, DrawBoldFont},
    {ToolPicture::ShowVdu, ButtonFace, DrawVdu},
    {ToolPicture::ShowTrafficLights, ButtonFace, DrawTrafficLights},
    {ToolPicture::ShowSevenSegment, ButtonFace, DrawSevenSegment},
    {ToolPicture::ShowHeater, ButtonFace, DrawHeater},
    {ToolPicture::ShowMaze, ButtonFace, DrawMaze},
    {ToolPicture::ShowStepper, ButtonFace, DrawStepper},
    {ToolPicture::ShowLift, ButtonFace, DrawLift},
    {ToolPicture::ShowKeyboard, ButtonFace, DrawKeyboard},
    {ToolPicture::ShowKeypad, ButtonFace, DrawKeypad},
    {ToolPicture::CloseAll, ButtonFace, DrawCloseAll},
    {ToolPicture::Forum, QSize(19, 30), DrawForum},
}};

// The table is in the order of the enum, so a picture's entry is found by its number.
constexpr bool InPictureOrder() {
    for (std::size_t index = 0; index < Pictures.size(); ++index) {
        if (Pictures[index].picture != static_cast<ToolPicture>(index)) {
            return false;
        }
    }
    return Pictures.size() == static_cast<std::size_t>(ToolPicture::Forum) + 1;
}
static_assert(InPictureOrder());

const PictureEntry& EntryFor(ToolPicture picture) {
    return Pictures[static_cast<std::size_t>(picture)];
}

// The picture drawn whole into the pixels asked for.
QPixmap Render(const PictureEntry& entry, QSize pixels) {
    const qreal ratio = std::min(qreal(pixels.width()) / entry.size.width(),
                                 qreal(pixels.height()) / entry.size.height());
    QPixmap pixmap(pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(ratio, ratio);
    entry.draw(painter);
    return pixmap;
}

// Draws the picture afresh at whatever size the button asks for: sharp at every zoom and on
// every screen scale.
class PictureIconEngine : public QIconEngine {
  public:
    explicit PictureIconEngine(const PictureEntry& entry) : entry_(entry) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const QPixmap picture = Render(entry_, size);
        if (mode != QIcon::Disabled) {
            return picture;
        }
        QStyleOption option;
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    QIconEngine* clone() const override { return new PictureIconEngine(entry_); }

  private:
    const PictureEntry& entry_;
};

// The program icon is laid out on a 64-unit square, every length snapped to whole pixels so
// that the small sizes stay sharp. From 48 pixels on it shows more pins and some detail.
struct IconGrid {
    int size;
    bool Detailed() const { return size >= 48; }
    qreal operator()(qreal units) const { return std::round(units * size / 64.0); }
};

// The chip's pins, `count` a side, spread evenly along the body's edges.
void ChipPins(QPainter& p, const QRectF& body, int count, qreal length, qreal width) {
    const qreal pitch = body.width() / count;
    for (int pin = 0; pin < count; ++pin) {
        const qreal along = std::round(body.left() + pitch * (pin + 0.5) - width / 2);
        p.fillRect(QRectF(along, body.top() - length, width, length), Colour::Steel);
        p.fillRect(QRectF(along, body.bottom(), width, length), Colour::Steel);
        p.fillRect(QRectF(body.left() - length, along, length, width), Colour::Steel);
        p.fillRect(QRectF(body.right(), along, length, width), Colour::Steel);
    }
}

// The chip's square package with its pins, and the pin-1 mark when there is room.
void ChipPackage(QPainter& p, const IconGrid& grid) {
    const QRectF body(QPointF(grid(12), grid(12)), QPointF(grid(52), grid(52)));
    const bool detailed = grid.Detailed();
    ChipPins(p, body, detailed ? 5 : 3, grid(7), std::max(1.0, grid(detailed ? 4 : 6)));
    p.setPen(grid.size < 32 ? QPen(Qt::NoPen) : Outline(Colour::Ink, grid(1)));
    p.setBrush(Colour::Night);
    p.drawRoundedRect(body, grid(3), grid(3));
    if (detailed) {
        Disc(p, QRectF(grid(16), grid(16), grid(4), grid(4)), Colour::Steel);
    }
}

// A row of eight register bits, lit ones in green.
void RegisterBits(QPainter& p, const QRectF& row) {
    constexpr std::array<bool, 8> pattern{true, false, true, true, false, false, true, false};
    const qreal pitch = row.width() / 8;
    for (std::size_t bit = 0; bit < pattern.size(); ++bit) {
        const QRectF lamp(row.left() + pitch * bit + pitch * 0.15, row.top(), pitch * 0.7,
                          row.height());
        p.fillRect(lamp, pattern[bit] ? Colour::Glow : Colour::Slate);
    }
}

// What makes it a teaching eight-bit processor: a display showing 8 and a register's bits.
void ChipFace(QPainter& p, const IconGrid& grid) {
    const qreal stroke = std::max(1.0, std::round(grid.size / 20.0));
    const QSizeF digit(4 * stroke, 7 * stroke);
    const qreal middle = grid.Detailed() ? grid(28) : grid(32);
    const QPointF topLeft(std::round(grid.size / 2.0 - digit.width() / 2),
                          std::round(middle - digit.height() / 2));
    SevenSegmentEight(p, QRectF(topLeft, digit), stroke, Colour::Amber);
    if (grid.Detailed()) {
        RegisterBits(p, QRectF(grid(18), grid(42), grid(28), grid(4)));
    }
}

} // namespace

QIcon ToolButtonIcon(ToolPicture picture) {
    return QIcon(new PictureIconEngine(EntryFor(picture)));
}

QSize ToolPictureSize(ToolPicture picture) {
    return EntryFor(picture).size;
}

QPixmap ProgramIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const IconGrid grid{size};
    ChipPackage(painter, grid);
    ChipFace(painter, grid);
    return pixmap;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(ProgramIconPixmap(size));
    }
    return icon;
}
