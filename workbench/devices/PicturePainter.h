#pragma once

#include <QRect>
#include <vector>

#include "devices/Picture.h"

class QImage;
class QPainter;

// Paints picture descriptions with QPainter onto a window's picture, in picture pixels at
// the picture's zoom. It keeps the picture it painted last and paints again only the parts
// that differ from it. Parts the window shows with labels of its own are left to them.
class PicturePainter {
  public:
    // Paints the parts of a picture that differ from those painted last, or that it adds at
    // the end (a trail that grows); all of them the first time and when parts went away. The
    // areas they cover, in picture pixels.
    std::vector<QRect> Paint(QImage& image, const Picture& picture);
    // Paints the last picture whole again, onto an image made afresh.
    void Repaint(QImage& image) const;
    const Picture& Painted() const { return painted_; }

    // Paints shapes as they are, for pictures kept outside a window's picture (a button's
    // face, the VDU's cells).
    static void PaintShapes(QPainter& painter, const std::vector<Shape>& shapes);
    // The rectangle of pixels a box covers, both corners included.
    static QRect PixelsOf(const PixelRect& box);

  private:
    Picture painted_;
};
