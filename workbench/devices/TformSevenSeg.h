#pragma once

#include "devices/SevenSegmentDisplays.h"
#include "workbench/ToolWindow.h"

// Two seven-segment digits on port 02.
class TformSevenSeg : public ToolWindow {
    Q_OBJECT
  public:
    TformSevenSeg(QWidget* owner, SevenSegmentDisplays& model);

  private:
    SevenSegmentDisplays& model_;
};
