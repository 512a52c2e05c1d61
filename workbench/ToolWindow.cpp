#include "workbench/ToolWindow.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

Qt::WindowFlags FlagsFor(ToolWindow::Frame frame) {
    Qt::WindowFlags flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (frame != ToolWindow::Frame::NoButtons) {
        flags |= Qt::WindowCloseButtonHint;
    }
    return flags;
}

} // namespace

ToolWindow::ToolWindow(QWidget* owner, const QString& caption, QSize clientSize, Frame frame,
                       const QColor& background)
    : QWidget(owner, FlagsFor(frame)) {
    setWindowTitle(caption);
    setAttribute(Qt::WA_ShowWithoutActivating);
    SetBackground(background);
    setAutoFillBackground(true);
    if (frame == Frame::Sizeable) {
        resize(clientSize);
    } else {
        setFixedSize(clientSize);
    }
}

void ToolWindow::SetBackground(const QColor& background) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
}

void ToolWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && !helpTopic_.isEmpty()) {
        emit HelpRequested(helpTopic_);
        return;
    }
    QWidget::keyPressEvent(event);
}

void ToolWindow::TakeKeyboard() {
    holdsKeyboard_ = true;
    activateWindow();
    raise();
}

// A tool window counts as active while its owner is, and in between two windows none is
// active: only another window taking the activation takes the keyboard away.
void ToolWindow::changeEvent(QEvent* event) {
    const QWidget* active = QApplication::activeWindow();
    if (event->type() == QEvent::ActivationChange && active && active != this) {
        holdsKeyboard_ = false;
    }
    QWidget::changeEvent(event);
}

void ToolWindow::GiveFocusBack() const {
    QWidget* owner = parentWidget();
    if (!owner) {
        return;
    }
    for (ToolWindow* window : owner->findChildren<ToolWindow*>(Qt::FindDirectChildrenOnly)) {
        if (window->WaitsForKey() && window->isVisible()) {
            window->activateWindow();
            return;
        }
    }
    owner->activateWindow();
}
