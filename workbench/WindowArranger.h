#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <set>
#include <vector>

class PeripheralWindows;
class QWidget;
class WindowFrames;

// Arranges the main window and its visible tool windows side by side on the main window's
// screen and, when asked to, places a tool window shown for the first time in the session
// beside the windows already visible. The places go through the window frames, so they are
// kept like places the windows were dragged to.
class WindowArranger : public QObject {
    Q_OBJECT
  public:
    // The buttons are the part of the main window no window may cover.
    WindowArranger(QWidget& main, const QWidget& buttons, QSize mainStartSize, WindowFrames& frames,
                   const PeripheralWindows& windows);

    // How many windows could not stand clear of the others.
    int Arrange();

    bool PlaceNewBeside = false;
    // The main window is never made smaller than this: its starting size at the zoom shown.
    QSize MainStartSize;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::vector<QWidget*> VisibleToolWindows() const;
    QRect ScreenArea() const;
    // From the main window's frame top to below its buttons.
    int ButtonsHeight() const;
    void PlaceBesideVisible(QWidget* window);

    QWidget& main_;
    const QWidget& buttons_;
    WindowFrames& frames_;
    const PeripheralWindows& windows_;
    std::set<const QWidget*> shown_;
};
