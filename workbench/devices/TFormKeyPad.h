#pragma once

#include "devices/Keypad.h"
#include "workbench/devices/PictureWindow.h"

class QMouseEvent;

// The hexadecimal keypad, drawn from the keypad's table: a click on a key stores its code
// and raises interrupt 04; port 08 reads the code.
class TFormKeyPad : public PictureWindow {
    Q_OBJECT
  public:
    TFormKeyPad(QWidget* owner, Keypad& model);

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Keypad& model_;
};
