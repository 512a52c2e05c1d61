#include "workbench/WindowFrames.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdint>

#include "workbench/Zoom.h"

namespace {

// No frame is known before the window manager has framed the window.
bool Framed(const QSize& margins) {
    return margins.width() > 0 || margins.height() > 0;
}

// How much of a span lies within another; spans as a settings file may give them.
int64_t Overlap(int64_t start, int64_t length, int areaStart, int areaLength) {
    const int64_t end = std::min(start + length, int64_t{areaStart} + areaLength);
    return std::max(int64_t{0}, end - std::max(start, int64_t{areaStart}));
}

// The free area of the screen that holds most of the frame; the primary screen's when the
// frame is on none.
QRect ScreenArea(int64_t left, int64_t top, QSize size) {
    QRect best = QGuiApplication::primaryScreen()->availableGeometry();
    int64_t bestOverlap = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const int64_t overlap = Overlap(left, size.width(), area.x(), area.width()) *
                                Overlap(top, size.height(), area.y(), area.height());
        if (overlap > bestOverlap) {
            best = area;
            bestOverlap = overlap;
        }
    }
    return best;
}

// Where a span no longer than the area starts so that it lies wholly within it.
int Within(int64_t start, int length, int areaStart, int areaLength) {
    const int64_t last = int64_t{areaStart} + areaLength - length;
    return static_cast<int>(std::max(int64_t{areaStart}, std::min(start, last)));
}

} // namespace

QSize WindowFrames::Margins(const QWidget* window) {
    return window->frameGeometry().size() - window->size();
}

QSize WindowFrames::ExpectedMargins(const QWidget* window) const {
    const QSize own = Margins(window);
    return Framed(own) ? own : lastMargins_;
}

QRect WindowFrames::OuterFor(const QWidget* window, const FramePlace& place, QSize margins) const {
    const QSize size = place.Sized ? place.Size : window->size() + margins;
    int64_t left = place.Corner.x();
    int64_t top = place.Corner.y();
    if (place.Held.testFlag(Qt::RightEdge)) {
        left += int64_t{place.Size.width()} - size.width();
    }
    if (place.Held.testFlag(Qt::BottomEdge)) {
        top += int64_t{place.Size.height()} - size.height();
    }
    const QRect area = ScreenArea(left, top, size);
    const QSize bounded = size.boundedTo(area.size());
    return {QPoint(Within(left, bounded.width(), area.x(), area.width()),
                   Within(top, bounded.height(), area.y(), area.height())),
            bounded};
}

void WindowFrames::Apply(QWidget* window, const FramePlace& place, QSize margins) const {
    const QRect outer = OuterFor(window, place, margins);
    window->move(outer.topLeft());
    if (place.Sized) {
        window->resize(outer.size() - margins);
    }
}

void WindowFrames::Place(QWidget* window, const FramePlace& place) {
    Apply(window, place, ExpectedMargins(window));
    if (window->isVisible() && Framed(Margins(window))) {
        waiting_.erase(window);
        window->removeEventFilter(this);
    } else {
        waiting_[window] = place;
        window->installEventFilter(this);
    }
}

QRect WindowFrames::Outer(const QWidget* window) const {
    const auto waiting = waiting_.find(window);
    if (waiting != waiting_.end()) {
        return OuterFor(window, waiting->second, ExpectedMargins(window));
    }
    return window->frameGeometry();
}

void WindowFrames::Rezoom(double from, double to) {
    for (auto& [window, place] : waiting_) {
        place.Size =
            QSize(Rezoomed(place.Size.width(), from, to), Rezoomed(place.Size.height(), from, to));
    }
}

// Once the window has its frame, its place is settled for good; the windows not shown yet
// are placed as if they had the same frame, so they appear where they belong.
void WindowFrames::SettleFramed(QWidget* window) {
    const auto waiting = waiting_.find(window);
    const QSize margins = Margins(window);
    if (waiting == waiting_.end() || !window->isVisible() || !Framed(margins)) {
        return;
    }
    const FramePlace place = waiting->second;
    waiting_.erase(waiting);
    window->removeEventFilter(this);
    lastMargins_ = margins;
    Apply(window, place, margins);
    for (const auto& [other, otherPlace] : waiting_) {
        if (!other->windowHandle()) {
            Apply(other, otherPlace, margins);
        }
    }
}

// Under X11 the frame may be known only by the first paint, which comes after the window
// manager has framed the window.
bool WindowFrames::eventFilter(QObject* watched, QEvent* event) {
    auto* window = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        SettleFramed(window);
        break;
    case QEvent::Paint:
        // A paint is no time to move or resize its window.
        QMetaObject::invokeMethod(
            this,
            [this, target = QPointer<QWidget>(window)] {
                if (target) {
                    SettleFramed(target);
                }
            },
            Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

FramePlace Sized(int left, int top, int width, int height) {
    return {QPoint(left, top), QSize(width, height), true, {}};
}

FramePlace EndingAt(const QWidget& window, int right, int top) {
    return {QPoint(right - window.width(), top), window.size(), false, Qt::RightEdge};
}

FramePlace InTheCorner(const QWidget& window, int right, int bottom) {
    FramePlace place = EndingAt(window, right, bottom - window.height());
    place.Held |= Qt::BottomEdge;
    return place;
}
