#include "workbench/devices/PictureWindow.h"

#include <QPaintEvent>
#include <QPainter>

PictureWindow::PictureWindow(QWidget* owner, const QString& caption, QSize clientSize,
                             const QColor& background)
    : ToolWindow(owner, caption, clientSize, Frame::Fixed, background),
      picture_(clientSize, QImage::Format_RGB32) {
    picture_.fill(background);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), picture_, event->rect());
}
