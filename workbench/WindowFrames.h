#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>
#include <functional>
#include <map>

class QWidget;

// Where a window's outer frame should stand, in logical pixels, as a settings file may give
// it: anywhere, and of any size.
struct FramePlace {
    QPoint Corner;
    QSize Size;
    // The frame takes Size; otherwise the window keeps its own size, and Size is the guess
    // that Held edges are measured from.
    bool Sized = false;
    // Qt::RightEdge, Qt::BottomEdge: the frame ends where Corner and Size put that edge,
    // whatever its real size.
    Qt::Edges Held;
};

// A window that takes the size given.
FramePlace Sized(int left, int top, int width, int height);
// A fixed-size window whose frame ends at x = right, "right minus the window's width"; the
// width is the frame's, known once the window has been framed.
FramePlace EndingAt(const QWidget& window, int right, int top);
// The same, with the frame's bottom at y = bottom.
FramePlace InTheCorner(const QWidget& window, int right, int bottom);

// Window places as the settings keep them: the outer frame, in logical pixels, always on a
// screen. A window's frame is known only once the window manager has framed it, so what
// depends on the frame (a size to restore, an edge to hold) is settled again then: a window
// neither moves nor grows from one start of the program to the next.
class WindowFrames : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Moves the window there, no larger than the screen and wholly on it, so its title bar can
    // always be reached.
    void Place(QWidget* window, const FramePlace& place);
    // The window's outer frame; a place still waiting for the frame counts as given.
    QRect Outer(const QWidget* window) const;
    // The sizes still waiting for their frames, taken from one zoom factor to another.
    void Rezoom(double from, double to);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static QSize Margins(const QWidget* window);
    // The window's own frame once known, else the last frame seen on another window.
    QSize ExpectedMargins(const QWidget* window) const;
    // The frame a place gives the window with these margins, no larger than the screen and on it.
    QRect OuterFor(const QWidget* window, const FramePlace& place, QSize margins) const;
    void Apply(QWidget* window, const FramePlace& place, QSize margins) const;
    void SettleFramed(QWidget* window);

    std::map<QWidget*, FramePlace, std::less<>> waiting_;
    QSize lastMargins_{0, 0};
};
