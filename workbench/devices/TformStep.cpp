#include "workbench/devices/TformStep.h"

TformStep::TformStep(QWidget* owner, StepperMotor& model)
    : ToolWindow(owner, "Stepper Motor - Port 5", QSize(200, 218), Frame::Fixed, Qt::black),
      model_(model) {}
