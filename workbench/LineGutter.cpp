#include "workbench/LineGutter.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>

#include "workbench/SourceEditor.h"
#include "workbench/Themes.h"

namespace {

constexpr int Padding = 4;

int Digits(int count) {
    int digits = 1;
    for (; count >= 10; count /= 10) {
        ++digits;
    }
    return digits;
}

} // namespace

LineGutter::LineGutter(SourceEditor& editor) : QWidget(&editor), editor_(editor) {
    setFont(editor.font());
    setCursor(Qt::PointingHandCursor);
}

void LineGutter::SetMarks(GutterMarks marks) {
    if (marks == marks_) {
        return;
    }
    marks_ = std::move(marks);
    update();
}

int LineGutter::MarkerWidth() const {
    return fontMetrics().height();
}

int LineGutter::WidthWanted() const {
    const int digits = std::max(2, Digits(editor_.blockCount()));
    return MarkerWidth() + digits * fontMetrics().horizontalAdvance(u'9') + 2 * Padding;
}

void LineGutter::paintEvent(QPaintEvent* event) {
    const Theme& theme = ShownTheme();
    QPainter painter(this);
    painter.fillRect(event->rect(), theme.Gutter.Back);
    painter.setPen(theme.GutterEdge);
    painter.drawLine(width() - 1, event->rect().top(), width() - 1, event->rect().bottom());
    painter.setRenderHint(QPainter::Antialiasing);
    const int marker = MarkerWidth();
    const int rowHeight = fontMetrics().height(); // a line's first row: lines never wrap
    for (const SourceEditor::ShownLine& line :
         editor_.ShownLines(event->rect().top(), event->rect().bottom() + 1)) {
        const auto found = marks_.Lines.find(line.Line);
        const LineMark mark = found != marks_.Lines.end() ? found->second : LineMark{};
        const QRect number(marker, line.Top, width() - marker - Padding, rowHeight);
        if (mark.Error) {
            painter.fillRect(number.adjusted(0, 0, Padding / 2, 0), theme.GutterError.Back);
        }
        painter.setPen(mark.Error ? theme.GutterError.Text : theme.Gutter.Text);
        painter.drawText(number, Qt::AlignRight | Qt::AlignVCenter, QString::number(line.Line + 1));
        const QRect box(0, line.Top, marker, marker);
        PaintMarker(painter, mark, box);
        if (marks_.IpLine == line.Line) {
            PaintIpArrow(painter, box);
        }
    }
}

void LineGutter::PaintMarker(QPainter& painter, const LineMark& mark, QRect box) const {
    if (!mark.Breakpoint && !mark.Stops) {
        return;
    }
    const QColor red = ShownTheme().Breakpoint;
    const QRectF circle = QRectF(box).adjusted(2.5, 2.5, -2.5, -2.5);
    painter.setPen(QPen(red, 1.5));
    painter.setBrush(mark.Stops ? QBrush(red) : QBrush(Qt::white));
    painter.drawEllipse(circle);
}

// A yellow arrow pointing at the line, drawn over a breakpoint's marker.
void LineGutter::PaintIpArrow(QPainter& painter, QRect box) const {
    const QRectF area = QRectF(box).adjusted(1.5, 3.5, -1.5, -3.5);
    QPainterPath arrow;
    arrow.moveTo(area.left(), area.top() + area.height() * 0.3);
    arrow.lineTo(area.center().x(), area.top() + area.height() * 0.3);
    arrow.lineTo(area.center().x(), area.top());
    arrow.lineTo(area.right(), area.center().y());
    arrow.lineTo(area.center().x(), area.bottom());
    arrow.lineTo(area.center().x(), area.bottom() - area.height() * 0.3);
    arrow.lineTo(area.left(), area.bottom() - area.height() * 0.3);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ShownTheme().IpArrow);
    painter.drawPath(arrow);
}

void LineGutter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const auto line = editor_.LineAt(event->position().toPoint().y())) {
        emit LineClicked(*line);
    }
}

bool LineGutter::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const auto line = editor_.LineAt(help->pos().y());
    const auto found = line ? marks_.Lines.find(*line) : marks_.Lines.end();
    if (found != marks_.Lines.end() && !found->second.Tip.isEmpty()) {
        QToolTip::showText(help->globalPos(), found->second.Tip, this);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}
