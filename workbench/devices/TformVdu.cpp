#include "workbench/devices/TformVdu.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include "devices/DeviceWords.h"
#include "workbench/Fonts.h"
#include "workbench/Glyphs.h"
#include "workbench/Zoom.h"
#include "workbench/devices/StateWords.h"

namespace {

constexpr int TextPixels = 13;

int CellIndex(int row, int column) {
    return row * VduColumns + column;
}

} // namespace

TformVdu::TformVdu(QWidget* owner, const MachineState& machine)
    : ToolWindow(owner, "VDU C0..FF", QSize(200, 64), Frame::Sizeable, Qt::black),
      machine_(machine) {
    UseFont(CourierNew(TextPixels, true));
    drawn_.fill(NotDrawn);
    VduLayout();
    words_ = new StateWords(this, [&machine] { return VduWords(machine); });
}

void TformVdu::UseFont(const QFont& font) {
    font_ = font;
    const QFontMetrics metrics(font_);
    textWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
    textHeight_ = metrics.height();
    textAscent_ = metrics.ascent();
}

void TformVdu::ApplyZoom(double factor) {
    ToolWindow::ApplyZoom(factor);
    UseFont(CourierNew(Zoomed(TextPixels, factor), true));
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

// Column by column: where a character is wider than its cell, the next column's opaque
// box covers its overhang, so a partial paint must draw every box it touches in this order.
void TformVdu::VduPaint(QPainter& painter, const QRegion& area) {
    painter.setFont(font_);
    painter.setPen(Qt::white);
    for (int column = 0; column < VduColumns; ++column) {
        for (int row = 0; row < VduRows; ++row) {
            const QRect box = TextBox(row, column);
            if (!area.intersects(box)) {
                continue;
            }
            const uint8_t code = VduCharacter(machine_, row, column);
            painter.fillRect(box, Qt::black);
            painter.drawText(box.left(), box.top() + textAscent_, QString(ShownGlyph(code)));
            Record(CellIndex(row, column), code, QRegion(box).subtracted(area).isEmpty());
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
