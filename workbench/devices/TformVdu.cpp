#include "workbench/devices/TformVdu.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/VduPicture.h"
#include "workbench/Fonts.h"
#include "workbench/Zoom.h"
#include "workbench/devices/PicturePainter.h"
#include "workbench/devices/StateWords.h"

namespace {

constexpr int TextPixels = 13;

int CellIndex(int row, int column) {
    return row * VduColumns + column;
}

} // namespace

TformVdu::TformVdu(QWidget* owner, const MachineState& machine)
    : ToolWindow(owner, DeviceRowOf(Peripheral::Vdu).Caption, QSize(200, 64), Frame::Sizeable,
                 Qt::black),
      machine_(machine) {
    UseFont(TextPixels);
    drawn_.fill(NotDrawn);
    VduLayout();
    words_ = new StateWords(this, [&machine] { return VduWords(machine); });
}

void TformVdu::UseFont(int pixels) {
    fontPixels_ = pixels;
    const QFontMetrics metrics(CourierNew(pixels, true));
    textWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
    textHeight_ = metrics.height();
}

void TformVdu::ApplyZoom(double factor) {
    ToolWindow::ApplyZoom(factor);
    UseFont(Zoomed(TextPixels, factor));
    drawn_.fill(NotDrawn);
    VduLayout();
    update();
}

void TformVdu::Refresh() {
    if (!isVisible()) {
        return;
    }
    for (int row = 0; row < VduRows; ++row) {
        for (int column = 0; column < VduColumns; ++column) {
            if (VduCharacter(machine_, row, column) != drawn_[CellIndex(row, column)]) {
                update(TextBox(row, column));
            }
        }
    }
    words_->Changed();
}

void TformVdu::showEvent(QShowEvent* event) {
    ToolWindow::showEvent(event);
    VduLayout();
    update();
    words_->Changed();
}

void TformVdu::resizeEvent(QResizeEvent* event) {
    ToolWindow::resizeEvent(event);
    VduLayout();
    update();
}

void TformVdu::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    VduPaint(painter, event->region());
}

// The black fill comes with the repaint that follows, from the window's background.
void TformVdu::VduLayout() {
    cellWidth_ = width() / VduColumns;
    cellHeight_ = height() / VduRows;
}

// Column by column, as the picture's parts go: where a character is wider than its cell, the
// next column's opaque box covers its overhang, so a partial paint must draw every box it
// touches in this order.
void TformVdu::VduPaint(QPainter& painter, const QRegion& area) {
    const Picture picture =
        VduPicture(machine_, {width(), height(), fontPixels_, textWidth_, textHeight_});
    for (int column = 0; column < VduColumns; ++column) {
        for (int row = 0; row < VduRows; ++row) {
            const PicturePart& part = picture.Parts[static_cast<size_t>(column * VduRows + row)];
            const QRect box = PicturePainter::PixelsOf(part.Area);
            if (!area.intersects(box)) {
                continue;
            }
            PicturePainter::PaintShapes(painter, part.Shapes);
            Record(CellIndex(row, column), VduCharacter(machine_, row, column),
                   QRegion(box).subtracted(area).isEmpty());
        }
    }
}

// A box drawn only in part holds what it held before only if its code did not change.
void TformVdu::Record(int cell, uint8_t code, bool whole) {
    if (whole) {
        drawn_[cell] = code;
    } else if (drawn_[cell] != code) {
        drawn_[cell] = NotDrawn;
    }
}

QRect TformVdu::TextBox(int row, int column) const {
    return {column * cellWidth_, row * cellHeight_, textWidth_, textHeight_};
}
