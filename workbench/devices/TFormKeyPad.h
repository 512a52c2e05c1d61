#pragma once

#include "devices/Keypad.h"
#include "devices/pictures/KeypadPicture.h"
#include "workbench/devices/PictureWindow.h"

class QMouseEvent;

// The hexadecimal keypad, drawn from the keypad's picture: a click on a key presses it, which
// stores its code and raises interrupt 04; port 08 reads the code.
class TFormKeyPad : public PictureWindow {
    Q_OBJECT
  public:
    TFormKeyPad(QWidget* owner, Keypad& model);

    static constexpr auto RowEnds = KeypadRowEnds;
    static constexpr auto ColumnEnds = KeypadColumnEnds;

    // Any mouse button, at x,y of the picture.
    void ImageKeyPadMouseDown(int x, int y);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool TakeKey(const QKeyEvent& event) override;

  private:
    Keypad& model_;
};
