#include "workbench/RunLogPane.h"

#include <QScrollBar>
#include <QTimer>
#include <algorithm>

RunLogPane::RunLogPane(QWidget* parent) : TextPane(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setMaximumBlockCount(MaxLines);
    setUndoRedoEnabled(false);
}

void RunLogPane::AppendLine(std::string_view line) {
    lines_.append(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    DropUnneededLines();
    if (!flushQueued_) {
        flushQueued_ = true;
        QTimer::singleShot(0, this, &RunLogPane::Flush);
    }
}

// Only the pane's last lines, before the oldest place Step Back may go to and before the
// end, are needed; they go a pane's worth at a time.
void RunLogPane::DropUnneededLines() {
    const qsizetype needed = std::min(keepFrom_, Written()) - MaxLines;
    const qsizetype unneeded = needed - base_;
    if (unneeded >= MaxLines) {
        lines_.remove(0, unneeded);
        base_ += unneeded;
    }
}

void RunLogPane::ClearLog() {
    base_ = Written();
    lines_.clear();
    shown_ = base_;
    keepFrom_ = base_;
    clear();
}

void RunLogPane::Flush() {
    flushQueued_ = false;
    const qsizetype end = Written();
    if (shown_ == end) {
        return;
    }
    if (end - shown_ >= MaxLines) {
        ShowLinesUpTo(end); // everything in the pane would be dropped anyway
        return;
    }
    appendPlainText(lines_.sliced(shown_ - base_).join(u'\n'));
    shown_ = end;
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void RunLogPane::GoBackTo(qsizetype written) {
    const qsizetype end = std::clamp(written, base_, Written());
    if (end == Written()) {
        return;
    }
    lines_.resize(end - base_);
    ShowLinesUpTo(end);
}

void RunLogPane::ShowLinesUpTo(qsizetype end) {
    const qsizetype from = std::max(base_, end - MaxLines);
    clear();
    if (from < end) {
        appendPlainText(lines_.sliced(from - base_, end - from).join(u'\n'));
    }
    shown_ = end;
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
