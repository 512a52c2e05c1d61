#include "workbench/RunLogPane.h"

#include <QScrollBar>
#include <QTimer>

RunLogPane::RunLogPane(QWidget* parent) : TextPane(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setMaximumBlockCount(MaxLines);
    setUndoRedoEnabled(false);
}

void RunLogPane::AppendLine(std::string_view line) {
    pending_.append(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    if (pending_.size() > MaxLines) {
        pending_.removeFirst();
    }
    if (!flushQueued_) {
        flushQueued_ = true;
        QTimer::singleShot(0, this, &RunLogPane::Flush);
    }
}

void RunLogPane::ClearLog() {
    pending_.clear();
    clear();
}

void RunLogPane::Flush() {
    flushQueued_ = false;
    if (pending_.isEmpty()) {
        return;
    }
    if (pending_.size() >= MaxLines) {
        clear(); // everything in the pane would be dropped anyway
    }
    appendPlainText(pending_.join(u'\n'));
    pending_.clear();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
