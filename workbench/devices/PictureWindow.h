#pragma once

#include <QImage>

#include "workbench/ToolWindow.h"

// A device window that shows a picture. What the device draws goes onto the picture, so it
// stays while the window is hidden; a paint only copies the changed area. The picture is
// drawn one-to-one in logical pixels and shown scaled at any screen scale, so one-pixel
// strokes and click coordinates stay exact.
class PictureWindow : public ToolWindow {
    Q_OBJECT
  public:
    PictureWindow(QWidget* owner, const QString& caption, QSize clientSize,
                  const QColor& background);

    // The picture, for drawing and for tests.
    QImage& Picture() { return picture_; }
    const QImage& Picture() const { return picture_; }

  protected:
    // Asks for a repaint of part of the picture after drawing on it.
    void PictureChanged(const QRect& area) { update(area); }
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};
