#pragma once

#include "devices/OnScreenKeyboard.h"
#include "workbench/ToolWindow.h"

// The on-screen keyboard: clicks raise interrupt 03, port 07 reads the key.
class TFormKeyb : public ToolWindow {
    Q_OBJECT
  public:
    TFormKeyb(QWidget* owner, OnScreenKeyboard& model);

  private:
    OnScreenKeyboard& model_;
};
