#pragma once

#include "devices/Keypad.h"
#include "workbench/ToolWindow.h"

// The hexadecimal keypad: clicks raise interrupt 04, port 08 reads the key.
class TFormKeyPad : public ToolWindow {
    Q_OBJECT
  public:
    TFormKeyPad(QWidget* owner, Keypad& model);

  private:
    Keypad& model_;
};
