#pragma once

#include "devices/StepperMotor.h"
#include "workbench/devices/PictureWindow.h"

// A stepper motor on port 05, drawn from the model's picture: the stator with its poles,
// which light with their phase, the rotor's spokes and the bits of the last byte.
class TformStep : public PictureWindow {
    Q_OBJECT
  public:
    TformStep(QWidget* owner, StepperMotor& model);

  private:
    StepperMotor& model_;
};
