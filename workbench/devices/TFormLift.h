#pragma once

#include "devices/Lift.h"
#include "workbench/ToolWindow.h"

// A lift between two floors on port 06.
class TFormLift : public ToolWindow {
    Q_OBJECT
  public:
    TFormLift(QWidget* owner, Lift& model);

  private:
    Lift& model_;
};
