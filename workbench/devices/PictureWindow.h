#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <string>

#include "devices/DeviceTable.h"
#include "devices/Picture.h"
#include "workbench/ToolWindow.h"
#include "workbench/devices/PicturePainter.h"

class QKeyEvent;
class QLabel;
class QMouseEvent;
class QPainter;
class StateWords;

// A device window that shows a picture. What the device draws goes onto the picture, so it
// stays while the window is hidden; a paint only copies the changed area. The device draws in
// the picture's own coordinates at every zoom: the picture has the zoom as its pixel ratio,
// so it is drawn afresh at the new scale, and a paint copies its pixels one-to-one.
class PictureWindow : public ToolWindow {
    Q_OBJECT
  public:
    PictureWindow(QWidget* owner, const QString& caption, QSize clientSize,
                  const QColor& background);

    // The picture, for drawing and for tests.
    QImage& Picture() { return picture_; }
    const QImage& Picture() const { return picture_; }

    void ApplyZoom(double factor) override;

  protected:
    // Asks for a repaint of part of the picture after drawing on it.
    void PictureChanged(const QRect& area);
    void paintEvent(QPaintEvent* event) override;
    // Draws the whole picture again, as the device stands, after the zoom changed: the
    // description shown last, unless the device draws its picture itself.
    virtual void DrawWhole();
    // Paints the parts of a device's picture description that changed since the last one.
    void ShowPicture(const ::Picture& picture);
    // The action of the description's hot area under the mouse, or NoAction.
    int ActionAt(const QMouseEvent& event) const;
    // The action of the key the typed key stands for in a window's picture, or NoAction: Ctrl
    // with a letter types its control code, any other key the character it types.
    static int TypedKeyActionOf(Peripheral window, const QKeyEvent& event);
    // The picture's pixels that cover an area given in its coordinates.
    QRect PixelsOf(const QRect& area) const;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

    // The device's state in words, from the model; StateChanged after every change of it.
    void DescribeState(std::function<std::string()> words);
    void StateChanged();
    // A device worked from the keyboard takes the focus and marks the picture while it has
    // it; TakeKey works the device as the click the key stands for would.
    void AcceptKeys();
    virtual bool TakeKey(const QKeyEvent& event);

    // The picture point under the mouse, at every zoom and on a scaled screen too.
    QPoint PicturePixel(const QMouseEvent& event) const;
    // The byte on the port's pins, "00000000" until the device shows one: bold yellow
    // Courier New over the pins.
    QLabel* AddBitLabel(const QString& objectName, const QRect& place);
    // The bit label's font at the actual size.
    static QFont BitLabelFont();

  private:
    void DrawFocusMark(QPainter& painter) const;

    QImage picture_;
    PicturePainter painter_;
    QColor background_;
    StateWords* words_ = nullptr;
    bool takesKeys_ = false;
};
