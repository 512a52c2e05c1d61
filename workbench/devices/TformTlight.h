#pragma once

#include "devices/TrafficLights.h"
#include "workbench/ToolWindow.h"

// Two sets of traffic lights on port 01.
class TformTlight : public ToolWindow {
    Q_OBJECT
  public:
    TformTlight(QWidget* owner, TrafficLights& model);

  private:
    TrafficLights& model_;
};
