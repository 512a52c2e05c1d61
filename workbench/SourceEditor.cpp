#include "workbench/SourceEditor.h"

#include <QTextBlock>

#include "workbench/LineGutter.h"

SourceEditor::SourceEditor(QWidget* parent) : TextPane(parent), gutter_(new LineGutter(*this)) {
    connect(this, &QPlainTextEdit::blockCountChanged, this, &SourceEditor::FitGutter);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0) {
            gutter_->scroll(0, dy);
        } else {
            gutter_->update(0, rect.y(), gutter_->width(), rect.height());
        }
    });
    FitGutter();
}

std::vector<SourceEditor::ShownLine> SourceEditor::ShownLines(int top, int bottom) const {
    std::vector<ShownLine> shown;
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(offset);
        if (box.top() >= bottom) {
            break;
        }
        if (block.isVisible() && box.bottom() >= top) {
            shown.push_back(
                {block.blockNumber(), static_cast<int>(box.top()), static_cast<int>(box.height())});
        }
    }
    return shown;
}

std::optional<int> SourceEditor::LineAt(int y) const {
    const std::vector<ShownLine> shown = ShownLines(y, y + 1);
    if (shown.empty() || y >= shown.back().Top + shown.back().Height) {
        return std::nullopt;
    }
    return shown.back().Line;
}

void SourceEditor::resizeEvent(QResizeEvent* event) {
    TextPane::resizeEvent(event);
    const QRect inside = contentsRect();
    gutter_->setGeometry(inside.left(), inside.top(), gutter_->WidthWanted(), inside.height());
}

// The numbers follow the editor's font, its size and boldness.
void SourceEditor::changeEvent(QEvent* event) {
    TextPane::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        gutter_->setFont(font());
        FitGutter();
    }
}

void SourceEditor::FitGutter() {
    setViewportMargins(gutter_->WidthWanted(), 0, 0, 0);
    const QRect inside = contentsRect();
    gutter_->setGeometry(inside.left(), inside.top(), gutter_->WidthWanted(), inside.height());
    gutter_->update();
}
