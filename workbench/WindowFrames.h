#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <map>

class QWidget;

// Window places as the settings keep them: the outer frame, in logical pixels. A window's
// frame is known only once the window manager has framed it, so a size to restore waits
// until then and the frame is taken off it: a window neither moves nor grows from one start
// of the program to the next.
class WindowFrames : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Moves the window's frame to outer's corner; with sized, gives the frame outer's size.
    void Place(QWidget* window, const QRect& outer, bool sized);
    // The window's outer frame; a size still waiting for the frame counts as given.
    QRect Outer(const QWidget* window) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static QSize Margins(const QWidget* window);
    std::map<const QWidget*, QSize> waiting_;
};
