#include "workbench/devices/TFormKeyb.h"

#include "workbench/ButtonFace.h"

TFormKeyb::TFormKeyb(QWidget* owner, OnScreenKeyboard& model)
    : ToolWindow(owner, "Key press generates INT 03 - Read key from port 07", QSize(430, 155),
                 Frame::Fixed, ButtonFace()),
      model_(model) {}
