#include "workbench/devices/PicturePainter.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include "workbench/Fonts.h"

namespace {

QColor ColourOf(Rgb rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

QPen PenOf(const Stroke& stroke) {
    if (stroke.Width == 0) {
        return Qt::NoPen;
    }
    return QPen(ColourOf(stroke.Colour), stroke.Width, Qt::SolidLine,
                stroke.Flat ? Qt::FlatCap : Qt::SquareCap,
                stroke.Flat ? Qt::MiterJoin : Qt::BevelJoin);
}

QBrush BrushOf(const Fill& fill) {
    if (!fill.Visible) {
        return Qt::NoBrush;
    }
    if (fill.Stops.empty()) {
        return ColourOf(fill.Colour);
    }
    QLinearGradient gradient(fill.From.X, fill.From.Y, fill.To.X, fill.To.Y);
    for (const GradientStop& stop : fill.Stops) {
        gradient.setColorAt(stop.At, ColourOf(stop.Colour));
    }
    return gradient;
}

QFont FontOf(const PictureFont& font) {
    QFont qfont = font.Face == FontFace::Mono ? CourierNew(font.PixelSize, true)
                                              : MsSansSerif(font.PixelSize, true);
    qfont.setBold(font.Bold);
    return qfont;
}

Qt::Alignment AlignmentOf(TextAlign align) {
    switch (align) {
    case TextAlign::Centre:
        return Qt::AlignHCenter;
    case TextAlign::Right:
        return Qt::AlignRight;
    case TextAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

QPolygonF PolygonOf(const std::vector<PicturePoint>& points) {
    QPolygonF polygon;
    for (const PicturePoint& point : points) {
        polygon << QPointF(point.X, point.Y);
    }
    return polygon;
}

void PaintShape(QPainter& p, const Shape& shape) {
    const QRectF box(shape.X, shape.Y, shape.W, shape.H);
    p.setRenderHint(QPainter::Antialiasing, shape.Smooth);
    p.setPen(PenOf(shape.Pen));
    p.setBrush(BrushOf(shape.Brush));
    switch (shape.Kind) {
    case ShapeKind::Rect:
        p.drawRect(box);
        break;
    case ShapeKind::RoundedRect:
        p.drawRoundedRect(box, shape.Radius, shape.Radius);
        break;
    case ShapeKind::Ellipse:
        p.drawEllipse(box);
        break;
    case ShapeKind::Line:
    case ShapeKind::Polyline:
        p.drawPolyline(PolygonOf(shape.Points));
        break;
    case ShapeKind::Polygon:
        p.drawPolygon(PolygonOf(shape.Points));
        break;
    case ShapeKind::Text:
        p.setFont(FontOf(shape.Font));
        p.drawText(box, AlignmentOf(shape.Align) | Qt::AlignVCenter,
                   QString::fromLatin1(shape.Text));
        break;
    case ShapeKind::ClipTo:
        p.setClipRect(box);
        break;
    case ShapeKind::ClipOff:
        p.setClipping(false);
        break;
    }
}

void PaintPart(QImage& image, const PicturePart& part) {
    QPainter painter(&image);
    PicturePainter::PaintShapes(painter, part.Shapes);
}

} // namespace

void PicturePainter::PaintShapes(QPainter& painter, const std::vector<Shape>& shapes) {
    for (const Shape& shape : shapes) {
        PaintShape(painter, shape);
    }
}

QRect PicturePainter::PixelsOf(const PixelRect& box) {
    return QRect(QPoint(box.Left, box.Top), QPoint(box.Right, box.Bottom));
}

std::vector<QRect> PicturePainter::Paint(QImage& image, const Picture& picture) {
    // Parts that go away leave their pixels, which only the whole picture covers again.
    const bool whole = picture.Parts.size() < painted_.Parts.size();
    std::vector<QRect> changed;
    for (size_t index = 0; index < picture.Parts.size(); ++index) {
        const PicturePart& part = picture.Parts[index];
        const bool painted = index < painted_.Parts.size() && part == painted_.Parts[index];
        if (part.DesktopLabel || (!whole && painted)) {
            continue;
        }
        PaintPart(image, part);
        changed.push_back(PixelsOf(part.Area));
    }
    painted_ = picture;
    return changed;
}

void PicturePainter::Repaint(QImage& image) const {
    for (const PicturePart& part : painted_.Parts) {
        if (!part.DesktopLabel) {
            PaintPart(image, part);
        }
    }
}
