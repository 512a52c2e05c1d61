#pragma once

#include <array>

#include "devices/TrafficLights.h"
#include "workbench/devices/PictureWindow.h"

class QLabel;
class QPainter;

// Two sets of traffic lights on port 01, wired to the port's eight pins. The lamps are drawn
// onto the picture, so they keep their look while the window is hidden.
class TformTlight : public PictureWindow {
    Q_OBJECT
  public:
    TformTlight(QWidget* owner, TrafficLights& model);

  private:
    void DrawWhole() override;
    // Everything but the lamps.
    static void DrawCircuit(QPainter& p);
    // Draws again only the lamps that changed since they were drawn.
    void ShowModel();
    void DrawLamp(const TrafficLights::Lamp& lamp, bool lit);

    TrafficLights& model_;
    QLabel* tlightLabel_;
    std::array<bool, TrafficLights::Lamps.size()> drawnLit_{};
};
