#pragma once

#include "devices/Heater.h"
#include "workbench/ToolWindow.h"

// A room with a heater and a thermostat on port 03.
class TformHeat : public ToolWindow {
    Q_OBJECT
  public:
    TformHeat(QWidget* owner, Heater& model);

  private:
    Heater& model_;
};
