#pragma once

#include <array>

#include "devices/SevenSegmentDisplays.h"
#include "workbench/devices/PictureWindow.h"

class QLabel;
class QPainter;

// Two seven-segment digits on port 02, with the circuit that wires them to the port's pins.
// The segments are drawn onto the picture, so they keep their look while the window is
// hidden.
class TformSevenSeg : public PictureWindow {
    Q_OBJECT
  public:
    TformSevenSeg(QWidget* owner, SevenSegmentDisplays& model);

  private:
    void DrawWhole() override;
    using Digit = SevenSegmentDisplays::Digit;
    using Segment = SevenSegmentDisplays::Segment;
    using DigitLook = std::array<bool, SevenSegmentDisplays::Segments.size()>;

    // Everything but the segments.
    static void DrawCircuit(QPainter& p);
    // The right digit, then the left one; only segments that changed are drawn again.
    void ShowModel();
    void ShowDigit(Digit digit);
    void DrawSegment(Digit digit, const Segment& segment, bool lit);

    SevenSegmentDisplays& model_;
    QLabel* sevSegLabel_;
    std::array<DigitLook, 2> drawnLit_{}; // left, right
};
