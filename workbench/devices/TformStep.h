#pragma once

#include "devices/StepperMotor.h"
#include "workbench/ToolWindow.h"

// A stepper motor on port 05.
class TformStep : public ToolWindow {
    Q_OBJECT
  public:
    TformStep(QWidget* owner, StepperMotor& model);

  private:
    StepperMotor& model_;
};
