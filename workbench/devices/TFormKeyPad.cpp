#include "workbench/devices/TFormKeyPad.h"

#include "workbench/ButtonFace.h"

TFormKeyPad::TFormKeyPad(QWidget* owner, Keypad& model)
    : ToolWindow(owner, "Key Pad", QSize(152, 139), Frame::Fixed, ButtonFace()), model_(model) {}
