#pragma once

#include "devices/TrafficLights.h"
#include "workbench/devices/PictureWindow.h"

class QLabel;

// Two sets of traffic lights on port 01, wired to the port's eight pins. The lamps are drawn
// onto the picture, so they keep their look while the window is hidden.
class TformTlight : public PictureWindow {
    Q_OBJECT
  public:
    TformTlight(QWidget* owner, TrafficLights& model);

  private:
    // Draws again only the lamps that changed since they were drawn.
    void ShowModel();

    TrafficLights& model_;
    QLabel* tlightLabel_;
};
