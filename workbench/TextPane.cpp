#include "workbench/TextPane.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

TextPane::TextPane(QWidget* parent) : QPlainTextEdit(parent) {}

void TextPane::PasteClipboard() {
    if (isReadOnly()) {
        return;
    }
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty()) {
        insertPlainText(text);
    }
}

void TextPane::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        PasteClipboard();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool TextPane::canInsertFromMimeData(const QMimeData* source) const {
    return source && QPlainTextEdit::canInsertFromMimeData(source);
}

void TextPane::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
    }
}
