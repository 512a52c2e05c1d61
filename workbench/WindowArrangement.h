#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>
#include <vector>

// Where windows stand so that none covers another: plain rectangles in, places out. Every
// size and place is a window's outer frame, title bar included, in logical pixels.

// The main window as the arrangement sees it.
struct MainWindowShape {
    QSize Size;     // its frame now
    QSize Smallest; // the frame it starts with: it is never made smaller than that
    // From the frame's top to below the buttons: no window ever covers that band.
    int ButtonsHeight = 0;
};

struct Arrangement {
    QRect Main;                  // the main window's frame, at the area's top left
    std::vector<QPoint> Corners; // each window's frame corner, in the order the windows came
    // The windows that overlap another, the main window not counted: as many as possible stand
    // clear, and those that cannot cover as few clear windows as they can.
    int Overlapping = 0;
};

// The main window at the top left of the free area of its screen and the others beside and
// below it. Where they cannot all stand clear, as many as possible do; the main window may
// then shrink, but no smaller than it starts.
Arrangement Arrange(const QRect& area, const MainWindowShape& main, std::span<const QSize> windows);

// Where a window shown anew goes among those already standing (the main window first, with
// its buttons band): in free space nearest the top left, else where it covers the fewest.
QPoint PlaceBeside(const QRect& area, std::span<const QRect> standing, int buttonsHeight,
                   QSize window);
