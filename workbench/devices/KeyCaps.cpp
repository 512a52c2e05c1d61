#include "workbench/devices/KeyCaps.h"

#include <QLineF>
#include <QPainter>

namespace {

const QColor Rim(0x4a, 0x4c, 0x56);
const QColor Shade(0xa6, 0xa9, 0xb4);
const QColor Light(0xff, 0xff, 0xff);
const QColor Cap(0xfa, 0xfa, 0xf6);

// The pixels of area whose neighbours dx,dy away on both sides lie in it too.
QRegion Inner(const QRegion& area, int dx, int dy) {
    return area & area.translated(dx, dy) & area.translated(-dx, -dy);
}

// The area less its outermost ring of pixels.
QRegion Shrunk(const QRegion& area) {
    return Inner(area, 1, 0) & Inner(area, 0, 1);
}

} // namespace

QRegion DrawKeyCap(QPainter& painter, const QRegion& area) {
    const QRegion rim = Shrunk(area);
    // A corner has a neighbour on neither side of either axis; leaving it out rounds the key.
    FillKeyPart(painter, Inner(rim, 1, 0) | Inner(rim, 0, 1), Rim);
    const QRegion face = Shrunk(rim);
    FillKeyPart(painter, face, Shade);
    // The shade shows two pixels deep at the bottom and one at the right.
    const QRegion lit = face & face.translated(0, -2) & face.translated(-1, 0);
    FillKeyPart(painter, lit, Light);
    const QRegion top = lit & lit.translated(1, 0) & lit.translated(0, 1);
    FillKeyPart(painter, top, Cap);
    return top;
}

QRegion InsideKeyRim(const QRegion& area) {
    return Shrunk(Shrunk(area));
}

void FillKeyPart(QPainter& painter, const QRegion& part, const QColor& colour) {
    for (const QRect& rect : part) {
        painter.fillRect(rect, colour);
    }
}

void DrawKeyArrow(QPainter& painter, const QPolygonF& path) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(KeyInk, 1.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(path);
    const QLineF back(path.back(), path[path.size() - 2]);
    QLineF wing = back;
    wing.setLength(6);
    wing.setAngle(back.angle() + 30);
    const QPointF left = wing.p2();
    wing.setAngle(back.angle() - 30);
    painter.setPen(Qt::NoPen);
    painter.setBrush(KeyInk);
    painter.drawPolygon(QPolygonF{path.back(), left, wing.p2()});
    painter.restore();
}
