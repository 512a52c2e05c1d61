#include "workbench/WindowFrames.h"

#include <QEvent>
#include <QWidget>

namespace {

// No frame is known before the window manager has framed the window.
bool Framed(const QSize& margins) {
    return margins.width() > 0 || margins.height() > 0;
}

} // namespace

QSize WindowFrames::Margins(const QWidget* window) {
    return window->frameGeometry().size() - window->size();
}

void WindowFrames::Place(QWidget* window, const QRect& outer, bool sized) {
    window->move(outer.topLeft());
    if (!sized) {
        return;
    }
    const QSize margins = Margins(window);
    window->resize(outer.size() - margins);
    if (!Framed(margins)) {
        waiting_[window] = outer.size();
        window->installEventFilter(this);
    }
}

QRect WindowFrames::Outer(const QWidget* window) const {
    const auto waiting = waiting_.find(window);
    if (waiting != waiting_.end()) {
        return {window->frameGeometry().topLeft(), waiting->second};
    }
    return window->frameGeometry();
}

bool WindowFrames::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) {
        auto* window = static_cast<QWidget*>(watched);
        const auto waiting = waiting_.find(window);
        const QSize margins = Margins(window);
        if (waiting != waiting_.end() && window->isVisible() && Framed(margins)) {
            const QSize outer = waiting->second;
            waiting_.erase(waiting);
            window->removeEventFilter(this);
            window->resize(outer - margins);
        }
    }
    return QObject::eventFilter(watched, event);
}
