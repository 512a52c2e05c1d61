#pragma once

#include "devices/SevenSegmentDisplays.h"
#include "workbench/devices/PictureWindow.h"

class QLabel;

// Two seven-segment digits on port 02, with the circuit that wires them to the port's pins.
// The segments are drawn onto the picture, so they keep their look while the window is
// hidden.
class TformSevenSeg : public PictureWindow {
    Q_OBJECT
  public:
    TformSevenSeg(QWidget* owner, SevenSegmentDisplays& model);

  private:
    // Only segments that changed are drawn again.
    void ShowModel();

    SevenSegmentDisplays& model_;
    QLabel* sevSegLabel_;
};
