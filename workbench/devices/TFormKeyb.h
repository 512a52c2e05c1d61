#pragma once

#include "devices/OnScreenKeyboard.h"
#include "workbench/devices/PictureWindow.h"

class QLabel;
class QMouseEvent;

// The on-screen keyboard, drawn from its picture: a British keyboard on the regions of the
// key map. A click on a key presses it, which stores its code and raises interrupt 03; port
// 07 reads the code. Label1 names the key under the mouse.
class TFormKeyb : public PictureWindow {
    Q_OBJECT
  public:
    TFormKeyb(QWidget* owner, OnScreenKeyboard& model);

    // At x,y of the picture.
    void Image1MouseMove(int x, int y);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool TakeKey(const QKeyEvent& event) override;

  private:
    OnScreenKeyboard& model_;
    QLabel* Label1;
};
