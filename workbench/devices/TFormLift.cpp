#include "workbench/devices/TFormLift.h"

#include "workbench/ButtonFace.h"

TFormLift::TFormLift(QWidget* owner, Lift& model)
    : ToolWindow(owner, "Lift on Port 06", QSize(200, 426), Frame::Fixed, ButtonFace()),
      model_(model) {}
