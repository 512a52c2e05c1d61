#include "workbench/WindowArranger.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "workbench/PeripheralWindows.h"
#include "workbench/WindowArrangement.h"
#include "workbench/WindowFrames.h"

namespace {

// A tool window keeps its own size: only its frame's corner is given.
FramePlace At(QPoint corner, QSize size) {
    return {corner, size, false, {}};
}

} // namespace

WindowArranger::WindowArranger(QWidget& main, const QWidget& buttons, QSize mainStartSize,
                               WindowFrames& frames, const PeripheralWindows& windows)
    : QObject(&main), MainStartSize(mainStartSize), main_(main), buttons_(buttons), frames_(frames),
      windows_(windows) {
    for (size_t index = 0; index < PeripheralCount; ++index) {
        if (QWidget* window = windows_.Window(static_cast<Peripheral>(index))) {
            window->installEventFilter(this);
        }
    }
}

std::vector<QWidget*> WindowArranger::VisibleToolWindows() const {
    std::vector<QWidget*> visible;
    for (size_t index = 0; index < PeripheralCount; ++index) {
        QWidget* window = windows_.Window(static_cast<Peripheral>(index));
        if (window && window->isVisible()) {
            visible.push_back(window);
        }
    }
    return visible;
}

QRect WindowArranger::ScreenArea() const {
    const QScreen* screen = QGuiApplication::screenAt(frames_.Outer(&main_).center());
    return (screen ? screen : main_.screen())->availableGeometry();
}

int WindowArranger::ButtonsHeight() const {
    const int titleBar = main_.geometry().top() - frames_.Outer(&main_).top();
    return titleBar + buttons_.mapTo(&main_, QPoint(0, buttons_.height())).y();
}

int WindowArranger::Arrange() {
    const std::vector<QWidget*> windows = VisibleToolWindows();
    std::vector<QSize> sizes;
    for (const QWidget* window : windows) {
        sizes.push_back(frames_.Outer(window).size());
    }
    const MainWindowShape shape{frames_.Outer(&main_).size(), MainStartSize, ButtonsHeight()};
    const Arrangement arrangement = ::Arrange(ScreenArea(), shape, sizes);
    const QRect& frame = arrangement.Main;
    frames_.Place(&main_, Sized(frame.x(), frame.y(), frame.width(), frame.height()));
    for (size_t index = 0; index < windows.size(); ++index) {
        frames_.Place(windows[index], At(arrangement.Corners[index], sizes[index]));
    }
    return arrangement.Overlapping;
}

void WindowArranger::PlaceBesideVisible(QWidget* window) {
    std::vector<QRect> standing = {frames_.Outer(&main_)};
    for (const QWidget* other : VisibleToolWindows()) {
        if (other != window) {
            standing.push_back(frames_.Outer(other));
        }
    }
    const QSize size = frames_.Outer(window).size();
    frames_.Place(window, At(PlaceBeside(ScreenArea(), standing, ButtonsHeight(), size), size));
}

// The show event comes before the window is mapped, so it appears in its new place at once.
bool WindowArranger::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        auto* window = static_cast<QWidget*>(watched);
        if (shown_.insert(window).second && PlaceNewBeside) {
            PlaceBesideVisible(window);
        }
    }
    return QObject::eventFilter(watched, event);
}
