#include "workbench/devices/TformSevenSeg.h"

TformSevenSeg::TformSevenSeg(QWidget* owner, SevenSegmentDisplays& model)
    : ToolWindow(owner, "Seven Segment Displays", QSize(200, 218), Frame::Fixed,
                 QColor(0x00, 0x80, 0x00)),
      model_(model) {}
