#include "workbench/devices/PictureWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "devices/pictures/DevicePictures.h"
#include "workbench/Fonts.h"
#include "workbench/Themes.h"
#include "workbench/Zoom.h"
#include "workbench/devices/StateWords.h"

PictureWindow::PictureWindow(QWidget* owner, const QString& caption, QSize clientSize,
                             const QColor& background)
    : ToolWindow(owner, caption, clientSize, Frame::Fixed, background),
      picture_(clientSize, QImage::Format_RGB32), background_(background) {
    // The labels and buttons on the picture keep its colours in every theme, as it does.
    setPalette(FixedSystemPalette());
    SetBackground(background);
    picture_.fill(background);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), picture_, event->rect());
    // Only the window that has the keyboard: a tool window may count as active with its owner.
    if (takesKeys_ && QApplication::activeWindow() == this) {
        DrawFocusMark(painter);
    }
}

// A dashed frame just inside the window's edge, in the style's own focus colour.
void PictureWindow::DrawFocusMark(QPainter& painter) const {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void PictureWindow::keyPressEvent(QKeyEvent* event) {
    if (takesKeys_ && TakeKey(*event)) {
        StateChanged();
        return;
    }
    ToolWindow::keyPressEvent(event);
}

void PictureWindow::changeEvent(QEvent* event) {
    if (takesKeys_ && event->type() == QEvent::ActivationChange) {
        update();
    }
    ToolWindow::changeEvent(event);
}

bool PictureWindow::TakeKey(const QKeyEvent&) {
    return false;
}

void PictureWindow::AcceptKeys() {
    takesKeys_ = true;
    setFocusPolicy(Qt::StrongFocus);
}

void PictureWindow::DescribeState(std::function<std::string()> words) {
    words_ = new StateWords(this, std::move(words));
}

void PictureWindow::StateChanged() {
    if (words_) {
        words_->Changed();
    }
}

void PictureWindow::ApplyZoom(double factor) {
    if (factor == Zoom()) {
        return;
    }
    ToolWindow::ApplyZoom(factor);
    const QSize logical = picture_.deviceIndependentSize().toSize();
    picture_ = QImage(Zoomed(QRect(QPoint(0, 0), logical), factor).size(), QImage::Format_RGB32);
    picture_.setDevicePixelRatio(factor);
    picture_.fill(background_);
    DrawWhole();
    update();
}

void PictureWindow::DrawWhole() {
    painter_.Repaint(picture_);
}

void PictureWindow::ShowPicture(const ::Picture& picture) {
    for (const QRect& area : painter_.Paint(picture_, picture)) {
        PictureChanged(area);
    }
}

int PictureWindow::ActionAt(const QMouseEvent& event) const {
    const QPoint at = PicturePixel(event);
    return ::ActionAt(painter_.Painted(), {at.x(), at.y()});
}

int PictureWindow::TypedKeyActionOf(Peripheral window, const QKeyEvent& event) {
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
        event.key() <= Qt::Key_Z) {
        return TypedKeyAction(window, static_cast<uint8_t>(event.key() - Qt::Key_A + 1));
    }
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() > 0xFF) {
        return NoAction;
    }
    return TypedKeyAction(window, static_cast<uint8_t>(text[0].unicode()));
}

void PictureWindow::PictureChanged(const QRect& area) {
    update(Covering(area, Zoom()));
}

QRect PictureWindow::PixelsOf(const QRect& area) const {
    return Covering(area, Zoom());
}

QPoint PictureWindow::PicturePixel(const QMouseEvent& event) const {
    const QPointF at = event.position() / Zoom();
    return QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
}

QLabel* PictureWindow::AddBitLabel(const QString& objectName, const QRect& place) {
    auto* label = new QLabel(QStringLiteral("00000000"), this);
    label->setObjectName(objectName);
    label->setGeometry(place);
    label->setFont(BitLabelFont());
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, Qt::yellow);
    label->setPalette(colours);
    return label;
}

QFont PictureWindow::BitLabelFont() {
    QFont font = CourierNew(13, true);
    font.setBold(true);
    return font;
}
